// The main window's settings: the load at show and the save at close, over in-memory files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Errors.h"
#include "app/Unit1.h"
#include "tests/app/EngineFixture.h"
#include "tests/fakes/ProfileText.h"

namespace {

const std::string kIni = "C:\\Games\\Quorl\\QuorlWait.ini";

class TForm1SettingsTest : public EngineFixture {
  protected:
    TForm1SettingsTest() { PitInMessageEdit.OnChange = nullptr; }

    void Load() { Form.LoadSettings(); }
    void Save() { Form.SaveSettings(); }
    std::string& File() { return Profile.Files[kIni]; }
    std::string Value(const std::string& key) {
        return ProfileText::FindValue(File(), "Timing", key).value_or("<missing>");
    }

    TFakeTextBox& PitInBox = PitInMessageEdit;
    TFakeTextBox& WarningBox = POWarningEdit;
    TFakeTextBox& PitOutBox = PitOutMessageEdit;
    TFakeProfileFile& Profile = ProfileFile;
};

TEST_F(TForm1SettingsTest, WithoutAFileTheDefaultsAreLoadedAndTheSaveCreatesTheSection) {
    // Values unlike every default, so that each one must come from the load.
    Form.WaitSeconds = 999;
    Form.ActionKey = Form.PitInKey = '#';
    PitInBox.Value = PitOutBox.Value = WarningBox.Value = "before";
    Load();
    EXPECT_TRUE(Profile.Files.empty()) << "the load wrote";
    EXPECT_EQ(Form.WaitSeconds, 20);
    EXPECT_EQ(Form.ActionKey, 'z');
    EXPECT_EQ(Form.PitInKey, 'x');
    EXPECT_EQ(PitInBox.Text(), "Pit In");
    EXPECT_EQ(PitOutBox.Text(), "Pit Out");
    EXPECT_EQ(WarningBox.Text(), "Pit Out Warning");

    Save();
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

TEST_F(TForm1SettingsTest, WaitTimeTakesTheIntegerFormsAndFallsBackOnAnythingElse) {
    const struct {
        const char* Stored;
        std::int32_t Loaded;
    } cases[] = {{"15s", 20}, {"", 20}, {"-3", -3}, {"$1E", 30}, {"0x1E", 30}, {"  0", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Stored);
        File() = std::string("[Timing]\r\nDelay=") + c.Stored + "\r\n";
        Form.WaitSeconds = 999;
        Load();
        EXPECT_EQ(Form.WaitSeconds, c.Loaded);
    }
}

TEST_F(TForm1SettingsTest, KeysKeepTheirLowEightBitsAndAreWrittenBackAsZeroTo255) {
    File() = "[Timing]\r\nactionkey=378\r\npitinkey=-1\r\n";
    Load();
    EXPECT_EQ(Form.ActionKey, 122);
    EXPECT_EQ(Form.PitInKey, 255);
    Save();
    EXPECT_EQ(Value("actionkey"), "122");
    EXPECT_EQ(Value("pitinkey"), "255");
}

TEST_F(TForm1SettingsTest, APitInKeyInCapitalsIsReadAndStaysOneEntry) {
    File() = "[TIMING]\r\nPITINKEY=65\r\n";
    Load();
    EXPECT_EQ(Form.PitInKey, 'A');
    Form.PitInKey = 'q';
    Save();
    EXPECT_NE(File().find("PITINKEY=113\r\n"), std::string::npos) << File();
    EXPECT_EQ(File().find("pitinkey"), std::string::npos) << File();
}

TEST_F(TForm1SettingsTest, AnEmptyMessageStaysEmptyAcrossLoadAndSave) {
    File() = "[Timing]\r\nPitInMessage=\r\nPitOutMessage=\r\nPitOutWarning=\r\n";
    PitInBox.Value = PitOutBox.Value = WarningBox.Value = "before";
    Load();
    EXPECT_EQ(PitInBox.Text(), "");
    EXPECT_EQ(PitOutBox.Text(), "");
    EXPECT_EQ(WarningBox.Text(), "");
    Save();
    EXPECT_EQ(Value("PitInMessage"), "");
    EXPECT_EQ(Value("PitOutMessage"), "");
    EXPECT_EQ(Value("PitOutWarning"), "");
}

TEST_F(TForm1SettingsTest, ALongMessageLoadsAsItsFirst2047Characters) {
    std::string message;
    for (int i = 0; i < 3000; ++i) {
        message += static_cast<char>('0' + i % 10);
    }
    File() = "[Timing]\r\nPitOutMessage=" + message + "\r\n";
    Load();
    EXPECT_EQ(PitOutBox.Text(), message.substr(0, 2047));
}

TEST_F(TForm1SettingsTest, ThePreWarningIsReadFromTheKeyTheSaveWrites) {
    File() = "[Timing]\r\nPOWarning=Old key\r\n";
    Load();
    EXPECT_EQ(WarningBox.Text(), "Pit Out Warning");

    WarningBox.Value = "Box box";
    Save();
    EXPECT_EQ(Value("POWarning"), "Old key");
    Load();
    EXPECT_EQ(WarningBox.Text(), "Box box");
}

TEST_F(TForm1SettingsTest, MessagesAreSetAfterTheKeysPitInFirst) {
    File() =
        "[Timing]\r\nactionkey=66\r\npitinkey=65\r\nPitInMessage=i\r\n"
        "PitOutMessage=o\r\nPitOutWarning=w\r\n";
    std::vector<std::string> sets;
    PitInBox.OnChange = [&] {
        sets.push_back("pit-in with keys " + std::to_string(Form.PitInKey) + " " +
                       std::to_string(Form.ActionKey));
    };
    PitOutBox.OnChange = [&] { sets.push_back("pit-out"); };
    WarningBox.OnChange = [&] { sets.push_back("pre-warning"); };
    Load();
    EXPECT_EQ(sets, (std::vector<std::string>{"pit-in with keys 65 66", "pit-out", "pre-warning"}));
}

TEST_F(TForm1SettingsTest, AFailingWriteStopsTheSaveThereAndNamesTheFullPath) {
    File() = "[Timing]\r\nDelay=5\r\nPitInMessage=Old\r\n";
    Form.WaitSeconds = 30;
    Form.ActionKey = 'a';
    Form.PitInKey = 'b';
    PitInBox.Value = "New";
    Profile.WritesBeforeFailure = 3;
    try {
        Save();
        FAIL() << "the save did not fail";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + kIni);
    }
    EXPECT_EQ(Profile.Writes, 4) << "writes went on after the failure";
    EXPECT_EQ(File(),
              "[Timing]\r\nDelay=30\r\nPitInMessage=Old\r\nactionkey=97\r\npitinkey=98\r\n");
}

TEST_F(TForm1SettingsTest, LineBreaksInMessagesReachTheFileAsSpaces) {
    Form.WaitSeconds = 40;
    PitInBox.Value = "Box\r\nDelay=1";
    PitOutBox.Value = "Go\ngo\n";
    WarningBox.Value = "\r[Timing]\r";
    Save();
    EXPECT_EQ(Value("PitInMessage"), "Box  Delay=1");
    EXPECT_EQ(Value("PitOutMessage"), "Go go ");
    EXPECT_EQ(Value("PitOutWarning"), " [Timing] ");
    EXPECT_EQ(Value("Delay"), "40");
    // One header and six entries, nothing more.
    std::size_t lines = 0;
    for (std::size_t pos = 0; (pos = File().find("\r\n", pos)) != std::string::npos; pos += 2) {
        ++lines;
    }
    EXPECT_EQ(lines, 7u);
    EXPECT_EQ(File().find_first_of("\r\n"), File().find("\r\n"));
}

TEST_F(TForm1SettingsTest, WhatIsSavedIsLoadedAgain) {
    Form.WaitSeconds = -2147483647 - 1;
    Form.ActionKey = 0xE9;
    Form.PitInKey = '\t';
    PitInBox.Value = "Pit \xE9 \"in\"";
    PitOutBox.Value = "out = ;out";
    WarningBox.Value = "[warn]";
    Save();
    Form.WaitSeconds = 0;
    Form.ActionKey = Form.PitInKey = 0;
    PitInBox.Value = PitOutBox.Value = WarningBox.Value = "";
    Load();
    EXPECT_EQ(Form.WaitSeconds, -2147483647 - 1);
    EXPECT_EQ(Form.ActionKey, 0xE9);
    EXPECT_EQ(Form.PitInKey, '\t');
    EXPECT_EQ(PitInBox.Text(), "Pit \xE9 \"in\"");
    EXPECT_EQ(PitOutBox.Text(), "out = ;out");
    EXPECT_EQ(WarningBox.Text(), "[warn]");
}

}  // namespace
