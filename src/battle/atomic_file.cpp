#include "battle/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <system_error>

#include "battle/native_file.h"

#ifdef _WIN32
#include <windows.h>

#include <io.h>
#include <process.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vk7 {

namespace {

// Temporaries are named "." + target file name + ".PID-STAMP-COUNT" + kTempSuffix, so the
// leftovers of one target can be told from everything else in its folder.
constexpr std::string_view kTempSuffix = ".vk7save.tmp";

// A leftover this old belongs to no save still running, whatever process wrote it.
constexpr auto kAbandonedAfter = std::chrono::minutes(10);

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

bool ProcessIsGone(unsigned long long pid) {
  if (pid == ProcessId() || pid > 0x7fffffffULL) return false;
#ifdef _WIN32
  const HANDLE process =
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
  if (process == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;  // no such process
  DWORD status = 0;
  const bool ended = GetExitCodeProcess(process, &status) && status != STILL_ACTIVE;
  CloseHandle(process);
  return ended;
#else
  return kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
#endif
}

// The process id in `name` when it is a temporary of the target `targetName`.
std::optional<unsigned long long> TempOwner(std::string_view name, std::string_view targetName) {
  const std::string prefix = "." + std::string(targetName) + ".";
  if (!name.starts_with(prefix)) return std::nullopt;
  name.remove_prefix(prefix.size());
  if (!name.ends_with(kTempSuffix)) return std::nullopt;
  name.remove_suffix(kTempSuffix.size());
  // Exactly three groups of digits, so another target's temporaries never match.
  unsigned long long pid = 0;
  int groups = 1;
  bool digit = false;
  for (const char c : name) {
    if (c >= '0' && c <= '9') {
      if (groups == 1 && pid < 0x7fffffffULL) pid = pid * 10 + static_cast<unsigned>(c - '0');
      digit = true;
    } else if (c == '-' && digit) {
      ++groups;
      digit = false;
    } else {
      return std::nullopt;
    }
  }
  if (groups != 3 || !digit) return std::nullopt;
  return pid;
}

// Removes what earlier saves of `target` that were killed half-way left behind, but not the
// temporary of a save that may still be running.
void RemoveLeftovers(const std::filesystem::path& target) {
  std::error_code ec;
  const std::string targetName = target.filename().string();
  const auto now = std::filesystem::file_time_type::clock::now();
  std::filesystem::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = it->path().filename().string();
    std::error_code entryEc;
    // Where replacing saves of earlier versions staged the new bytes, which nothing else uses.
    if (name == "." + targetName + ".new.tmp") {
      std::filesystem::remove(it->path(), entryEc);
      continue;
    }
    const std::optional<unsigned long long> owner = TempOwner(name, targetName);
    // A folder is where a replacing save put its copy of the old file for the trash.
    const std::filesystem::file_type type = it->symlink_status(entryEc).type();
    if (!owner || (type != std::filesystem::file_type::regular &&
                   type != std::filesystem::file_type::directory)) {
      continue;
    }
    const auto written = it->last_write_time(entryEc);
    if (!entryEc && (ProcessIsGone(*owner) || now - written > kAbandonedAfter)) {
      std::filesystem::remove_all(it->path(), entryEc);
    }
  }
}

}  // namespace

// Makes the rename itself durable: without it a power loss can bring back the old entry.
// Best effort, as some file systems cannot sync a folder; the file's bytes are synced already.
void SyncFolder([[maybe_unused]] const std::filesystem::path& folder) {
#ifndef _WIN32
  const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
#endif
}

std::filesystem::path TempPathBeside(const std::filesystem::path& target) {
  static std::atomic<unsigned> counter;  // zero, as every static
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  std::filesystem::path temp = target;
  temp.replace_filename("." + target.filename().string() + "." + std::to_string(ProcessId()) + "-" +
                        std::to_string(static_cast<unsigned long long>(stamp)) + "-" +
                        std::to_string(counter++) + std::string(kTempSuffix));
  return temp;
}

bool Committed(CommitResult result, const std::string& title, Reporter& reporter) {
  if (result == CommitResult::Ok) return true;
  reporter.Error(
      title, result == CommitResult::CannotCreate ? "Cannot create file!" : "Cannot write file!");
  return false;
}

void CopyPermissions(const std::filesystem::path& original, const std::filesystem::path& copy) {
#ifndef _WIN32
  // The owner and group too, so that a game folder shared by a group, or a save by root, does
  // not leave the file to someone else. The owner where this user may give it (root), else the
  // group where the user belongs to it; never a reason to fail the save.
  struct stat status;
  if (stat(original.c_str(), &status) == 0 &&
      chown(copy.c_str(), status.st_uid, status.st_gid) != 0) {
    if (chown(copy.c_str(), static_cast<uid_t>(-1), status.st_gid) != 0) {
      // kept as made: this user's
    }
  }
#endif
  std::error_code ec;
  const std::filesystem::perms perms = std::filesystem::status(original, ec).permissions();
  if (!ec) std::filesystem::permissions(copy, perms, ec);
}

CommitResult CommitFileAtomically(const std::filesystem::path& requested, std::string_view bytes) {
  std::error_code ec;
  std::filesystem::path target = requested;
  // Write through a link to the file it names rather than replacing the link.
  if (std::filesystem::is_symlink(target, ec)) {
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(target, ec);
    if (!ec) target = resolved;
  }
  const bool exists = std::filesystem::exists(target, ec);
  if (exists && !OpensForUpdate(target)) return CommitResult::CannotCreate;

  // The name is new (process, time, count); "x" still refuses to take over an existing file.
  const std::filesystem::path temp = TempPathBeside(target);
  std::FILE* file = OpenNativeFile(temp, "wbx");
  if (file == nullptr) return CommitResult::CannotCreate;

  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = SyncToDisk(file) && ok;
  ok = std::fclose(file) == 0 && ok;
  if (exists) CopyPermissions(target, temp);
  if (ok) {
    std::filesystem::rename(temp, target, ec);
    ok = !ec;
  }
  if (!ok) {
    std::filesystem::remove(temp, ec);
    return CommitResult::CannotWrite;
  }
  SyncFolder(target.parent_path());
  RemoveLeftovers(target);
  return CommitResult::Ok;
}

}  // namespace vk7
