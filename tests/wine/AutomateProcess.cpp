// CreateProcessA with stdout on a pipe; the test thread pumps while the helper runs.
#include "tests/wine/AutomateProcess.h"

#include "tests/wine/TargetWindow.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {
constexpr DWORD kPipeBytes = 1 << 20;      // larger than any output, so the helper never blocks
constexpr DWORD kHelperTimeoutMs = 60000;  // a deadline on a loaded machine

std::string OwnPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string PathBesideTests(const std::string& program) {
    std::string folder = OwnPath();
    folder.resize(folder.find_last_of("\\/") + 1);
    return folder + program;
}

// Quoted for the C runtime's argument parser; our arguments hold no quotes or backslashes
// before quotes.
std::string CommandLine(const std::string& program, const std::vector<std::string>& args) {
    std::string line = "\"" + PathBesideTests(program) + "\"";
    for (const std::string& arg : args) {
        line += " \"" + arg + "\"";
    }
    return line;
}
}  // namespace

std::string ThisExecutableName() {
    const std::string path = OwnPath();
    return path.substr(path.find_last_of("\\/") + 1);
}

TAutomateResult RunAutomate(const std::vector<std::string>& args) {
    return RunBesideTests("quorl-automate.exe", args);
}

TAutomateResult RunBesideTests(const std::string& program, const std::vector<std::string>& args) {
    TAutomateResult result;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, kPipeBytes)) {
        ADD_FAILURE() << "CreatePipe failed";
        return result;
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    std::string line = CommandLine(program, args);
    const bool started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process) != FALSE;
    CloseHandle(writeEnd);
    if (!started) {
        ADD_FAILURE() << "cannot start " << line << ": error " << GetLastError();
        CloseHandle(readEnd);
        return result;
    }
    const bool ended =
        PumpUntil([&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; },
                  kHelperTimeoutMs);
    if (!ended) {
        ADD_FAILURE() << line << " did not end";
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, INFINITE);
    }
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    result.ExitCode = static_cast<int>(code);
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        result.Output.append(buffer, read);
    }
    CloseHandle(readEnd);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}
