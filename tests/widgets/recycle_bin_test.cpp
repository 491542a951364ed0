// The Recycle Bin as the editor reaches it on Windows (under Wine: Wine's, which is the desktop
// trash of the data folder the tests name).
#include "widgets/recycle_bin.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>

#include "support/temp_dir.h"
#include "widgets/file_trash.h"
#include "widgets/native_path.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vk7 {
namespace {

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
  if (!qEnvironmentVariableIsSet(kChild)) {
    const test::TempDir dir;
    std::filesystem::create_directory(dir / "data");
    return InSecondProcess("AnEmptyOneTakesAFile", dir / "data");
  }
  const test::TempDir dir;
  const std::filesystem::path file = dir.Write("Sol.vk7", "old");
  if (RecycleBinItems(file) != 0) std::_Exit(kBinUnchanged);
  EXPECT_TRUE(MoveToRecycleBin(file));
  EXPECT_EQ(RecycleBinItems(file), 1);
}

// Where the bin cannot take a battle, it is deleted or replaced only when the user says so.
// A data folder that is a plain file leaves Wine without a trash, as a drive without a Recycle
// Bin has none.
TEST(RecycleBin, WithoutOneNothingGoesUnasked) {
  if (!qEnvironmentVariableIsSet(kChild)) {
    const test::TempDir dir;
    return InSecondProcess("WithoutOneNothingGoesUnasked", dir.Write("data", "no folder"));
  }
  const test::TempDir dir;
  const std::filesystem::path file = dir.Write("Sol.vk7", "old");
  if (RecycleBinItems(file) >= 0) std::_Exit(kBinUnchanged);
  int asked = 0;
  const auto no = [&] { return ++asked, false; };
  EXPECT_EQ(FileTrash::Discard(file, no), FileTrash::Outcome::Kept);
  EXPECT_EQ(FileTrash::Replace(dir.Write("new", "new"), file, no), FileTrash::Outcome::Kept);
  EXPECT_EQ(FileTrash::Write(file, "new", no), std::nullopt);
  EXPECT_EQ(asked, 3);
  EXPECT_EQ(test::ReadBytes(file), "old");
  EXPECT_EQ(FileTrash::Discard(file, [] { return true; }), FileTrash::Outcome::Done);
  EXPECT_FALSE(std::filesystem::exists(file));
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

}  // namespace
}  // namespace vk7
