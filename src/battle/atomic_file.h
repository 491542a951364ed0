#pragma once

#include <filesystem>
#include <string_view>

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

// Makes renames in `folder` durable (POSIX); best effort, as some file systems cannot sync a
// folder.
void SyncFolder(const std::filesystem::path& folder);

}  // namespace vk7
