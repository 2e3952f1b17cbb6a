// Class name, caption, control and timer ids of the main window.
#pragma once

// A second copy finds the first by both (Win32SingleInstance).
inline constexpr const char* kMainWindowClassName = "TForm1";
inline constexpr const char* kMainWindowCaption = "Quorl Pit Timer v3.1";

enum TMainWindowId : int {
    kWaitTimeEditId = 101,
    kPitInEditId,
    kKeyEditId,
    kPitInMessageEditId,
    kPOWarningEditId,
    kPitOutMessageEditId,
    kMemo1Id,
    kButton1Id = 201,
    kButton2Id,
    kButton3Id,
    kButton4Id,
    kButton5Id,
    kButton6Id,
    kRzBitBtn1Id,
    kLabelId = 300,
};

enum TMainWindowTimer : int {
    kTimer1Id = 1,
};

inline constexpr unsigned kTimer1IntervalMs = 100;
