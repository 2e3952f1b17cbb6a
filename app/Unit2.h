// TForm2: the key-capture dialog, which stores the first character pressed in it.
#pragma once

#include <cstdint>

#include "components/Component.h"
#include "platform/Dialogs.h"

class TForm2 : public TComponent {
  public:
    explicit TForm2(IKeyCaptureWindow& window);

    // Shows the dialog modally; a key that closes it is stored in CapturedKey. Closed without
    // a key, CapturedKey keeps the character captured last (0 before the first).
    TModalResult ShowModal();

    std::uint8_t CapturedKey = 0;

  private:
    IKeyCaptureWindow& Window;
};
