// IHotKeys over RegisterHotKey, UnregisterHotKey and a subclassable window on the desktop.
#pragma once

#include "platform/HotKeys.h"

class TWin32HotKeys : public IHotKeys {
  public:
    std::unique_ptr<IHotKeyWindow> CreateHotKeyWindow() override;
    bool RegisterHotKey(TWindowHandle window,
                        std::int32_t id,
                        std::uint32_t modifiers,
                        std::uint32_t virtualKey) override;
    bool UnregisterHotKey(TWindowHandle window, std::int32_t id) override;
};
