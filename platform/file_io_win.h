#pragma once
// Whole-file reads and crash-safe whole-file writes, for the directory list.

#include <optional>
#include <string>

namespace kt {

// The file's bytes, or nothing when no file of that name exists (a directory of that name
// counts as no file). Others may read the file meanwhile, nobody may write it.
// Throws AppError naming the path and the system's reason when it exists but cannot be read.
std::optional<std::string> readWholeFile(const std::string& path);

// Replaces the file with the bytes in one step: they go to a temporary file in the same
// directory, reach the disk, and only then take the file's name, so a crash or a full disk
// leaves either the old contents or the new ones, whole. Nobody else can open the temporary
// file while it is written. On failure the temporary file is removed, the file stays as it was,
// and AppError names the path and the system's reason.
void writeFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace kt
