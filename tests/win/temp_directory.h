#pragma once
// A fresh directory under the Windows temporary folder for one test, removed afterwards.

#include "platform/text_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

namespace kt {

class TempDirectory {
  public:
    TempDirectory() {
        wchar_t base[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, base);
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::path(base) / ("kt_" + std::to_string(::GetCurrentProcessId()) +
                                               "_" + test->test_suite_name() + "_" + test->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // A file's path in it as the program names files: 8-bit, in the ANSI code page.
    std::string ansiPath(const std::filesystem::path& name) const {
        return narrow((path_ / name).wstring());
    }

  private:
    std::filesystem::path path_;
};

}  // namespace kt
