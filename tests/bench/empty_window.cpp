// The yardstick for start-up: a Win32 program that only shows an empty window.

#include <windows.h>

namespace {

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const WNDCLASSW windowClass{.lpfnWndProc = procedure,
                                .hInstance = instance,
                                .hCursor = ::LoadCursorW(nullptr, IDC_ARROW),
                                .hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE),
                                .lpszClassName = L"KtEmptyWindow"};
    ::RegisterClassW(&windowClass);
    HWND window = ::CreateWindowExW(0, L"KtEmptyWindow", L"Empty", WS_OVERLAPPEDWINDOW, 300, 200,
                                    164, 452, nullptr, nullptr, instance, nullptr);
    ::ShowWindow(window, SW_SHOW);
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
