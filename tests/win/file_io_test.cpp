// The list file's reads and crash-safe writes against the real file system, under Wine.

#include "platform/error.h"
#include "platform/file_io_win.h"
#include "platform/handles_win.h"
#include "platform/text_win.h"
#include "tests/win/temp_directory.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace kt {
namespace {

class FileIoTest : public ::testing::Test {
  protected:
    std::string contents() const {
        std::ifstream file(directory_ / "list.txt", std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }
    void put(const std::string& bytes) const {
        std::ofstream(directory_ / "list.txt", std::ios::binary) << bytes;
    }
    std::size_t filesInDirectory() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(directory_),
                          std::filesystem::directory_iterator{}));
    }

    TempDirectory temp_;
    const std::filesystem::path& directory_ = temp_.path();
    const std::string path_ = temp_.ansiPath("list.txt");
};

TEST_F(FileIoTest, MissingFileOrDirectoryOfThatNameReadsAsNoFile) {
    EXPECT_EQ(readWholeFile(path_), std::nullopt);
    std::filesystem::create_directory(directory_ / "list.txt");
    EXPECT_EQ(readWholeFile(path_), std::nullopt);
}

TEST_F(FileIoTest, ReadsEveryByteIncludingNulAndHighBytes) {
    const std::string bytes("a\r\nb\0c\xE9\xFF", 8);
    put(bytes);
    EXPECT_EQ(readWholeFile(path_), bytes);
}

TEST_F(FileIoTest, WriteCreatesReplacesAndLeavesNoTemporaryFile) {
    writeFileAtomically(path_, "first\r\n");
    EXPECT_EQ(contents(), "first\r\n");
    writeFileAtomically(path_, "");
    EXPECT_EQ(contents(), "");
    EXPECT_EQ(std::filesystem::file_size(directory_ / "list.txt"), 0u);
    writeFileAtomically(path_, "second\r\n");
    EXPECT_EQ(contents(), "second\r\n");
    EXPECT_EQ(filesInDirectory(), 1u);
}

TEST_F(FileIoTest, RefusedWriteKeepsTheOldListAndNamesThePath) {
    put("old\r\n");
    // Another program holds the list open without sharing it: the replace must fail.
    UniqueHandle holder(::CreateFileW((directory_ / "list.txt").c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);
    try {
        writeFileAtomically(path_, "new\r\n");
        FAIL() << "the save reported success";
    } catch (const AppError& error) {
        EXPECT_NE(std::string(error.what()).find(path_), std::string::npos) << error.what();
    }
    holder.reset();
    EXPECT_EQ(contents(), "old\r\n");
    EXPECT_EQ(filesInDirectory(), 1u);
}

TEST_F(FileIoTest, WriteIntoMissingDirectoryFailsWithThePath) {
    const std::string path = narrow((directory_ / "gone" / "list.txt").wstring());
    EXPECT_THROW(writeFileAtomically(path, "x\r\n"), AppError);
}

TEST_F(FileIoTest, ReadSharesWithReadersButNotWithWriters) {
    put("shared\r\n");
    UniqueHandle reader(::CreateFileW((directory_ / "list.txt").c_str(), GENERIC_READ,
                                      FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(readWholeFile(path_), "shared\r\n");
    reader.reset();

    UniqueHandle writer(::CreateFileW((directory_ / "list.txt").c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                      nullptr));
    try {
        readWholeFile(path_);
        FAIL() << "read while another program writes";
    } catch (const AppError& error) {
        EXPECT_NE(std::string(error.what()).find(path_), std::string::npos) << error.what();
    }
}

}  // namespace
}  // namespace kt
