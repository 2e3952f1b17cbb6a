// The settings file with the real profile functions: our reader agrees with
// GetPrivateProfileStringA, the file lies beside the executable, and a failed write is raised.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/Errors.h"
#include "app/Main.h"
#include "platform/ExecutablePath.h"
#include "platform/win32/Win32ProfileFile.h"
#include "platform/win32/Win32Text.h"
#include "tests/fakes/FakeApplication.h"
#include "tests/fakes/ProfileReadCases.h"
#include "tests/fakes/ProfileText.h"

namespace {

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

// A fresh directory in the temporary folder, emptied and removed with the test. Files are
// never reused: Wine keeps recently read profile files in a cache.
class TScratchDirectory {
  public:
    TScratchDirectory() {
        char temp[MAX_PATH + 1];
        const DWORD length = GetTempPathA(MAX_PATH + 1, temp);
        static int serial = 0;
        Path = std::string(temp, length) + "quorl-settings-" +
               std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
        CreateDirectoryA(Path.c_str(), nullptr);
    }
    ~TScratchDirectory() {
        WIN32_FIND_DATAA found;
        const HANDLE search = FindFirstFileA((Path + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name == "." || name == "..") {
                    continue;
                }
                const std::string path = Path + "\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveDirectoryA(path.c_str());
                } else {
                    DeleteFileA(path.c_str());
                }
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(Path.c_str());
    }
    TScratchDirectory(const TScratchDirectory&) = delete;
    TScratchDirectory& operator=(const TScratchDirectory&) = delete;

    std::string Path;
};

struct TSettingsWineReadTest : testing::TestWithParam<TProfileReadCase> {};

TEST_P(TSettingsWineReadTest, OurReaderAnswersAsGetPrivateProfileStringA) {
    const TProfileReadCase& c = GetParam();
    TScratchDirectory scratch;
    const std::string path = scratch.Path + "\\" + c.Name + ".ini";
    if (!c.File.empty()) {
        WriteBytes(path, c.File);
    }
    // One byte past the buffer shows that the function keeps to nSize.
    std::vector<char> buffer(c.BufferSize + 1, '#');
    const DWORD copied =
        GetPrivateProfileStringA(c.Section.c_str(), c.Key.c_str(), c.Default.c_str(), buffer.data(),
                                 static_cast<DWORD>(c.BufferSize), path.c_str());
    const std::string system(buffer.data(), copied);
    EXPECT_EQ(buffer[c.BufferSize], '#');

    EXPECT_EQ(ProfileText::ReadValue(c.File, c.Section, c.Key, c.Default, c.BufferSize), system);
    EXPECT_EQ(system, c.Expected);
    if (c.BufferSize == ProfileText::kReadBufferSize) {
        TWin32ProfileFile profile;
        EXPECT_EQ(profile.ReadString(c.Section, c.Key, c.Default, path), system);
    }
}

std::vector<TProfileReadCase> RulesWineSharesWithWindows() {
    std::vector<TProfileReadCase> shared;
    for (const TProfileReadCase& c : ProfileReadCases()) {
        if (c.SameOnWine) {
            shared.push_back(c);
        }
    }
    return shared;
}

INSTANTIATE_TEST_SUITE_P(SharedReadRules,
                         TSettingsWineReadTest,
                         testing::ValuesIn(RulesWineSharesWithWindows()),
                         [](const testing::TestParamInfo<TProfileReadCase>& param) {
                             return param.param.Name;
                         });

// An application over fakes but for the real profile functions.
class TWin32ProfileApplication : public TFakeApplication {
  public:
    IProfileFile& ProfileFile() override { return Profile; }

    TWin32ProfileFile Profile;
};

class TSettingsWineFormTest : public testing::Test {
  protected:
    // The program over the real profile functions, as if run from the executable given, shown.
    std::unique_ptr<TProgramWindows> Started(const std::string& executable) {
        Application.Executable = executable;
        auto program = std::make_unique<TProgramWindows>(Application);
        program->Show();
        return program;
    }

    TWin32ProfileApplication Application;
};

TEST_F(TSettingsWineFormTest, TheFileLiesBesideTheExecutableWhateverTheCurrentDirectory) {
    const std::string executable = ExecutableFullPath();
    ASSERT_TRUE(Exists(executable)) << executable;
    const std::string beside =
        executable.substr(0, executable.find_last_of('\\') + 1) + "QuorlWait.ini";
    DeleteFileA(beside.c_str());

    TScratchDirectory elsewhere;
    char previous[MAX_PATH + 1];
    GetCurrentDirectoryA(MAX_PATH + 1, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(elsewhere.Path.c_str()));

    TFakeMainWindow& window = Application.MainWindow;
    std::unique_ptr<TProgramWindows> program = Started(executable);
    EXPECT_EQ(window.BoxOf("Wait Time").Text(), "20");
    Application.DialogsService.InputAnswers = {"45"};
    window.Click("Set Wait Time");
    Application.MessageEntryWindow.WhileOpen = [&] {
        Application.MessageEntryWindow.Edit.SetText("Out\r\nnow");
    };
    window.Click("Set PO Message");
    window.Close();
    program.reset();
    Application.MainWindow = TFakeMainWindow();
    program = Started(executable);

    SetCurrentDirectoryA(previous);
    const std::string saved = ReadBytes(beside);
    DeleteFileA(beside.c_str());

    EXPECT_FALSE(Exists(elsewhere.Path + "\\QuorlWait.ini"));
    EXPECT_EQ(saved,
              "[Timing]\r\n"
              "Delay=45\r\n"
              "actionkey=122\r\n"
              "pitinkey=120\r\n"
              "PitInMessage=Pit In\r\n"
              "PitOutMessage=Out  now\r\n"
              "PitOutWarning=Pit Out Warning\r\n");
    EXPECT_EQ(window.BoxOf("Wait Time").Text(), "45");
    EXPECT_EQ(window.BoxOf("Pit Out Message").Text(), "Out  now");
}

// A root process writes to a read-only file under Wine anyway, so a directory takes the file's
// place: WritePrivateProfileStringA then fails.
TEST_F(TSettingsWineFormTest, AFailedWriteIsRaisedWithTheFullPath) {
    TScratchDirectory scratch;
    const std::string file = scratch.Path + "\\QuorlWait.ini";
    ASSERT_TRUE(CreateDirectoryA(file.c_str(), nullptr));
    try {
        const std::unique_ptr<TProgramWindows> program = Started(scratch.Path + "\\QuorlWait.exe");
        Application.MainWindow.Close();
        FAIL() << "the save did not fail";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + file);
    }
}

// Folders whose names the ANSI code page (1252 here) cannot hold, and one deeper than
// MAX_PATH: the settings file there takes every byte of a message as the A functions do.
// Names are UTF-8, as the program's paths are.
const char* const kCyrillicFolder = "\xD0\x9F\xD0\xB8\xD1\x82-\xD1\x81\xD1\x82\xD0\xBE\xD0\xBF";
const char* const kEmojiFolder = "\xF0\x9F\x8F\x81 Boxen";

// A folder tree made and removed with the W functions, which take any name and length.
class TWideScratch {
  public:
    explicit TWideScratch(const std::vector<std::string>& names) {
        Folders.push_back(Scratch.Path);
        for (const std::string& name : names) {
            Folders.push_back(Folders.back() + "\\" + name);
            CreateDirectoryW(WideFromUtf8(Folders.back()).c_str(), nullptr);
        }
    }
    ~TWideScratch() {
        for (const std::string& file : Files) {
            const std::wstring path = WideFromUtf8(file);
            if (!DeleteFileW(path.c_str())) {
                RemoveDirectoryW(path.c_str());
            }
        }
        for (auto folder = Folders.rbegin(); folder + 1 != Folders.rend(); ++folder) {
            RemoveDirectoryW(WideFromUtf8(*folder).c_str());
        }
    }
    TWideScratch(const TWideScratch&) = delete;
    TWideScratch& operator=(const TWideScratch&) = delete;

    std::string File(const std::string& name) {
        Files.push_back(Folders.back() + "\\" + name);
        return Files.back();
    }
    bool Exists() const {
        return GetFileAttributesW(WideFromUtf8(Folders.back()).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

  private:
    TScratchDirectory Scratch;
    std::vector<std::string> Folders;
    std::vector<std::string> Files;
};

std::string ReadWideBytes(const std::string& path) {
    const HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return "(no file)";
    }
    std::string bytes(65536, '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

struct TFolderCase {
    const char* Name;
    std::vector<std::string> Folders;
};

std::vector<std::string> DeepFolders() {
    std::vector<std::string> folders;
    for (int i = 0; i < 9; ++i) {
        folders.push_back("a folder name of thirty-two chars" + std::to_string(i));
    }
    return folders;
}

// A message of every byte 32 to 255 (between two marks, as a value's edge blanks are not kept),
// saved and loaded through the W profile functions, leaves the same bytes in the file as the A
// functions leave in a folder they can name, and comes back byte for byte.
TEST(SettingsWineAnyFolderTest, EveryByteOfAMessageSurvivesASaveAndALoadInAnyFolder) {
    std::string message = "<";
    for (int byte = 32; byte <= 255; ++byte) {
        message += static_cast<char>(byte);
    }
    message += ">";
    TScratchDirectory ascii;
    const std::string asciiFile = ascii.Path + "\\QuorlWait.ini";
    ASSERT_TRUE(
        WritePrivateProfileStringA("Timing", "PitInMessage", message.c_str(), asciiFile.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("Timing", "Delay", "20", asciiFile.c_str()));
    const std::string expectedBytes = ReadBytes(asciiFile);
    ASSERT_EQ(expectedBytes.size(), 8 + 2 + 13 + message.size() + 2 + 10);

    const std::vector<TFolderCase> cases = {
        {"Cyrillic", {kCyrillicFolder}},
        {"emoji", {kEmojiFolder}},
        {"deeper than MAX_PATH", DeepFolders()},
    };
    for (const TFolderCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TWideScratch folder(c.Folders);
        ASSERT_TRUE(folder.Exists());
        const std::string file = folder.File("QuorlWait.ini");
        TWin32ProfileFile profile;
        EXPECT_EQ(profile.ReadString("Timing", "PitInMessage", "Pit In", file), "Pit In");
        ASSERT_TRUE(profile.WriteString("Timing", "PitInMessage", message, file));
        ASSERT_TRUE(profile.WriteString("Timing", "Delay", "20", file));
        EXPECT_EQ(ReadWideBytes(file), expectedBytes) << file.size() << " bytes of path";
        EXPECT_EQ(profile.ReadString("Timing", "PitInMessage", "Pit In", file), message);
        EXPECT_EQ(profile.ReadString("Timing", "Delay", "0", file), "20");

        // A directory in the file's place: the write fails, as the A function's does.
        const std::string blocked = folder.File("blocked.ini");
        ASSERT_TRUE(CreateDirectoryW(WideFromUtf8(blocked).c_str(), nullptr));
        EXPECT_FALSE(profile.WriteString("Timing", "Delay", "20", blocked));
        EXPECT_EQ(profile.ReadString("Timing", "Delay", "7", blocked), "7");
    }
}

}  // namespace
