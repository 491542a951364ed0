#pragma once

#include <filesystem>

namespace vk7 {

// The Recycle Bin through the shell's older file operation, for where Qt's way to it
// (IFileOperation) is missing, as under Wine. Windows only; elsewhere it takes nothing.
//
// Moves `file` into the Recycle Bin of its drive. True only when the bin holds it now. False on
// a drive without a bin; the shell may then have deleted `file` for good, so the callers pass a
// second name of a file (a hard link or a copy), never the only one.
bool MoveToRecycleBin(const std::filesystem::path& file);

// How many items the Recycle Bin of the drive of `file` holds; -1 when the drive has none.
long long RecycleBinItems(const std::filesystem::path& file);

}  // namespace vk7
