#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "battle/atomic_file.h"

namespace vk7 {

// Battle files the user deletes or replaces go to the desktop trash (the freedesktop trash,
// the Recycle Bin), so a wrong click can be undone from the file manager. Where the platform
// or the volume has no trash, they are removed as before.
class FileTrash {
 public:
  // Moves `file` to the trash, or removes it. False when it is still there.
  static bool Discard(const std::filesystem::path& file);

  // Moves `source` to `target`. An existing target goes to the trash first; where it cannot,
  // the move replaces it. False, with both files where they were, when the move fails.
  static bool Replace(const std::filesystem::path& source, const std::filesystem::path& target);

  // Writes `bytes` as `target` atomically. An existing target goes to the trash only once the
  // new bytes are safely on disk beside it: a crash in between leaves the old file in the
  // trash and the new one in a temporary file, never neither.
  static CommitResult Write(const std::filesystem::path& target, std::string_view bytes);

  // Whether the permission bits (the read-only attribute on Windows) forbid writing the file;
  // decided by the bits, as a privileged user could open it for writing anyway.
  static bool IsWriteProtected(const std::filesystem::path& file);

 private:
  // Where the file went (empty when the platform does not say), or nothing when the trash
  // could not take it.
  static std::optional<std::filesystem::path> MoveToTrash(const std::filesystem::path& file);
};

}  // namespace vk7
