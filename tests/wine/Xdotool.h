// Types on the test's X display with xdotool, as a person at the keyboard would.
#pragma once

#include <string>

// Starts /usr/bin/xdotool with the arguments (chain several commands in one call to keep
// their order). Wine runs the Unix program without a waitable process handle, so the call
// returns at once: tests poll for the keys' effects with a deadline. False when it could not
// be started.
bool Xdotool(const std::string& arguments);

class TTargetWindow;

// Makes typed keys reach the target window, and so reach the X server's clients at all: with
// no window manager the X focus is nobody's until a window takes it. Takes Wine's foreground
// (SetForegroundWindow, SetFocus) and the X focus (xdotool windowfocus), then types F8 and
// waits until the target has seen it. False when it did not take within a few tries.
bool FocusForTyping(TTargetWindow& target);
