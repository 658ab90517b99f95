#include "tray/tray_icon_win.h"

#include "tray/tray_notify.h"

#include <shellapi.h>

#include <algorithm>

namespace kt::tray {

namespace {

// The first-generation ANSI record: no later layout and no version is asked for, so the shell
// reports plain mouse messages.
NOTIFYICONDATAA iconRecord(HWND form) {
    return NOTIFYICONDATAA{
        .cbSize = NOTIFYICONDATAA_V1_SIZE,
        .hWnd = form,
        .uID = kIconId,
    };
}

}  // namespace

void addTrayIcon(HWND form, HICON icon, std::string_view tip) {
    NOTIFYICONDATAA record = iconRecord(form);
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = kTrayCallbackMessage;
    record.hIcon = icon;
    const std::size_t length = std::min(tip.size(), sizeof(record.szTip) - 1);
    std::copy_n(tip.begin(), length, record.szTip);
    ::Shell_NotifyIconA(NIM_ADD, &record);
}

void removeTrayIcon(HWND form) {
    NOTIFYICONDATAA record = iconRecord(form);
    ::Shell_NotifyIconA(NIM_DELETE, &record);
}

}  // namespace kt::tray
