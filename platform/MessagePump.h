// One pass of the user-interface thread's message pump.
#pragma once

class IMessagePump {
  public:
    virtual ~IMessagePump() = default;

    // Dispatches every message waiting in the calling thread's queue, until none is waiting,
    // then returns; never blocks waiting for a new one. Handlers of timer ticks, keystroke
    // reports and clicks therefore run inside this call (it is reentrant: a handler may call
    // it again). A quit message met here is not dispatched: it only marks the application for
    // ending (Terminated). Reports no failure.
    virtual void ProcessMessages() = 0;

    // True once a quit message has been met by ProcessMessages.
    virtual bool Terminated() const = 0;
};
