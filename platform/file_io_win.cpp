#include "platform/file_io_win.h"

#include "platform/error.h"
#include "platform/handles_win.h"
#include "platform/text_win.h"

#include <windows.h>

#include <algorithm>

namespace kt {

namespace {

[[noreturn]] void raise(const char* what, const std::string& path, DWORD code) {
    throw AppError(std::string(what) + " \"" + path + "\". " + systemErrorText(code));
}

}  // namespace

std::optional<std::string> readWholeFile(const std::string& path) {
    const std::wstring widePath = widen(path);
    const DWORD attributes = ::GetFileAttributesW(widePath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    UniqueHandle file(::CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        raise("Cannot open file", path, ::GetLastError());
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) {
        raise("Cannot open file", path, ::GetLastError());
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD read = 0;
        if (!::ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr)) {
            raise("Cannot read file", path, ::GetLastError());
        }
        if (read == 0) {
            break;  // the file shrank while we read it: keep what was there
        }
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

void writeFileAtomically(const std::string& path, const std::string& bytes) {
    const std::wstring target = widen(path);
    const std::wstring temporary = target + L".saving";
    {
        UniqueHandle file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.get() == INVALID_HANDLE_VALUE) {
            raise("Cannot create file", path, ::GetLastError());
        }
        DWORD code = ERROR_SUCCESS;
        std::size_t done = 0;
        while (code == ERROR_SUCCESS && done < bytes.size()) {
            const DWORD chunk =
                static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
            DWORD written = 0;
            if (!::WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr)) {
                code = ::GetLastError();
            }
            done += written;
        }
        if (code == ERROR_SUCCESS && !::FlushFileBuffers(file.get())) {
            code = ::GetLastError();
        }
        if (code != ERROR_SUCCESS) {
            file.reset();
            ::DeleteFileW(temporary.c_str());
            raise("Cannot write file", path, code);
        }
    }
    if (!::MoveFileExW(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD code = ::GetLastError();
        ::DeleteFileW(temporary.c_str());
        raise("Cannot create file", path, code);
    }
}

}  // namespace kt
