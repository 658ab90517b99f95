#pragma once
// The program's icon in the notification area, on the main form's own window.

#include <windows.h>

#include <string_view>

namespace kt::tray {

// The tip is copied whole up to the record's 63 characters.
void addTrayIcon(HWND form, HICON icon, std::string_view tip);
void removeTrayIcon(HWND form);

}  // namespace kt::tray
