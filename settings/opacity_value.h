#pragma once
// The opacity field's value rule: what number its text stands for, how far it may go, and how
// the arrow keys and buttons step it. No window is needed to decide any of this.

#include <string_view>

namespace kt::settings {

inline constexpr int kMinOpacity = 50;
inline constexpr int kMaxOpacity = 255;

// The field's text read as a whole number by the settings file's integer rule. Text that holds
// no number, empty text included, counts as the minimum. A typed number is not confined here:
// the field keeps it as typed until it is confirmed.
int spinValue(std::string_view text);

// The value brought into kMinOpacity..kMaxOpacity.
int confineOpacity(int value);

// The value after an arrow key or arrow button: moved by delta, then confined.
int step(int value, int delta);

// The opacity the window takes, and the value a save writes, for whatever the field holds,
// confirmed or not: typed 300 gives 255 and typed 9 gives 50, never a wrapped-around byte.
int effectiveOpacity(std::string_view text);

}  // namespace kt::settings
