#include "battle/game_folder.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vk7 {
namespace {

TEST(GameFolder, FindsFilesWhateverTheirCase) {
  test::TempDir dir;
  dir.Write("Scripts/VKSHIPS.TXT", "x");
  dir.Write("Scripts/First Patrol.VK7", "x");
  const GameFolder game(dir.Path());
  // The same files; on Windows, where case never matters, possibly spelt as asked.
  std::error_code ec;
  EXPECT_TRUE(std::filesystem::equivalent(game.ScriptsDir(), dir / "Scripts", ec));
  EXPECT_TRUE(std::filesystem::equivalent(game.ScriptFile("vkships.txt"),
                                          dir / "Scripts" / "VKSHIPS.TXT", ec));
  EXPECT_TRUE(std::filesystem::equivalent(game.BattleFile("first patrol"),
                                          dir / "Scripts" / "First Patrol.VK7", ec));
}

TEST(GameFolder, ExactNameWinsAndMissingNamesStayAsGiven) {
#ifdef _WIN32
  GTEST_SKIP() << "a Windows folder cannot hold names that differ only in case";
#endif
  test::TempDir dir;
  dir.Write("scripts/vk7.txt", "x");
  dir.Write("scripts/VK7.TXT", "x");
  const GameFolder game(dir.Path());
  EXPECT_EQ(game.ScriptFile("vk7.txt"), dir / "scripts" / "vk7.txt");
  EXPECT_EQ(game.ScriptFile("Vk7.txt"), dir / "scripts" / "VK7.TXT");  // smallest match
  EXPECT_EQ(game.BattleFile("New One"), dir / "scripts" / "New One.vk7");
}

TEST(GameFolder, RootWithoutTrailingSeparatorStillJoins) {
  test::TempDir dir;
  dir.Write("scripts/a.vk7", "x");
  const std::string root = dir.Path().string();  // no trailing separator
  EXPECT_EQ(GameFolder(root).BattleFile("a"), dir / "scripts" / "a.vk7");
  EXPECT_EQ(GameFolder(root + "/").BattleFile("a"), dir / "scripts" / "a.vk7");
}

}  // namespace
}  // namespace vk7
