#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "battle/windows_1252.h"
#include "cli/vk7_tool.h"
#include "support/run_vk7.h"
#include "support/temp_dir.h"

namespace vk7 {
namespace {

using test::ToolRun;
using test::Vk7;

const std::string kGame = std::string(VK7_EXAMPLES_DIR) + "/game";
const std::string kScripts = kGame + "/scripts/";
const std::string kBattle =
    "VK7 Battle\r\nFile Format Version 1.2\r\n// Created by Velkor Editor\r\n";

TEST(Vk7CheckGameDir, ReportsEveryMissingObjectOfTheDemo) {
  const std::string deep = kScripts + "DeepSurvey.vk7";
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"check", "--game-dir", kGame, deep}, {"check", deep, "--game-dir=" + kGame}}) {
    const ToolRun run = Vk7(args);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, deep + ": warning: SURVEYOR is defined as player ship\n" + deep +
                           ": warning: Keth Deep is given as player position in system Keth\n" +
                           deep + ": warning: System Hollow Star is not in vk7sys.txt\n");
  }
}

TEST(Vk7CheckGameDir, CleanBattlesExitWithZero) {
  const ToolRun run = Vk7({"check", "--game-dir", kGame, kScripts + "First Patrol.vk7",
                           kScripts + "Veyr Ambush.vk7", kScripts + "Convoy Run.vk7"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
}

TEST(Vk7CheckGameDir, EveryDetailRowIsAWarning) {
  test::TempDir dir;
  dir.Write("SCRIPTS/VKSHIPS.TXT", "Talon=TALON\r\n");
  dir.Write("SCRIPTS/VK7SYS.TXT", "Keth=Arra\r\n");
  const std::string file =
      dir.Write("b.vk7", kBattle +
                             "Player = Ghost\r\nEscort = ghost\r\nSystem = Keth\r\n"
                             "Friend = TALON\r\nEnemy = Wisp\r\nFriendPosition = Planet Void\r\n"
                             "HulkPosition = Planet void\r\nSystem = Nowhere\r\n"
                             "EnemyPosition = Planet Gone\r\n")
          .string();
  const ToolRun run = Vk7({"check", "--game-dir", dir.Path().string(), file});
  EXPECT_EQ(run.status, 1);
  const std::string w = file + ": warning: ";
  EXPECT_EQ(run.err, w + "Ghost is defined as player ship\n" + w +
                         "ghost is defined as escort ship\n" + w +
                         "Wisp is defined as enemy ship in system Keth\n" + w +
                         "Void is given as friend position in system Keth\n" + w +
                         "void is given as hulk position in system Keth\n" + w +
                         "System Nowhere is not in VK7SYS.TXT\n");
}

TEST(Vk7CheckGameDir, MissingCatalogFailsBeforeAnyBattle) {
  struct Case {
    const char* present;
    const char* unreadable;  // a folder under this name, found but no file, or nullptr
    const char* expected;
  };
  for (const Case& c :
       {Case{"scripts/vk7sys.txt", nullptr, "vkships.txt: error: Cannot open vkships.txt file!\n"},
        Case{"scripts/vkships.txt", nullptr, "vk7sys.txt: error: Cannot open vk7sys.txt file!\n"},
        Case{"scripts/vk7sys.txt", "scripts/VKSHIPS.TXT",
             "VKSHIPS.TXT: error: Cannot open vkships.txt file!\n"}}) {
    test::TempDir dir;
    dir.Write(c.present, "Keth=TALON\r\n");
    if (c.unreadable != nullptr) std::filesystem::create_directory(dir / c.unreadable);
    const ToolRun run =
        Vk7({"check", "--game-dir", dir.Path().string(), kScripts + "First Patrol.vk7"});
    EXPECT_EQ(run.status, 1) << c.present;
    EXPECT_EQ(run.err, c.expected);
  }
}

TEST(Vk7ListGameDir, PrintsTheValidEntriesInOrder) {
  ToolRun run = Vk7({"list", "--game-dir", kGame});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "First Patrol\nVeyr Ambush\nConvoy Run\nDeepSurvey\n");
  EXPECT_EQ(run.err, "");

  test::TempDir dir;
  dir.Write("scripts/vk7.txt",
            "VK7 Available Battles\nFile Format Version 1.0\n b \nmissing\na\n../scripts/b\n");
  dir.Write("scripts/A.VK7", kBattle);
  dir.Write("scripts/b.vk7", kBattle);
  run = Vk7({"list", "--game-dir=" + dir.Path().string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "b\na\n");

  // A Windows-1252 entry whose file is named in UTF-8 (UTF-16 on Windows), or in the
  // single-byte spelling where names have one (Linux).
  dir.Write("scripts/vk7.txt", "VK7 Available Battles\nFile Format Version 1.0\nCaf\xE9\n\xDC\n");
  dir.Write(test::Utf8Path("scripts/CAF\xC3\x89.vk7"), kBattle);
  dir.Write("scripts" / NativeSpellings("\xDC.vk7").back(), kBattle);
  run = Vk7({"list", "--game-dir", dir.Path().string()});
#ifdef _WIN32
  EXPECT_EQ(run.out, "Caf\xE9\n\xDC\n");  // Windows-1252, the ANSI code page the game runs in
#else
  EXPECT_EQ(run.out, "Caf\xC3\xA9\n\xC3\x9C\n");
#endif
}

TEST(Vk7ListGameDir, IndexErrors) {
  struct Case {
    const char* index;  // nullptr: no index at all
    const char* name;   // its spelling on disk
    const char* expected;
  };
  const char* const newer = "VK7 Available Battles\r\nFile Format Version 2.0\r\n";
  for (const Case& c :
       {Case{nullptr, "vk7.txt", "vk7.txt: error: Cannot open vk7.txt file!\n"},
        Case{newer, "vk7.txt", "vk7.txt: error: Invalid version of vk7.txt file!\n"},
        Case{newer, "VK7.TXT", "VK7.TXT: error: Invalid version of vk7.txt file!\n"},
        Case{"VK7 Available Battles\n", "Vk7.Txt", "Vk7.Txt: error: No valid vk7.txt file!\n"}}) {
    test::TempDir dir;
    dir.Write("scripts/a.vk7", kBattle);
    if (c.index != nullptr) dir.Write(std::string("scripts/") + c.name, c.index);
    const ToolRun run = Vk7({"list", "--game-dir", dir.Path().string()});
    EXPECT_EQ(run.status, 1) << c.expected;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, c.expected);
  }
}

TEST(Vk7ListGameDir, UsageErrorsExitWithTwo) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"list"},
           {"list", "--game-dir"},
           {"list", "--game-dir", kGame, "extra"},
           {"list", "--game-dir", kGame, "--sorted"},
           {"check", "--game-dir", kGame},
           {"check", kScripts + "DeepSurvey.vk7", "--game-dir"}}) {
    const ToolRun run = Vk7(args);
    EXPECT_EQ(run.status, 2) << ::testing::PrintToString(args);
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(run.err, ::testing::HasSubstr("Usage: vk7"));
  }
}

}  // namespace
}  // namespace vk7
