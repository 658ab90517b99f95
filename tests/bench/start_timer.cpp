// Times a program's start-up from inside Wine: from the moment its process is created to the
// moment a window of the given class is visible. Prints the milliseconds and the process id,
// and leaves the program running.
//
//   kt_start_timer.exe <program.exe> <window class>

#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fputs("usage: kt_start_timer <program.exe> <window class>\n", stderr);
        return 2;
    }
    std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
    std::wstring directory(argv[1]);
    directory.resize(directory.find_last_of(L"\\/") + 1);
    STARTUPINFOW startup{.cb = sizeof(STARTUPINFOW)};
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency{}, start{}, now{};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    if (!::CreateProcessW(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          directory.c_str(), &startup, &process)) {
        std::fprintf(stderr, "cannot start: %lu\n", ::GetLastError());
        return 1;
    }
    for (;;) {
        HWND window = ::FindWindowW(argv[2], nullptr);
        if (window != nullptr && ::IsWindowVisible(window)) {
            break;
        }
        if (::WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
            std::fputs("the program ended before its window showed\n", stderr);
            return 1;
        }
        ::Sleep(0);
    }
    ::QueryPerformanceCounter(&now);
    const double ms = static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
                      static_cast<double>(frequency.QuadPart);
    std::printf("%.1f %lu\n", ms, process.dwProcessId);
    std::fflush(stdout);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return 0;
}
