// A message pump whose passes run what the test scheduled, to nest ticks and keys in a send.
#pragma once

#include <deque>
#include <functional>
#include <map>

#include "platform/MessagePump.h"

class TFakeMessagePump : public IMessagePump {
  public:
    void ProcessMessages() override;
    bool Terminated() const override { return QuitSeen; }

    // Runs the action inside pass number `pass` (1 is the first pass from now on).
    void AtPass(int pass, std::function<void()> action);

    // A posted message: the next pass dispatches it, with every other one waiting by then.
    void Post(std::function<void()> message);

    int Passes = 0;
    bool QuitSeen = false;

  private:
    std::map<int, std::function<void()>> Scheduled;
    std::deque<std::function<void()>> Posted;
};
