// Class name, caption and timer id of the main window; its control ids are its rows'.
#pragma once

// A second copy finds the first by both (Win32SingleInstance).
inline constexpr const char* kMainWindowClassName = "TForm1";
inline constexpr const char* kMainWindowCaption = "Quorl Pit Timer v3.1";

enum TMainWindowTimer : int {
    kTimer1Id = 1,
};
