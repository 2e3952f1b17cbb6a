// The application's default error handler: an error box with the exception's message.
#pragma once

#include <exception>
#include <string>

#include "platform/Dialogs.h"

// The application's title: the executable's file name without its extension.
std::string ApplicationTitle(const std::string& executablePath);

// The message as the error box shows it: a full stop is added when its last character sorts
// after ".".
std::string ErrorBoxText(const std::string& message);

class TDefaultErrorHandler {
  public:
    TDefaultErrorHandler(IDialogs& dialogs, std::string applicationTitle);

    // Shows the error in an error box captioned with the application's title, with a single OK
    // button; the program goes on running. While its box is open, a further error is dropped.
    // Throws nothing, whatever happens while it reports.
    void ShowException(const std::exception& error) noexcept;

  private:
    IDialogs& Dialogs;
    const std::string Title;
    const std::string OutOfMemoryText;
    bool BoxOpen = false;
};
