#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "battle/reporter.h"

namespace vk7 {

enum class CommitResult { Ok, CannotCreate, CannotWrite };

// Replaces `target` with `bytes` so that a failure never leaves a partial file: the bytes go
// to a new file in the same folder, are flushed to disk, and that file is renamed over the
// target, and the folder is synced so that the rename survives a power loss. On any failure
// the temporary file is removed and the old target stays as it was. After a success the
// temporaries that earlier saves of the same target left when they were killed half-way are
// removed (named "." + target name + ".PID-STAMP-COUNT.vk7save.tmp"; nothing else is touched).
// A target that exists but may not be written is not replaced (CannotCreate), as opening it
// for writing would fail too.
CommitResult CommitFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// A fresh name for a temporary of `target` beside it, which the cleanup above knows as one of
// its leftovers (a folder of that name too); nothing is created.
std::filesystem::path TempPathBeside(const std::filesystem::path& target);

// True for Ok; otherwise reports "Cannot create file!" or "Cannot write file!" under `title`
// and returns false.
bool Committed(CommitResult result, const std::string& title, Reporter& reporter);

// Gives `copy` the permission bits of `original`, so that a file put in place of the original
// keeps the ones the user gave it; best effort.
void CopyPermissions(const std::filesystem::path& original, const std::filesystem::path& copy);

// Makes renames in `folder` durable (POSIX); best effort, as some file systems cannot sync a
// folder.
void SyncFolder(const std::filesystem::path& folder);

}  // namespace vk7
