#include "battle/atomic_file.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <system_error>

#include "battle/native_file.h"

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <unistd.h>
#endif

namespace vk7 {

namespace {

bool SyncToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

unsigned long ProcessId() {
#ifdef _WIN32
  return static_cast<unsigned long>(_getpid());
#else
  return static_cast<unsigned long>(getpid());
#endif
}

}  // namespace

CommitResult CommitFileAtomically(const std::filesystem::path& requested, std::string_view bytes) {
  std::error_code ec;
  std::filesystem::path target = requested;
  // Write through a link to the file it names rather than replacing the link.
  if (std::filesystem::is_symlink(target, ec)) {
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(target, ec);
    if (!ec) target = resolved;
  }
  const bool exists = std::filesystem::exists(target, ec);
  if (exists) {
    std::FILE* probe = OpenNativeFile(target, "r+b");
    if (probe == nullptr) return CommitResult::CannotCreate;
    std::fclose(probe);
  }

  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  std::filesystem::path temp;
  std::FILE* file = nullptr;
  for (int attempt = 0; attempt < 8 && file == nullptr; ++attempt) {
    std::string tempName = ".";
    tempName.append(target.filename().string());
    for (const auto part :
         {static_cast<unsigned long long>(ProcessId()), static_cast<unsigned long long>(stamp),
          static_cast<unsigned long long>(counter++)}) {
      tempName.append(".").append(std::to_string(part));
    }
    tempName.append(".tmp");
    temp = target;
    temp.replace_filename(tempName);
    file = OpenNativeFile(temp, "wbx");  // never reuses an existing file
  }
  if (file == nullptr) return CommitResult::CannotCreate;

  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = SyncToDisk(file) && ok;
  ok = std::fclose(file) == 0 && ok;
  if (ok && exists) {
    // Keep the permissions the user gave the old file.
    const auto perms = std::filesystem::status(target, ec).permissions();
    if (!ec) std::filesystem::permissions(temp, perms, ec);
  }
  if (ok) {
    std::filesystem::rename(temp, target, ec);
    ok = !ec;
  }
  if (!ok) {
    std::filesystem::remove(temp, ec);
    return CommitResult::CannotWrite;
  }
  return CommitResult::Ok;
}

}  // namespace vk7
