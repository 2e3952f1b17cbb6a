// IHiddenWindows over a window class of our own whose procedure forwards to a TWindowProc.
#pragma once

#include "platform/HiddenWindow.h"

class TWin32HiddenWindows : public IHiddenWindows {
  public:
    std::unique_ptr<IHiddenWindow> CreateHiddenWindow(TWindowProc windowProc) override;
};
