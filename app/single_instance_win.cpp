#include "app/single_instance_win.h"

#include "app/form_lifecycle.h"

#include <windows.h>

#include <string>

namespace kt::app {

namespace {
constexpr char kInstanceMutexName[] = "KelTovrelMyOwnMutex";
// Held, never released or closed: only its existence is the signal, and the system closes it
// when the process ends.
HANDLE InstanceMutex = nullptr;
}  // namespace

bool IsAlreadyRunning() {
    InstanceMutex = ::CreateMutexA(nullptr, FALSE, kInstanceMutexName);
    const DWORD error = ::GetLastError();
    if (InstanceMutex == nullptr) {
        // Another user's copy may hold a mutex of that name that we may not open; any other
        // failure lets this copy run.
        return error == ERROR_ACCESS_DENIED;
    }
    return error == ERROR_ALREADY_EXISTS;
}

void HandOverToRunningCopy() {
    const std::string title(kAppTitle);
    HWND running = ::FindWindowA(nullptr, title.c_str());
    ::ShowWindow(running, SW_SHOWNORMAL);
    ::SetForegroundWindow(running);
}

}  // namespace kt::app
