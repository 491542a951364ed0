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
  EXPECT_EQ(game.ScriptsDir(), dir / "Scripts");
  EXPECT_EQ(game.ScriptFile("vkships.txt"), dir / "Scripts" / "VKSHIPS.TXT");
  EXPECT_EQ(game.BattleFile("first patrol"), dir / "Scripts" / "First Patrol.VK7");
}

TEST(GameFolder, ExactNameWinsAndMissingNamesStayAsGiven) {
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
