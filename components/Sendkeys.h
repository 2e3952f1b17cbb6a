// TSendkeys: types key-code strings as synthesized key presses into the focused window.
#pragma once

#include <cstdint>
#include <string>

#include "components/Component.h"
#include "components/EventLogSink.h"
#include "platform/Clock.h"
#include "platform/Keyboard.h"
#include "platform/MessagePump.h"
#include "platform/TopLevelWindows.h"

class TSendkeys : public TComponent {
  public:
    TSendkeys(TComponent* owner,
              IKeyboardInput& keyboard,
              IMessagePump& pump,
              ITopLevelWindows& windows,
              IClock& clock,
              IEventLog& log);

    void SendKeys(const std::string& keyCodes);
    void SendKeysTo(const std::string& windowTitle, const std::string& keyCodes);
    void Delay(std::int32_t delayMs);
    void MakeWindowActive(TWindowHandle window);
    TWindowHandle GetHandleFromWindowTitle(const std::string& windowTitle);

  private:
    IKeyboardInput& Keyboard;
    IMessagePump& Pump;
    ITopLevelWindows& Windows;
    IClock& Clock;
    IEventLog& Log;
};
