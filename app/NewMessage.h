// TNewMessageForm: the message-entry dialog, whose message is the text of Edit1.
#pragma once

#include <string>

#include "components/Component.h"
#include "platform/Dialogs.h"

class TNewMessageForm : public TComponent {
  public:
    explicit TNewMessageForm(IMessageEntryWindow& window);

    std::string Message() const;
    void SetMessage(const std::string& message);

    TModalResult ShowModal();

  private:
    IMessageEntryWindow& Window;
};
