#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "battle/atomic_file.h"

namespace vk7 {

// Battle files the user deletes or replaces go to the desktop trash (the freedesktop trash,
// the Recycle Bin), so a wrong click can be undone from the file manager. What goes there is a
// second name of the file (a hard link, or a copy), so the battle's own name holds the old or
// the new bytes at every instant: a crash leaves at worst an extra copy in the trash. Where the
// trash cannot take a file (none on the volume, no room, no right to make one), `forGood` is
// asked first; unless it answers yes, the file stays as it is.
class FileTrash {
 public:
  // Asked when the trash cannot take the file: true lets it go for good.
  using ForGood = std::function<bool()>;
  enum class Outcome { Done, Kept, Failed };

  // Puts `file` in the trash and removes it. Kept: `forGood` said no; Failed: it is still there.
  static Outcome Discard(const std::filesystem::path& file, const ForGood& forGood);

  // Moves `source` to `target` in one step; an existing target goes to the trash first. A
  // target that is a folder is refused. Kept or Failed with the files where they were.
  static Outcome Replace(const std::filesystem::path& source, const std::filesystem::path& target,
                         const ForGood& forGood);

  // Writes `bytes` as `target` atomically; an existing target goes to the trash first. Nothing
  // when `forGood` kept the target as it was.
  static std::optional<CommitResult> Write(const std::filesystem::path& target,
                                           std::string_view bytes, const ForGood& forGood);

  // Whether the permission bits (the read-only attribute on Windows) forbid this user to write
  // the file: the owner's bits for its owner, the group's for a member, the others' for the rest.
  static bool IsWriteProtected(const std::filesystem::path& file);

 private:
  // Puts a copy of `file` in the trash, named and placed as `file` is; false when the trash
  // could not take it.
  static bool TrashCopy(const std::filesystem::path& file);
  // Where the file went (empty when the platform does not say), or nothing when the trash
  // could not take it.
  static std::optional<std::filesystem::path> MoveToTrash(const std::filesystem::path& file);
};

}  // namespace vk7
