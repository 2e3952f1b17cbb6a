// The start-up: the three windows, the wiring between them, and the message loop.
#pragma once

#include "platform/Application.h"

// Creates the main window, the key-capture dialog and the message-entry dialog, in this order,
// shows the main window and runs the message loop until it closes; returns the exit code. When
// they cannot be built, the error box says why and the exit code is 1.
int RunApplication(IApplication& application);
