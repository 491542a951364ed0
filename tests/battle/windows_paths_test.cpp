// What only Windows can show: its replacing rename, the names it refuses and its wide file
// API. The test program runs there in CI (under Wine); elsewhere each case says why it skips.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "battle/atomic_file.h"
#include "battle/game_folder.h"
#include "battle/native_file.h"
#include "battle/recording_reporter.h"
#include "content/battle_name.h"
#include "support/temp_dir.h"

namespace vk7 {
namespace {

// The names in `dir` as a Windows program lists them (and as only Windows can spell them).
std::vector<std::wstring> WideNames(const std::filesystem::path& dir) {
  std::vector<std::wstring> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    names.push_back(entry.path().filename().wstring());
  }
  return names;
}

const std::string kOld = "VK7 Battle\r\nold\r\n";

#ifdef _WIN32
#define SKIP_OFF_WINDOWS(why)
#else
#define SKIP_OFF_WINDOWS(why) GTEST_SKIP() << "not Windows: " why
#endif

TEST(Windows, FileHeldOpenIsKeptWhenTheRenameFails) {
  SKIP_OFF_WINDOWS("on Linux a rename replaces a file that another program holds open");
  // Windows refuses to replace a file that another program (the game) has open.
  const test::TempDir dir;
  const std::filesystem::path file = dir.Write("Vega.vk7", kOld);
  std::FILE* held = OpenNativeFile(file, "rb");
  ASSERT_NE(held, nullptr);
  RecordingReporter reporter;
  const bool saved =
      Committed(CommitFileAtomically(file, "VK7 Battle\r\nnew\r\n"), "Vega", reporter);
  std::fclose(held);
  EXPECT_FALSE(saved);
  ASSERT_EQ(reporter.Entries().size(), 1u);
  EXPECT_EQ(reporter.Entries()[0].text, "Cannot write file!");
  EXPECT_EQ(test::ReadBytes(file), kOld);
  EXPECT_EQ(WideNames(dir.Path()), std::vector<std::wstring>{L"Vega.vk7"});
}

TEST(Windows, DriveColonIsRefused) {
  SKIP_OFF_WINDOWS("on Linux \":\" is an ordinary character of a file name");
  RecordingReporter reporter;
  EXPECT_FALSE(CheckBattleName("a:b", reporter) || CheckBattleName("C:Vega", reporter));
  EXPECT_EQ(reporter.Entries().size(), 2u);
}

TEST(Windows, Windows1252NamesAreWideNames) {
  SKIP_OFF_WINDOWS("Linux file names are bytes, with no wide view of them");
  // "Café" in Windows-1252, as the game and the editor keep battle names.
  const std::string name = "Caf\xE9";
  const test::TempDir dir;
  std::filesystem::create_directory(dir / "scripts");
  const std::filesystem::path file = GameFolder(dir.Path()).BattleFile(name);
  ASSERT_EQ(CommitFileAtomically(file, kOld), CommitResult::Ok);
  EXPECT_EQ(WideNames(dir / "scripts"), std::vector<std::wstring>{L"Caf\u00E9.vk7"});
  EXPECT_EQ(test::ReadBytes(GameFolder(dir.Path()).BattleFile(name)), kOld);
}

}  // namespace
}  // namespace vk7
