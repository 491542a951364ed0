#pragma once

#include <filesystem>
#include <string_view>

namespace vk7 {

enum class CommitResult { Ok, CannotCreate, CannotWrite };

// Replaces `target` with `bytes` so that a failure never leaves a partial file: the bytes go
// to a new file in the same folder, are flushed to disk, and that file is renamed over the
// target. On any failure the temporary file is removed and the old target stays as it was.
// A target that exists but may not be written is not replaced (CannotCreate), as opening it
// for writing would fail too.
CommitResult CommitFileAtomically(const std::filesystem::path& target, std::string_view bytes);

}  // namespace vk7
