// IMessagePump over PeekMessageA, TranslateMessage and DispatchMessageA.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

#include "platform/MessagePump.h"

class TWin32MessagePump : public IMessagePump {
  public:
    // The window whose keys go through the dialog manager (Tab, Enter, Esc); none by default.
    explicit TWin32MessagePump(std::function<HWND()> dialogWindow = {})
        : DialogWindow(std::move(dialogWindow)) {}

    void ProcessMessages() override;
    bool Terminated() const override { return QuitSeen; }

    // For the application's own message loop, which also ends on a quit message.
    void MarkTerminated() { QuitSeen = true; }

    // Dispatches one message taken from the queue, as both loops do.
    void Dispatch(MSG& message) const;

  private:
    std::function<HWND()> DialogWindow;
    bool QuitSeen = false;
};
