// kt_launch_recorder: stands in for a program that the product launches (the file manager, the
// read-me viewer). It records how it was started and ends at once, showing nothing.
//
// Each start appends one line to the log: the raw bytes of its command line as the system hands
// them over in the ANSI code page, so a test compares them with a list entry byte for byte. The
// log is the file named by the environment variable KT_LAUNCH_LOG, or else the recorder's own
// path with ".log" appended (a copy named explorer.exe logs to explorer.exe.log beside itself).

#include <windows.h>

#include <string>

namespace {

std::wstring logPath() {
    wchar_t fromEnvironment[MAX_PATH * 2] = {};
    const DWORD length = GetEnvironmentVariableW(L"KT_LAUNCH_LOG", fromEnvironment, MAX_PATH * 2);
    if (length > 0 && length < MAX_PATH * 2) {
        return fromEnvironment;
    }
    wchar_t self[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
    return std::wstring(self) + L".log";
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::string line = GetCommandLineA();
    line += '\n';
    // Appending in one write keeps the lines of copies started together apart.
    const HANDLE log =
        CreateFileW(logPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) {
        return 1;
    }
    DWORD written = 0;
    const BOOL ok = WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(log);
    return ok && written == line.size() ? 0 : 1;
}
