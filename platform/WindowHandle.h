// An opaque window handle in the application's own terms; 0 means no window.
#pragma once

#include <cstdint>

using TWindowHandle = std::uintptr_t;
