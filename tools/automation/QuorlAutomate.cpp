// quorl-automate: the end-to-end tests' Win32 helper. It finds windows and controls of the
// program under test by caption, clicks, reads and sets text, closes and focuses windows.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/automation/WindowFinder.h"

// After <windows.h>, which WindowFinder.h brings.
#include <commctrl.h>

namespace {

enum TExitCode : int {
    kDone = 0,
    kNotFound = 1,  // no such window or control, or the wait timed out, or "exists" is false
    kUsage = 2,
    kFailed = 3,  // found, but the action did not take (no answer, focus not verified)
};

constexpr DWORD kPollMs = 20;
constexpr DWORD kDefaultWaitMs = 5000;
constexpr DWORD kFocusWaitMs = 2000;
constexpr UINT kAnswerTimeoutMs = 5000;

constexpr const char* kUsageText =
    "usage: quorl-automate <command> [arguments]\n"
    "Windows are visible top-level windows named by their exact caption (the topmost wins).\n"
    "Controls are direct children: a button by its caption (\"&\" marks ignored); an edit as\n"
    "\"#N\" (the N-th edit from 0, in creation order) or by its label's caption (the edit to\n"
    "the right of that label on its row, else the nearest below it).\n"
    "\n"
    "  list                                 prints \"<handle>\\t<class>\\t<caption>\" lines\n"
    "  exists <caption>                     exit 0 if shown, 1 if not\n"
    "  wait-window <caption> [timeoutMs]    exit 0 once shown, 1 after the timeout (5000)\n"
    "  wait-gone <caption> [timeoutMs]      exit 0 once no longer shown, 1 after the timeout\n"
    "  click <caption> <button>             posts BM_CLICK to the button; returns at once\n"
    "  get-text <caption> <control>         prints the edit's text exactly, no line end added\n"
    "  set-text <caption> <control> <text>  sends WM_SETTEXT; waits up to 5 s for the answer\n"
    "  message-box-text <caption>           prints a message box's text in UTF-8, no line end\n"
    "  line-count <caption>                 prints the number of lines its log box shows\n"
    "  close <caption>                      posts WM_CLOSE; returns at once\n"
    "  focus <caption>                      makes it Wine's foreground window with the focus\n"
    "                                       (its focused control kept), verified within 2 s\n"
    "  minimize <caption>                   minimises it (ShowWindow); returns at once\n"
    "  state <caption>                      prints \"minimized\" or \"normal\", then\n"
    "                                       \" foreground\" when it is Wine's foreground\n"
    "  press-key <virtualKey>               injects a press and a release of the key with\n"
    "                                       keybd_event, as a macro tool or button box would\n"
    "Output goes to stdout without \"\\r\"; errors to stderr.\n"
    "Exit codes: 0 done, 1 window or control not found (or timed out), 2 bad usage,\n"
    "3 found but the action failed.\n";

int Fail(int code, const std::string& message) {
    std::fprintf(stderr, "quorl-automate: %s\n", message.c_str());
    return code;
}

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

bool WaitFor(const std::string& caption, bool shown, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if ((FindVisibleTopLevel(caption) != nullptr) == shown) {
            return true;
        }
        if (GetTickCount() - start >= timeoutMs) {
            return false;
        }
        Sleep(kPollMs);
    }
}

bool ParseMs(const std::string& text, DWORD& ms) {
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0') {
        return false;
    }
    ms = static_cast<DWORD>(value);
    return true;
}

bool FocusIsIn(HWND window) {
    HWND focus = GetFocus();
    return focus != nullptr && (focus == window || IsChild(window, focus));
}

// The foreground and the focus belong to the target's thread: with our input attached to it,
// SetFocus and GetFocus act on its state. A disabled window (behind a modal dialog) cannot
// take the focus, and the check then fails.
int Focus(HWND window) {
    const DWORD target = GetWindowThreadProcessId(window, nullptr);
    const DWORD self = GetCurrentThreadId();
    const bool attached = AttachThreadInput(self, target, TRUE) != FALSE;
    SetForegroundWindow(window);
    SetActiveWindow(window);
    if (!FocusIsIn(window)) {
        SetFocus(window);
    }
    const DWORD start = GetTickCount();
    bool focused = false;
    for (;;) {
        focused = GetForegroundWindow() == window && FocusIsIn(window);
        if (focused || GetTickCount() - start >= kFocusWaitMs) {
            break;
        }
        Sleep(kPollMs);
    }
    if (attached) {
        AttachThreadInput(self, target, FALSE);
    }
    return focused ? kDone : Fail(kFailed, "the window did not take the focus");
}

int Run(const std::vector<std::string>& args) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        Print(kUsageText);
        return args.empty() ? kUsage : kDone;
    }
    const std::string& command = args[0];
    const std::size_t count = args.size() - 1;
    auto usage = [&] { return Fail(kUsage, "bad arguments for " + command + " (see --help)"); };

    if (command == "list") {
        if (count != 0) {
            return usage();
        }
        for (HWND window : VisibleTopLevels()) {
            char handle[32];
            std::snprintf(handle, sizeof handle, "0x%llx",
                          static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
            Print(std::string(handle) + "\t" + ClassOf(window) + "\t" + CaptionOf(window) + "\n");
        }
        return kDone;
    }
    if (command == "press-key") {
        DWORD virtualKey = 0;
        if (count != 1 || !ParseMs(args[1], virtualKey) || virtualKey == 0 || virtualKey > 254) {
            return usage();
        }
        // Another process's keys: the hook sees them marked as injected, like the program's own.
        const auto key = static_cast<BYTE>(virtualKey);
        const auto scanCode = static_cast<BYTE>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
        keybd_event(key, scanCode, 0, 0);
        keybd_event(key, scanCode, KEYEVENTF_KEYUP, 0);
        return kDone;
    }
    if (command == "wait-window" || command == "wait-gone") {
        DWORD timeoutMs = kDefaultWaitMs;
        if (count < 1 || count > 2 || (count == 2 && !ParseMs(args[2], timeoutMs))) {
            return usage();
        }
        const bool shown = command == "wait-window";
        if (WaitFor(args[1], shown, timeoutMs)) {
            return kDone;
        }
        return Fail(kNotFound, "\"" + args[1] + "\" " + (shown ? "not shown" : "still shown") +
                                   " after " + std::to_string(timeoutMs) + " ms");
    }

    if (count < 1) {
        return usage();
    }
    HWND window = FindVisibleTopLevel(args[1]);
    if (command == "exists") {
        return count == 1 ? (window != nullptr ? kDone : kNotFound) : usage();
    }
    const bool knownCommand = command == "click" || command == "get-text" ||
                              command == "set-text" || command == "message-box-text" ||
                              command == "line-count" || command == "close" || command == "focus" ||
                              command == "minimize" || command == "state";
    if (!knownCommand) {
        return Fail(kUsage, "unknown command " + command + " (see --help)");
    }
    const std::size_t wanted = command == "click" || command == "get-text" ? 2
                               : command == "set-text"                     ? 3
                                                                           : 1;
    if (count != wanted) {
        return usage();
    }
    if (window == nullptr) {
        return Fail(kNotFound, "no visible window \"" + args[1] + "\"");
    }

    if (command == "click") {
        HWND button = FindButton(window, args[2]);
        if (button == nullptr) {
            return Fail(kNotFound, "no button \"" + args[2] + "\" in \"" + args[1] + "\"");
        }
        // Posted, not sent: the click may open a modal window, whose loop would hold a sent
        // message's answer until it closes.
        return PostMessageA(button, BM_CLICK, 0, 0) ? kDone : Fail(kFailed, "BM_CLICK not posted");
    }
    if (command == "get-text" || command == "set-text") {
        HWND edit = FindEdit(window, args[2]);
        if (edit == nullptr) {
            return Fail(kNotFound, "no edit \"" + args[2] + "\" in \"" + args[1] + "\"");
        }
        if (command == "get-text") {
            std::string text;
            if (!ReadControlText(edit, text)) {
                return Fail(kFailed, "no answer to WM_GETTEXT");
            }
            Print(text);
            return kDone;
        }
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[3].c_str()),
                                 SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &answer)) {
            return Fail(kFailed, "no answer to WM_SETTEXT");
        }
        return kDone;
    }
    if (command == "message-box-text") {
        std::string text;
        if (!MessageBoxText(window, text)) {
            return Fail(kNotFound, "no message text in \"" + args[1] + "\"");
        }
        Print(text);
        return kDone;
    }
    if (command == "line-count") {
        // The log box is the window's list view. LVM_GETITEMCOUNT carries no pointer, so it
        // crosses processes as it is; reading a line's text would need a buffer in the other
        // process.
        HWND box = FindWindowExA(window, nullptr, "SysListView32", nullptr);
        if (box == nullptr) {
            return Fail(kNotFound, "no log box in \"" + args[1] + "\"");
        }
        DWORD_PTR lines = 0;
        if (!SendMessageTimeoutA(box, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                                 &lines)) {
            return Fail(kFailed, "no answer to LVM_GETITEMCOUNT");
        }
        Print(std::to_string(lines));
        return kDone;
    }
    if (command == "close") {
        return PostMessageA(window, WM_CLOSE, 0, 0) ? kDone : Fail(kFailed, "WM_CLOSE not posted");
    }
    if (command == "minimize") {
        ShowWindow(window, SW_MINIMIZE);
        return kDone;
    }
    if (command == "state") {
        Print(std::string(IsIconic(window) ? "minimized" : "normal") +
              (GetForegroundWindow() == window ? " foreground" : ""));
        return kDone;
    }
    return Focus(window);
}

}  // namespace

int main(int argc, char** argv) {
    // Wine's console text mode would write "\r\n" for every "\n".
    _setmode(_fileno(stdout), _O_BINARY);
    std::vector<std::string> args(argv + 1, argv + argc);
    const int code = Run(args);
    std::fflush(stdout);
    return code;
}
