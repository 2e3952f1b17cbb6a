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

// Shows the error in an error box captioned with the application's title, with a single OK
// button. The program goes on running.
void ShowException(IDialogs& dialogs, const std::string& applicationTitle,
                   const std::exception& error);
