// The log box: the event log's lines in an owner-data list view, and its clipboard copy.
#include "platform/win32/Win32LogBox.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "platform/win32/Win32Clipboard.h"
#include "platform/win32/Win32ProcAddress.h"

namespace {
// Room the list view keeps either side of a line's text, so that the widest line is not cut.
constexpr int kTextPadding = 16;
}  // namespace

// The list view is comctl32's: its class exists only once InitCommonControlsEx registered it.
// comctl32 is loaded here, under the process's activation context (version 6, as the manifest
// asks), and stays loaded; it is not imported: under Wine an import of it with that manifest
// costs 100 ms before WinMain at every start (measured), loaded here it costs a few.
const char* TWin32LogBox::ClassName() {
    static const bool registered = [] {
        using TInitCommonControlsEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        const auto initCommonControlsEx = ProcAddress<TInitCommonControlsEx>(
            LoadLibraryA("comctl32.dll"), "InitCommonControlsEx");
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        return initCommonControlsEx != nullptr && initCommonControlsEx(&controls) != FALSE;
    }();
    (void)registered;  // on failure CreateWindowEx fails, and the window has no log box
    return WC_LISTVIEWA;
}

void TWin32LogBox::Attach(HWND listView) {
    ListView = listView;
    if (ListView == nullptr) {
        return;
    }
    SendMessageA(ListView, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_DOUBLEBUFFER | LVS_EX_FULLROWSELECT,
                 LVS_EX_DOUBLEBUFFER | LVS_EX_FULLROWSELECT);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = 0;
    SendMessageA(ListView, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    FitColumn();
    Flush();
}

void TWin32LogBox::ShowLines(const ILogLines* lines) {
    Lines = lines;
    Shown = 0;
    WidestPixels = 0;
    WidestBytes = 0;
    if (ListView != nullptr) {
        // An owner-data list view asks for the text of every line it draws; with no lines it
        // must not ask for any.
        SendMessageA(ListView, LVM_SETITEMCOUNT, 0, 0);
    }
}

std::string TWin32LogBox::LineText(std::size_t index) const {
    std::string text(Lines->LineLength(index) + 1, '\0');
    text.resize(Lines->CopyLine(index, text.data(), text.size()));
    return text;
}

// The list view keeps only the number of lines (LVM_SETITEMCOUNT of an LVS_OWNERDATA list);
// LVSICF_NOINVALIDATEALL keeps it from repainting the lines already drawn, and LVM_ENSUREVISIBLE
// scrolls the newest into view.
void TWin32LogBox::Flush() {
    if (ListView == nullptr || Lines == nullptr) {
        return;
    }
    const std::size_t count = std::min<std::size_t>(Lines->LineCount(), INT_MAX);
    if (count == Shown) {
        return;
    }
    for (std::size_t i = Shown; i < count; ++i) {
        const std::size_t bytes = Lines->LineLength(i);
        if (bytes > WidestBytes) {
            const std::string text = LineText(i);
            const int pixels = static_cast<int>(SendMessageA(
                ListView, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text.c_str())));
            WidestBytes = bytes;
            WidestPixels = std::max(WidestPixels, pixels);
        }
    }
    if (SendMessageA(ListView, LVM_SETITEMCOUNT, static_cast<WPARAM>(count),
                     LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL) == 0) {
        return;  // the list view keeps its old count; the next flush tries again
    }
    Shown = count;
    FitColumn();
    SendMessageA(ListView, LVM_ENSUREVISIBLE, static_cast<WPARAM>(count - 1), FALSE);
}

void TWin32LogBox::FitColumn() {
    if (ListView == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(ListView, &client);
    const int width = std::max<int>(client.right - client.left, WidestPixels + kTextPadding);
    if (width != ColumnWidth &&
        SendMessageA(ListView, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(width, 0)) != 0) {
        ColumnWidth = width;
    }
}

LRESULT TWin32LogBox::OnNotify(const NMHDR& header) {
    switch (header.code) {
        // The text of a line it is about to draw: pszText may be pointed at our own buffer
        // instead of filling the list view's, which holds only 260 characters.
        case LVN_GETDISPINFOA: {
            auto& info = const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header));
            const auto index = static_cast<std::size_t>(info.item.iItem);
            if ((info.item.mask & LVIF_TEXT) != 0 && Lines != nullptr && info.item.iItem >= 0 &&
                index < Lines->LineCount()) {
                DisplayText = LineText(index);
                info.item.pszText = DisplayText.data();
            }
            return 0;
        }
        case LVN_KEYDOWN: {
            const auto& key = reinterpret_cast<const NMLVKEYDOWN&>(header);
            if (GetKeyState(VK_CONTROL) < 0) {
                if (key.wVKey == 'A') {
                    SelectAll();
                } else if ((key.wVKey == 'C' || key.wVKey == VK_INSERT) && !CopySelection()) {
                    // The clipboard refused and is left empty: the driver hears the warning
                    // sound (MessageBeep), as Windows' own controls answer a key they cannot
                    // carry out, and no box takes the focus on the way back to the simulation.
                    MessageBeep(MB_ICONWARNING);
                }
            }
            return 0;
        }
        // Typing a character makes an owner-data list view ask which line starts with it; an
        // answer of 0 would select the first line, -1 says none does.
        case LVN_ODFINDITEMA:
        case LVN_ODFINDITEMW:
            return -1;
        default:
            return 0;
    }
}

void TWin32LogBox::SelectAll() {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    // Item -1 stands for every item.
    SendMessageA(ListView, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&item));
}

bool TWin32LogBox::CopySelection() {
    if (ListView == nullptr || Lines == nullptr) {
        return true;
    }
    std::vector<std::size_t> selected;
    const auto selectedCount =
        static_cast<std::size_t>(SendMessageA(ListView, LVM_GETSELECTEDCOUNT, 0, 0));
    if (selectedCount == Shown) {
        selected.resize(Shown);
        for (std::size_t i = 0; i < Shown; ++i) {
            selected[i] = i;
        }
    } else {
        for (LRESULT i = SendMessageA(ListView, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                      MAKELPARAM(LVNI_SELECTED, 0));
             i >= 0; i = SendMessageA(ListView, LVM_GETNEXTITEM, static_cast<WPARAM>(i),
                                      MAKELPARAM(LVNI_SELECTED, 0))) {
            if (static_cast<std::size_t>(i) < Shown) {
                selected.push_back(static_cast<std::size_t>(i));
            }
        }
    }
    if (selected.empty()) {
        return true;  // nothing to copy, as an edit control's Ctrl+C with no selection
    }
    std::size_t bytes = 1;
    for (std::size_t i : selected) {
        bytes += Lines->LineLength(i) + 2;
    }
    bytes -= 2;
    std::string text(bytes, '\0');
    std::size_t at = 0;
    for (std::size_t i : selected) {
        if (at != 0) {
            text[at++] = '\r';
            text[at++] = '\n';
        }
        at += Lines->CopyLine(i, text.data() + at, bytes - at);
    }
    text.resize(at);
    return PutTextOnClipboard(ListView, text);
}
