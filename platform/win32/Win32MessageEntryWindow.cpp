// "New Message Dialog": 412 x 106, Edit1 without a length limit, Enter closes nothing.
#include "platform/win32/Win32MessageEntryWindow.h"

namespace {
constexpr TEditDialogLook kLook{"New Message Dialog",   "Enter New Message",   412, 106,
                                /*EnterMeansOK=*/false, /*UnlimitedText=*/true};
}  // namespace

TWin32MessageEntryWindow::TWin32MessageEntryWindow(TOwnerSource owner)
    : Owner(std::move(owner)), Dialog(kLook) {}

TModalResult TWin32MessageEntryWindow::ShowModal() {
    return Dialog.ShowModal(reinterpret_cast<HWND>(Owner ? Owner() : 0));
}
