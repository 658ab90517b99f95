#pragma once
// The settings file as the settings rules see it: one INI file of sections and keys. In the
// program this is the Windows private-profile routines; in the unit tests an in-memory fake.

#include <optional>
#include <string>

namespace kt {

class Profile {
  public:
    virtual ~Profile() = default;

    // The key's text, or nothing for a missing file, section or key. At most 2047 characters.
    virtual std::optional<std::string> read(const std::string& section,
                                            const std::string& key) const = 0;
    // Throws AppError "Unable to write to <full path>" when the platform refuses the write.
    virtual void write(const std::string& section, const std::string& key,
                       const std::string& value) = 0;
    // Makes pending writes reach the file on disk.
    virtual void flush() = 0;
};

}  // namespace kt
