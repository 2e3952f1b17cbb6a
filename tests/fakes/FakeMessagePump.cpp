// The fake pump: counts passes and runs the scheduled action of each, which may nest.
#include "tests/fakes/FakeMessagePump.h"

#include <utility>

void TFakeMessagePump::AtPass(int pass, std::function<void()> action) {
    Scheduled[Passes + pass] = std::move(action);
}

void TFakeMessagePump::ProcessMessages() {
    const int pass = ++Passes;
    const auto found = Scheduled.find(pass);
    if (found != Scheduled.end()) {
        // Taken out first: the action may pump again, and must not run twice.
        std::function<void()> action = std::move(found->second);
        Scheduled.erase(found);
        action();
    }
    // As PeekMessage does, until the queue is empty; a message may pump again, and takes the
    // ones behind it in its own nested pass.
    while (!Posted.empty()) {
        std::function<void()> message = std::move(Posted.front());
        Posted.pop_front();
        message();
    }
}

void TFakeMessagePump::Post(std::function<void()> message) {
    Posted.push_back(std::move(message));
}
