// The runtime failures the application raises; the default error handler shows their text.
#pragma once

#include <string>

#include "platform/Exception.h"

// A file that cannot be created: "Cannot create file %s".
class EFCreateError : public Exception {
  public:
    using Exception::Exception;
};

// A file that was created but could not be written in full.
class EWriteError : public Exception {
  public:
    using Exception::Exception;
};

// A settings file that cannot be written: "Unable to write to %s".
class EIniFileException : public Exception {
  public:
    using Exception::Exception;
};
