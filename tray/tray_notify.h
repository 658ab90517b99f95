#pragma once
// What the notification-area icon's callback asks of the program.

#include <cstdint>

namespace kt::tray {

// The callback message the icon sends to the main form: WM_USER + 123.
inline constexpr unsigned kTrayCallbackMessage = 0x047B;
inline constexpr unsigned kIconId = 0;
// Where the tray menu opens: its top-left corner this far left of and above the pointer.
inline constexpr int kMenuOffsetX = 24;
inline constexpr int kMenuOffsetY = 4;

enum class TrayAction { Nothing, RestoreToFront, RestoreAndOpenMenu };

// Only the releases of the left and right buttons act; the mouse message is compared whole.
constexpr TrayAction trayActionFor(std::uint32_t mouseMessage) {
    constexpr std::uint32_t kLeftButtonUp = 0x0202;
    constexpr std::uint32_t kRightButtonUp = 0x0205;
    return mouseMessage == kLeftButtonUp    ? TrayAction::RestoreToFront
           : mouseMessage == kRightButtonUp ? TrayAction::RestoreAndOpenMenu
                                            : TrayAction::Nothing;
}

}  // namespace kt::tray
