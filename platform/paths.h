#pragma once
// Names of the files the program keeps beside its executable.

#include <string>
#include <string_view>

namespace kt {

// The executable's directory with its trailing separator: the path up to and including its
// last "\" or ":".
std::string directoryOf(std::string_view exePath);

// The path with its extension (from the file name's last ".") replaced; a name without a "."
// gets the extension appended.
std::string changeFileExt(std::string_view path, std::string_view extension);

}  // namespace kt
