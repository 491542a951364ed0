// The trash a battle goes to before it is deleted or replaced: the desktop trash, or on Windows
// the Recycle Bin (under Wine: Wine's, the desktop trash of the data folder the tests name).
#include "widgets/file_trash.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QProcess>

#include "support/as_user.h"
#include "support/temp_dir.h"
#include "widgets/recycle_bin.h"

#ifdef __linux__
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef _WIN32
#include <windows.h>
#endif

namespace vk7 {
namespace {

using Outcome = FileTrash::Outcome;

// Where no trash takes a battle, nothing is deleted or replaced unasked, and "yes" deletes it.
void ExpectNothingGoesUnasked(const test::TempDir& dir, const std::filesystem::path& file) {
  int asked = 0;
  const auto no = [&] { return ++asked, false; };
  EXPECT_EQ(FileTrash::Discard(file, no), Outcome::Kept);
  EXPECT_EQ(FileTrash::Replace(dir.Write("new", "new"), file, no), Outcome::Kept);
  EXPECT_EQ(FileTrash::Write(file, "new", no), std::nullopt);
  EXPECT_EQ(asked, 3);
  EXPECT_EQ(test::ReadBytes(file), "old");
  EXPECT_EQ(FileTrash::Discard(file, [] { return true; }), Outcome::Done);
  EXPECT_FALSE(std::filesystem::exists(file));
}

#ifdef _WIN32
TEST(RecycleBin, TakesAFileAndCountsIt) {
  const test::TempDir dir;
  const std::filesystem::path file = dir.Write("Sol.vk7", "old");
  const long long before = RecycleBinItems(file);
  ASSERT_GE(before, 0) << "no Recycle Bin for the temporary folder";
  EXPECT_FALSE(MoveToRecycleBin(dir / "Gone.vk7"));  // nothing there to take
  ASSERT_TRUE(MoveToRecycleBin(file));
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(RecycleBinItems(file), before + 1);
}

// The Linux name of a file under Wine, which maps Linux folders to drives.
std::wstring UnixName(const std::filesystem::path& file) {
  using ToUnix = char* (*)(const wchar_t*);
  const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
  if (toUnix == nullptr) return {};
  char* name = toUnix(std::filesystem::absolute(file).c_str());
  const std::string text = name == nullptr ? std::string() : std::string(name);
  HeapFree(GetProcessHeap(), 0, name);
  return std::wstring(text.begin(), text.end());
}

// Wine's Recycle Bin is the desktop trash of the data folder it starts with: a test that needs
// another bin runs again in a second process of this program, with `data` as that folder.
constexpr const char* kChild = "VK7_RECYCLE_BIN_CHILD";
constexpr int kBinUnchanged = 77;  // this Windows keeps its own bin whatever the folder

void InSecondProcess(const std::string& test, const std::filesystem::path& data) {
  if (!qEnvironmentVariable("XDG_DATA_HOME").startsWith('/')) {
    GTEST_SKIP() << "no Wine data folder to take the bin from";
  }
  QProcess child;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(kChild, "1");
  environment.insert("XDG_DATA_HOME", QString::fromWCharArray(UnixName(data).c_str()));
  child.setProcessEnvironment(environment);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(),
              {QString::fromStdString("--gtest_filter=RecycleBin." + test)});
  ASSERT_TRUE(child.waitForFinished(60000));
  if (child.exitCode() == kBinUnchanged) GTEST_SKIP() << "this Windows keeps its own bin";
  EXPECT_EQ(child.exitCode(), 0) << child.readAll().toStdString();
}

TEST(RecycleBin, AnEmptyOneTakesAFile) {
  const test::TempDir dir;
  if (!qEnvironmentVariableIsSet(kChild)) {
    return InSecondProcess("AnEmptyOneTakesAFile", dir.Write("data/x", "").parent_path());
  }
  const std::filesystem::path file = dir.Write("Sol.vk7", "old");
  if (RecycleBinItems(file) != 0) std::_Exit(kBinUnchanged);
  EXPECT_TRUE(MoveToRecycleBin(file));
  EXPECT_EQ(RecycleBinItems(file), 1);
}

// A data folder that is a plain file leaves Wine without a trash, as a drive without a Recycle
// Bin has none.
TEST(RecycleBin, WithoutOneNothingGoesUnasked) {
  const test::TempDir dir;
  if (!qEnvironmentVariableIsSet(kChild)) {
    return InSecondProcess("WithoutOneNothingGoesUnasked", dir.Write("data", "no folder"));
  }
  const std::filesystem::path file = dir.Write("Sol.vk7", "old");
  if (RecycleBinItems(file) >= 0) std::_Exit(kBinUnchanged);
  ExpectNothingGoesUnasked(dir, file);
}
#else
TEST(RecycleBin, IsWindowsOnly) {
  const test::TempDir dir;
  const std::filesystem::path file = dir.Write("Sol.vk7", "old");
  EXPECT_EQ(RecycleBinItems(file), -1);
  EXPECT_FALSE(MoveToRecycleBin(file));
  EXPECT_TRUE(std::filesystem::exists(file));
}
#endif

#ifdef __linux__
// A move that the file system refuses (onto another device, which stops root too) is reported,
// and both files stay where they were: the old one, already in the trash, comes back. A game
// on another file system goes to that file system's own trash ($topdir/.Trash-UID); where none
// can be made there (its place taken by a plain file), the home trash cannot take the file
// across file systems either.
TEST(FileTrash, OnAnotherFileSystemItsOwnTrashOrNothingUnasked) {
  const std::filesystem::path top = "/dev/shm";
  const std::filesystem::path trash = top / (".Trash-" + std::to_string(geteuid()));
  std::error_code ec;
  if (!std::filesystem::is_directory(top) || std::filesystem::exists(top / ".Trash", ec) ||
      std::filesystem::exists(trash, ec)) {
    GTEST_SKIP() << "no second file system with room for a trash of the test's own";
  }
  const test::TempDir home;  // the home trash, on the temporary folder's file system
  const QByteArray dataHome = qgetenv("XDG_DATA_HOME");  // where the desktop's trash lives
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString((home / "data").string()));
  const std::filesystem::path game = top / ("vk7-" + home.Path().filename().string());
  const std::filesystem::path source = home.Write(game / "new.vk7", "new");
  for (const bool old : {false, true}) {
    if (old) home.Write("Sol.vk7", "old");
    const auto unasked = [] { return ADD_FAILURE() << "the trash took it", false; };
    EXPECT_EQ(FileTrash::Replace(source, home / "Sol.vk7", unasked), Outcome::Failed);
    EXPECT_EQ(test::ReadBytes(source), "new");
    EXPECT_EQ(std::filesystem::exists(home / "Sol.vk7") ? test::ReadBytes(home / "Sol.vk7") : "-",
              old ? "old" : "-");
  }
  EXPECT_TRUE(std::filesystem::is_directory(home / "data/Trash/files"));  // it went there first

  home.Write(trash, "no folder");  // an absolute name is taken as it is
  ExpectNothingGoesUnasked(home, home.Write(game / "Sol.vk7", "old"));
  std::filesystem::remove(trash);
  const std::filesystem::path file = home.Write(game / "Sol.vk7", "old");
  EXPECT_EQ(FileTrash::Discard(file, [] { return ADD_FAILURE(), false; }), Outcome::Done);
  EXPECT_EQ(test::ReadBytes(trash / "files" / "Sol.vk7"), "old");
  std::filesystem::remove_all(trash);
  std::filesystem::remove_all(game);
  dataHome.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", dataHome);
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
