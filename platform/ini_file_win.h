#pragma once
// The settings file through the Windows private-profile routines.

#include "platform/profile.h"

namespace kt {

class IniFile final : public Profile {
  public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}

    std::optional<std::string> read(const std::string& section,
                                    const std::string& key) const override;
    void write(const std::string& section, const std::string& key,
               const std::string& value) override;
    void flush() override;

  private:
    std::string path_;
};

}  // namespace kt
