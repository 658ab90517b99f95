#include "settings/opacity_value.h"

#include <algorithm>
#include <cstdint>

#include "settings/integer_rule.h"

namespace kt::settings {

int spinValue(std::string_view text) {
    return readInteger(text, kMinOpacity);
}

int confineOpacity(int value) {
    return std::clamp(value, kMinOpacity, kMaxOpacity);
}

int step(int value, int delta) {
    // Typed text may hold any 32-bit number, so step in a wider type before confining.
    const std::int64_t moved = std::int64_t{value} + delta;
    return static_cast<int>(std::clamp<std::int64_t>(moved, kMinOpacity, kMaxOpacity));
}

int effectiveOpacity(std::string_view text) {
    return confineOpacity(spinValue(text));
}

}  // namespace kt::settings
