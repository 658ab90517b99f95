#pragma once
// The display boundary: list entries, paths and files are 8-bit text in the system's ANSI code
// page; windows show UTF-16. Conversions happen here and nowhere else.

#include <string>
#include <string_view>

namespace kt {

std::wstring widen(std::string_view ansi);
std::string narrow(std::wstring_view wide);

// The system's own wording for an error code, without the trailing line end.
std::string systemErrorText(unsigned long code);

}  // namespace kt
