#include "platform/ini_file_win.h"

#include "platform/error.h"

#include <windows.h>

#include <array>

namespace kt {

namespace {
// Marks a missing key: no real value can contain a line end.
constexpr char kMissing[] = "\n";
}  // namespace

std::optional<std::string> IniFile::read(const std::string& section, const std::string& key) const {
    std::array<char, 2048> buffer{};
    const DWORD length =
        ::GetPrivateProfileStringA(section.c_str(), key.c_str(), kMissing, buffer.data(),
                                   static_cast<DWORD>(buffer.size()), path_.c_str());
    std::string value(buffer.data(), length);
    if (value == kMissing) {
        return std::nullopt;
    }
    return value;
}

void IniFile::write(const std::string& section, const std::string& key, const std::string& value) {
    if (!::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str())) {
        throw AppError("Unable to write to " + path_);
    }
}

void IniFile::flush() {
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());
}

}  // namespace kt
