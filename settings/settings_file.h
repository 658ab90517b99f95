#pragma once
// The settings file beside the executable: the main window's place and size, the options and
// the list's appearance, in 13 keys. They are read once at start-up into their holders, which
// keep them from then on, and written back from the holders at every save.

#include <string>
#include <string_view>

#include "platform/profile.h"
#include "settings/settings_holders.h"

namespace kt::settings {

// The executable's path with its extension replaced by ".ini". Derived afresh for the read and
// for every save, so a renamed executable uses the settings file of its new name.
std::string settingsFileName(std::string_view exePath);

// The start-up read. Never fails: a missing file or key, or a value that is not valid, gives
// that key's default. The window takes the stored geometry as it is, unbounded.
void readSettings(const Profile& profile, SettingsHolders& holders);

// Writes all 13 keys from their holders, then flushes. A window collapsed below 10 pixels in
// height or width is first restored to 100 pixels in that dimension. A refused write throws
// AppError; the save ends there, with the keys before it written and nothing after it.
void savePos(Profile& profile, SettingsHolders& holders);

}  // namespace kt::settings
