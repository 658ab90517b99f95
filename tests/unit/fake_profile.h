#pragma once
// An in-memory settings file that remembers the order of reads and writes and can refuse
// writes the way a read-only file does.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/error.h"
#include "platform/profile.h"

namespace kt::fakes {

class FakeProfile : public Profile {
  public:
    // The platform reads a value into a buffer of 2048 bytes.
    static constexpr std::size_t kMaxValueLength = 2047;

    explicit FakeProfile(std::string path = "C:\\Programs\\KelTovrel\\KelTovrel.ini")
        : path_(std::move(path)) {}

    const std::string& path() const { return path_; }

    // A key as written into the file by hand before the program reads it.
    void set(const std::string& section, const std::string& key, std::string value) {
        values_[{section, key}] = std::move(value);
    }
    std::optional<std::string> get(const std::string& section, const std::string& key) const {
        const auto found = values_.find({section, key});
        return found == values_.end() ? std::nullopt : std::optional<std::string>(found->second);
    }

    // The write numbered n (counting from 1) and every later one are refused.
    void refuseWritesFrom(int n) { refuseFrom_ = n; }

    std::optional<std::string> read(const std::string& section,
                                    const std::string& key) const override {
        reads_.push_back(section + "/" + key);
        auto value = get(section, key);
        if (value && value->size() > kMaxValueLength) {
            value->resize(kMaxValueLength);
        }
        return value;
    }

    void write(const std::string& section, const std::string& key,
               const std::string& value) override {
        ++attemptedWrites_;
        if (refuseFrom_ && attemptedWrites_ >= *refuseFrom_) {
            throw AppError("Unable to write to " + path_);
        }
        set(section, key, value);
        writes_.push_back(section + "/" + key + "=" + value);
    }

    void flush() override { ++flushes_; }

    // "section/key", in the order asked for.
    const std::vector<std::string>& reads() const { return reads_; }
    // "section/key=value" for each accepted write, in order.
    const std::vector<std::string>& writes() const { return writes_; }
    int flushes() const { return flushes_; }

  private:
    std::string path_;
    std::map<std::pair<std::string, std::string>, std::string> values_;
    std::optional<int> refuseFrom_;
    int attemptedWrites_ = 0;
    mutable std::vector<std::string> reads_;
    std::vector<std::string> writes_;
    int flushes_ = 0;
};

}  // namespace kt::fakes
