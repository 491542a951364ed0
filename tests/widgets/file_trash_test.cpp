#include "widgets/file_trash.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>

#include "support/as_user.h"
#include "support/temp_dir.h"

#ifdef __linux__
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vk7 {
namespace {

// A move that the file system refuses (here: onto another device, which stops root too) is
// reported, and both files stay where they were: the old one, already in the trash, comes back.
TEST(FileTrash, AReplaceThatCannotMoveTheFileFailsAndKeepsBoth) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows copies a move between drives; its refused move is a file held open";
#endif
  const std::filesystem::path elsewhere = "/dev/shm";
  if (!std::filesystem::is_directory(elsewhere)) GTEST_SKIP() << "no second file system here";
  test::TempDir dir;
  const QByteArray data = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString((dir / "data").string()));
  const std::filesystem::path source = elsewhere / ("vk7-" + dir.Path().filename().string());
  dir.Write(source, "new");  // an absolute name is taken as it is
  for (const bool old : {false, true}) {
    if (old) dir.Write("Sol.vk7", "old");
    const auto unasked = [] { return ADD_FAILURE() << "the trash took it", false; };
    EXPECT_EQ(FileTrash::Replace(source, dir / "Sol.vk7", unasked), FileTrash::Outcome::Failed);
    EXPECT_EQ(test::ReadBytes(source), "new");
    EXPECT_EQ(std::filesystem::exists(dir / "Sol.vk7") ? test::ReadBytes(dir / "Sol.vk7") : "-",
              old ? "old" : "-");
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir / "data/Trash/files"));  // it went there first
  data.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", data);
  std::filesystem::remove(source);
}

#ifdef __linux__
// A game on another file system goes to that file system's own trash ($topdir/.Trash-UID);
// where none can be made there (its place taken by a plain file), the home trash cannot take
// the file across file systems either: then nothing is deleted or replaced unasked.
TEST(FileTrash, OnAnotherFileSystemItsOwnTrashOrTheQuestion) {
  const std::filesystem::path top = "/dev/shm";
  const std::filesystem::path trash = top / (".Trash-" + std::to_string(geteuid()));
  std::error_code ec;
  if (!std::filesystem::is_directory(top) || std::filesystem::exists(top / ".Trash", ec) ||
      std::filesystem::exists(trash, ec)) {
    GTEST_SKIP() << "no second file system with room for a trash of the test's own";
  }
  const std::filesystem::path game = top / ("vk7-" + std::to_string(getpid()));
  test::TempDir home;  // the home trash, on the temporary folder's file system
  const QByteArray data = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString((home / "data").string()));
  std::filesystem::create_directories(home / "data");
  std::filesystem::create_directories(game);
  const std::filesystem::path file = game / "Sol.vk7";
  int asked = 0;
  const auto no = [&] { return ++asked, false; };

  home.Write(trash, "no folder");  // an absolute name is taken as it is
  home.Write(file, "old");
  EXPECT_EQ(FileTrash::Discard(file, no), FileTrash::Outcome::Kept);
  EXPECT_EQ(FileTrash::Write(file, "new", no), std::nullopt);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(test::ReadBytes(file), "old");

  std::filesystem::remove(trash);
  EXPECT_EQ(FileTrash::Discard(file, no), FileTrash::Outcome::Done);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(test::ReadBytes(trash / "files" / "Sol.vk7"), "old");

  std::filesystem::remove_all(trash);
  std::filesystem::remove_all(game);
  data.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", data);
}

// Decided for the user who asks, by the owner's, the group's or the others' bit; root keeps to
// the owner's bit.
TEST(FileTrash, WriteProtectionIsDecidedForTheUserWhoAsks) {
  if (geteuid() != 0) GTEST_SKIP() << "only root can hand a file to another user";
  test::TempDir dir;
  std::filesystem::permissions(dir.Path(), std::filesystem::perms::all);
  const std::filesystem::path file = dir.Write("Sol.vk7", "x");
  ASSERT_EQ(chown(file.c_str(), 4242, 4242), 0);
  const auto asUser = [&](uid_t user, gid_t group, mode_t mode) {
    chmod(file.c_str(), mode);
    return test::AsUser(user, group, {}, [&] { return int(FileTrash::IsWriteProtected(file)); });
  };
  EXPECT_EQ(asUser(4243, 4243, 0644), 1);  // another user's battle
  EXPECT_EQ(asUser(4243, 4242, 0664), 0);  // its group may write it
  EXPECT_EQ(asUser(4242, 4242, 0466), 1);  // its owner may not, whoever else may
  EXPECT_EQ(asUser(0, 0, 0644), 0);        // root, as the owner (a protected one: list flows)
}
#endif

}  // namespace
}  // namespace vk7
