// What the user sees of a runtime failure: one error box, then the program goes on.
#include "app/ErrorHandler.h"

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

void ShowException(IDialogs& dialogs, const std::string& applicationTitle,
                   const std::exception& error) {
    dialogs.ErrorBox(applicationTitle, ErrorBoxText(error.what()));
}
