// What the user sees of a runtime failure: one error box, then the program goes on.
#include "app/ErrorHandler.h"

#include <utility>

std::string ApplicationTitle(const std::string& executablePath) {
    const std::size_t slash = executablePath.find_last_of("\\/:");
    std::string name =
        slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return name;
}

std::string ErrorBoxText(const std::string& message) {
    // Compared as unsigned bytes: 8-bit characters above 127 sort after "." too.
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        return message + ".";
    }
    return message;
}

// The texts are made here, so that the fallback box needs no memory when it is shown.
TDefaultErrorHandler::TDefaultErrorHandler(IDialogs& dialogs, std::string applicationTitle)
    : Dialogs(dialogs), Title(std::move(applicationTitle)), OutOfMemoryText("Out of memory.") {}

// The error box runs a modal loop that goes on dispatching timer ticks and keystroke reports,
// and a handler that fails on every key would open a box per key, one above the other, faster
// than the driver can close them. So while a box is open a further error is dropped, not
// queued: it is nearly always the same failure again, and the open box already says what went
// wrong; the next error after the box is closed opens a box of its own.
void TDefaultErrorHandler::ShowException(const std::exception& error) noexcept {
    if (BoxOpen) {
        return;
    }
    BoxOpen = true;
    try {
        Dialogs.ErrorBox(Title, ErrorBoxText(error.what()));
    } catch (const std::exception&) {
        // Only building the text can throw (no memory for it); ErrorBox itself throws nothing.
        Dialogs.ErrorBox(Title, OutOfMemoryText);
    }
    BoxOpen = false;
}
