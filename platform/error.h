#pragma once
// Errors that the user must see. A handler throws; the one dispatcher around every window
// procedure and timer catches it, skips the rest of that handler and shows the error display.

#include <stdexcept>
#include <string>

namespace kt {

// Text is 8-bit in the system's ANSI code page, like the paths it names.
class AppError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The error display's text: a full stop is added when the last character sorts after ".".
std::string withFullStop(std::string text);

}  // namespace kt
