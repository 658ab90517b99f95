#include "platform/paths.h"

namespace kt {

namespace {
constexpr std::string_view kDirectorySeparators = "\\:";
}

std::string directoryOf(std::string_view exePath) {
    const auto end = exePath.find_last_of(kDirectorySeparators);
    return std::string(end == std::string_view::npos ? std::string_view{}
                                                     : exePath.substr(0, end + 1));
}

std::string changeFileExt(std::string_view path, std::string_view extension) {
    const auto nameStart = path.find_last_of(kDirectorySeparators);
    const auto dot = path.rfind('.');
    const bool hasExtension =
        dot != std::string_view::npos && (nameStart == std::string_view::npos || dot > nameStart);
    std::string result(hasExtension ? path.substr(0, dot) : path);
    result += extension;
    return result;
}

}  // namespace kt
