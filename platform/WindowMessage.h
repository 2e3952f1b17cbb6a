// One window message as a component's window procedure sees it, with its reply.
#pragma once

#include <cstdint>
#include <functional>

struct TMessage {
    std::uint32_t Msg;
    std::uintptr_t WParam;
    std::intptr_t LParam;
    std::intptr_t Result;  // the reply; 0 unless the procedure sets it
};

// A window procedure: handles the message and leaves its reply in Result.
using TWindowProc = std::function<void(TMessage& message)>;
