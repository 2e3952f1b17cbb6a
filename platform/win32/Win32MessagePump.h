// IMessagePump over PeekMessageA, TranslateMessage and DispatchMessageA.
#pragma once

#include "platform/MessagePump.h"

class TWin32MessagePump : public IMessagePump {
  public:
    void ProcessMessages() override;
    bool Terminated() const override { return QuitSeen; }

    // For the application's own message loop, which also ends on a quit message.
    void MarkTerminated() { QuitSeen = true; }

  private:
    bool QuitSeen = false;
};
