// TNotifyEvent: a handler bound to an object that only learns who raised it.
#pragma once

#include <functional>

class TComponent;

using TNotifyEvent = std::function<void(TComponent* sender)>;
