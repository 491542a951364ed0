#include "battle/atomic_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "support/as_user.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

#ifdef __linux__
#include <sys/syscall.h>

namespace {
// Every fsync of this test program passes here (a definition in the program takes the place
// of the C library's), so a test can see what was synced, and when.
std::function<void(const std::filesystem::path&)> onSync;
}  // namespace

extern "C" int fsync(int fd) {
  if (onSync) {
    std::error_code ec;
    onSync(std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd), ec));
  }
  return static_cast<int>(syscall(SYS_fsync, fd));
}
#endif

namespace vk7 {
namespace {

#ifdef __linux__
TEST(AtomicFile, SyncsTheFolderOnceTheNewFileIsInPlace) {
  test::TempDir dir;
  const std::filesystem::path file = dir.Write("Sol.vk7", "old");
  const std::filesystem::path folder = std::filesystem::canonical(dir.Path());
  bool folderSyncedAfterRename = false;
  onSync = [&](const std::filesystem::path& synced) {
    if (synced == folder) folderSyncedAfterRename = test::ReadBytes(file) == "new";
  };
  EXPECT_EQ(CommitFileAtomically(file, "new"), CommitResult::Ok);
  onSync = nullptr;
  EXPECT_TRUE(folderSyncedAfterRename);
}
#endif

#ifndef _WIN32
// The new file takes the permission bits the user gave the old one, not those it was made with.
TEST(AtomicFile, KeepsThePermissionBitsOfTheFileItReplaces) {
  test::TempDir dir;
  const std::filesystem::path file = dir.Write("Sol.vk7", "old");
  for (const auto mode : {std::filesystem::perms(0640), std::filesystem::perms(0604)}) {
    std::filesystem::permissions(file, mode);
    ASSERT_EQ(CommitFileAtomically(file, "new"), CommitResult::Ok);
    EXPECT_EQ(std::filesystem::status(file).permissions(), mode);
  }
}

// And the owner and group where this user may give them (root; CI runs as root), or else the
// group alone, where the user belongs to it.
TEST(AtomicFile, KeepsTheOwnerAndGroupOfTheFileItReplaces) {
  if (geteuid() != 0) GTEST_SKIP() << "only root can hand a file to another user";
  test::TempDir dir;
  std::filesystem::permissions(dir.Path(), std::filesystem::perms::all);
  const std::filesystem::path file = dir.Write("Sol.vk7", "old");
  std::filesystem::permissions(file, std::filesystem::perms(0666));
  const auto owners = [&] {
    struct stat status {};
    return stat(file.c_str(), &status) == 0 ? std::pair(status.st_uid, status.st_gid)
                                            : std::pair(0u, 0u);
  };
  ASSERT_EQ(chown(file.c_str(), 4242, 4343), 0);
  ASSERT_EQ(CommitFileAtomically(file, "new"), CommitResult::Ok);
  EXPECT_EQ(owners(), std::pair(4242u, 4343u));
  const auto commit = [&] { return CommitFileAtomically(file, "new") == CommitResult::Ok ? 0 : 1; };
  ASSERT_EQ(test::AsUser(4243, 4243, {4343}, commit), 0);  // a member of its group
  EXPECT_EQ(owners(), std::pair(4243u, 4343u));
}

TEST(AtomicFile, RemovesOnlyTheLeftoversOfEarlierSavesOfTheSameFile) {
  const std::string self = std::to_string(getpid());
  const std::string gone = "4194305";  // beyond the largest process id Linux hands out
  // Another process that is running: asking whether it is gone must not disturb it.
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  if (child == 0) {
    for (int signal = 1; signal < 32; ++signal) std::signal(signal, SIG_DFL);
    _exit(write(ready[1], "r", 1) == 1 ? (pause(), 0) : 1);
  }
  char byte = 0;
  ASSERT_EQ(read(ready[0], &byte, 1), 1);
  close(ready[0]);
  close(ready[1]);
  const std::string running = std::to_string(child);
  struct Planted {
    std::string name;
    int ageSeconds;
    bool stays;
  };
  const std::vector<Planted> planted = {
      {".Sol.vk7." + gone + "-1-2.vk7save.tmp", 0, false},      // its save was killed
      {".Sol.vk7." + self + "-3-4.vk7save.tmp", 630, false},    // abandoned over 10 minutes ago
      {".Sol.vk7." + self + "-5-6.vk7save.tmp", 0, true},       // a save may still be running
      {".Sol.vk7." + running + "-5-6.vk7save.tmp", 570, true},  // in another process
      {".Sol.vk7.1." + gone + "-1-2.vk7save.tmp", 3600, true},  // of "Sol.vk7.1"
      {".Sol.vk7." + gone + "-1.vk7save.tmp", 3600, true},
      {"Sol.vk7." + gone + "-1-2.vk7save.tmp", 3600, true},
      {".Sol.vk7.-1-2.vk7save.tmp", 3600, true},  // each group needs digits
      {".Sol.vk7." + gone + "x1-2.vk7save.tmp", 3600, true},
      {".Sol.vk7.2147483647-1-2.vk7save.tmp", 0, false},         // the largest id asked about
      {".Sol.vk7.21474836470-1-2.vk7save.tmp", 0, false},        // an id cut there is asked too
      {".Sol.vk7.4299161601-1-2.vk7save.tmp", 0, true},          // no id of its own (2^32 + gone)
      {".Sol.vk7." + gone + "-7-8.vk7save.tmp/copy", 0, false},  // a replacing save's folder
      {".Sol.vk7.new.tmp", 0, false},                            // of earlier versions
  };
  test::TempDir dir;
  std::set<std::string> expected = {"Sol.vk7"};
  for (const Planted& p : planted) {
    const std::filesystem::path file = dir / p.name.substr(0, p.name.find('/'));
    dir.Write(p.name, "half");
    std::filesystem::last_write_time(
        file, std::filesystem::last_write_time(file) - std::chrono::seconds(p.ageSeconds));
    if (p.stays) expected.insert(file.filename().string());
  }
  const auto openFiles = [] {
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
  };
  const auto opened = openFiles();
  ASSERT_EQ(CommitFileAtomically(dir / "Sol.vk7", "saved"), CommitResult::Ok);
  EXPECT_EQ(openFiles(), opened);  // the folder synced is closed again
  std::set<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    left.insert(entry.path().filename().string());
  }
  EXPECT_EQ(left, expected);
  EXPECT_EQ(test::ReadBytes(dir / "Sol.vk7"), "saved");
  int status = 0;
  kill(child, SIGKILL);
  waitpid(child, &status, 0);
  EXPECT_EQ(WTERMSIG(status), SIGKILL);  // and not by a signal the save sent

  // Saved through a link, the file it names is replaced and the link stays.
  std::filesystem::create_symlink("Sol.vk7", dir / "Link.vk7");
  ASSERT_EQ(CommitFileAtomically(dir / "Link.vk7", "linked"), CommitResult::Ok);
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "Link.vk7"));
  EXPECT_EQ(test::ReadBytes(dir / "Sol.vk7"), "linked");
}
#endif

}  // namespace
}  // namespace vk7
