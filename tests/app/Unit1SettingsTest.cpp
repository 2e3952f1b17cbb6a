// The settings file: what the show loads from it and the close writes back, over in-memory files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "app/Errors.h"
#include "tests/app/ProgramFixture.h"

namespace {

class SettingsTest : public ProgramFixture {
  protected:
    std::string& File() { return Profile.Files[kIniPath]; }
    std::ptrdiff_t LineCount() { return std::ranges::count(File(), '\n'); }
};

TEST_F(SettingsTest, WithoutAFileTheDefaultsAreShownAndTheCloseWritesTheSection) {
    Start();
    EXPECT_TRUE(Profile.Files.empty()) << "the load wrote";
    EXPECT_EQ(Boxes(),
              (Strings{"20", "x (120)", "z (122)", "Pit In", "Pit Out Warning", "Pit Out"}));
    Close();
    EXPECT_EQ(Profile.Files.size(), 1u);
    EXPECT_EQ(File(),
              "[Timing]\r\n"
              "Delay=20\r\n"
              "actionkey=122\r\n"
              "pitinkey=120\r\n"
              "PitInMessage=Pit In\r\n"
              "PitOutMessage=Pit Out\r\n"
              "PitOutWarning=Pit Out Warning\r\n");
}

// Every box holds a text unlike any value before the show, so that each shown one comes from the
// load; the close then writes it back in place of the value read, and adds no second entry.
TEST_F(SettingsTest, EachStoredValueIsShownAsLoadedAndWrittenBackAsShown) {
    std::string longMessage;
    for (int i = 0; i < 3000; ++i) {
        longMessage += static_cast<char>('0' + i % 10);
    }
    struct TCase {
        std::string File;
        const char* Box;
        std::string Shown;
        std::string SavedLine;
        std::ptrdiff_t Lines = 7;
    };
    const std::vector<TCase> cases = {
        {"[Timing]\r\nDelay=15s\r\n", "Wait Time", "20", "Delay=20\r\n"},
        {"[Timing]\r\nDelay=\r\n", "Wait Time", "20", "Delay=20\r\n"},
        {"[Timing]\r\nDelay=-3\r\n", "Wait Time", "-3", "Delay=-3\r\n"},
        {"[Timing]\r\nDelay=$1E\r\n", "Wait Time", "30", "Delay=30\r\n"},
        {"[Timing]\r\nDelay=0x1E\r\n", "Wait Time", "30", "Delay=30\r\n"},
        {"[Timing]\r\nDelay=  0\r\n", "Wait Time", "0", "Delay=0\r\n"},
        {"[Timing]\r\nactionkey=378\r\n", "Wait Start Key", "z (122)", "actionkey=122\r\n"},
        {"[Timing]\r\npitinkey=-1\r\n", "Pit In Key", "\xFF (255)", "pitinkey=255\r\n"},
        {"[TIMING]\r\nPITINKEY=321\r\n", "Pit In Key", "A (65)", "PITINKEY=65\r\n"},
        {"[Timing]\r\nPitInMessage=\r\n", "Pit In Message", "", "PitInMessage=\r\n"},
        {"[Timing]\r\nPitOutMessage=\r\n", "Pit Out Message", "", "PitOutMessage=\r\n"},
        {"[Timing]\r\nPitOutWarning=\r\n", "PO Pre-Warning", "", "PitOutWarning=\r\n"},
        {"[Timing]\r\nPitOutMessage=" + longMessage + "\r\n", "Pit Out Message",
         longMessage.substr(0, 2047), "PitOutMessage=" + longMessage.substr(0, 2047) + "\r\n"},
        {"[Timing]\r\nPOWarning=Old key\r\n", "PO Pre-Warning", "Pit Out Warning",
         "POWarning=Old key\r\n", 8},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.File.substr(0, 40));
        File() = c.File;
        Build();
        for (const TMainWindowRow& row : Application.MainWindow.Rows) {
            Box(row.Label).Value = "before";
        }
        Program->Show();
        EXPECT_EQ(Box(c.Box).Value, c.Shown);
        Close();
        EXPECT_NE(File().find(c.SavedLine), std::string::npos) << File();
        EXPECT_EQ(LineCount(), c.Lines) << File();
    }
}

TEST_F(SettingsTest, AFailingWriteStopsTheCloseThereAndNamesTheFullPath) {
    Start("Delay=5\r\nPitInMessage=Old\r\n");
    Dialogs.InputAnswers = {"30"};
    Click("Set Wait Time");
    KeyCaptureWindow.Keys = {'q', 'j'};
    Click("Set Wait Key");
    Click("Set PI Key");
    Box("Pit In Message").SetText("New");
    Profile.WritesBeforeFailure = 3;
    try {
        Close();
        FAIL() << "the close did not fail";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + kIniPath);
    }
    EXPECT_EQ(Profile.Writes, 4) << "writes went on after the failure";
    EXPECT_EQ(File(),
              "[Timing]\r\nDelay=30\r\nPitInMessage=Old\r\nactionkey=113\r\npitinkey=106\r\n");
}

// A line break written raw would end the entry and start lines of its own (a second "Delay", a
// new section): each goes to the file as a space. 0xC9 is no case of the wait key 0xE9: the
// runtime's upper-casing leaves bytes above 127 be.
TEST_F(SettingsTest, WhatTheCloseSavesTheNextStartShowsWithLineBreaksAsSpaces) {
    Start();
    Dialogs.InputAnswers = {"-2147483648"};
    Click("Set Wait Time");
    Box("Pit In Message").SetText("Pit \xC9 \"in\"\r\nDelay=1");
    Box("PO Pre-Warning").SetText("\r[Timing]\r");
    Box("Pit Out Message").SetText("out = ;out\ngo\n");
    KeyCaptureWindow.Keys = {0xE9, '\t'};
    Click("Set Wait Key");
    Click("Set PI Key");
    Close();
    EXPECT_EQ(IniValue("PitOutWarning"), " [Timing] ");
    EXPECT_EQ(LineCount(), 7) << "one header and six entries";
    EXPECT_EQ(std::ranges::count(File(), '\r'), 7);
    Start();
    EXPECT_EQ(Boxes(), (Strings{"-2147483648", "\t (9)", "\xE9 (233)", "Pit \xC9 \"in\"  Delay=1",
                                "[Timing]", "out = ;out go"}));
}

}  // namespace
