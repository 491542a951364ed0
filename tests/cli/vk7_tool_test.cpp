#include "cli/vk7_tool.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_vk7.h"
#include "support/temp_dir.h"

namespace vk7 {
namespace {

using test::ToolRun;
using test::Vk7;

using ::testing::HasSubstr;

std::string Lines(const std::vector<std::string>& lines, const char* end = "\r\n") {
  std::string text;
  for (const std::string& line : lines) text += line + end;
  return text;
}

const std::string kDemo = std::string(VK7_EXAMPLES_DIR) + "/game/scripts/";

std::string Minimal(const std::vector<std::string>& body) {
  std::vector<std::string> lines = {"VK7 Battle", "File Format Version 1.2",
                                    "// Created by Velkor Editor"};
  lines.insert(lines.end(), body.begin(), body.end());
  return Lines(lines);
}

TEST(Vk7Check, DemoBattlesReadCleanly) {
  const ToolRun run = Vk7({"check", kDemo + "First Patrol.vk7", kDemo + "Veyr Ambush.vk7",
                           kDemo + "Convoy Run.vk7", kDemo + "DeepSurvey.vk7"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "");
}

TEST(Vk7Check, ErrorsCarryThePathAsGivenAndTheLine) {
  test::TempDir dir;
  const std::string bad =
      dir.Write("bad.vk7", Minimal({"Player = HALBERD", "", "// note", "player = X"})).string();
  const std::string good =
      dir.Write("good.vk7", Minimal({"Player = HALBERD", "System = Keth"})).string();
  const ToolRun run = Vk7({"check", good, bad, (dir / "missing.vk7").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, bad + ":7: error: Unknown keyword in line 7\n" +
                         (dir / "missing.vk7").string() + ": error: Cannot open file!\n");
}

TEST(Vk7Check, ErrorsWithoutLineAndWarnings) {
  test::TempDir dir;
  // Not written by the editor (no "Created by" line) and without a system.
  const std::string file =
      dir.Write("foreign.vk7", Lines({"VK7 Battle", "File Format Version 1.0", "Player = X"}, "\n"))
          .string();
  const ToolRun run = Vk7({"check", file});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, file +
                         ": warning: This configuration was not created by the Velkor editor. You "
                         "can proceed without problems, but you may lose most of your "
                         "hand-written comments when saving the configuration file!\n" +
                         file + ": error: No system defined\n");
}

TEST(Vk7Check, AWarningAloneStillSucceeds) {
  test::TempDir dir;
  const std::string file =
      dir.Write("w.vk7",
                Lines({"VK7 Battle", "File Format Version 1.1", "System = A", "Player = B"}))
          .string();
  const ToolRun run = Vk7({"check", file});
  EXPECT_EQ(run.status, 0);
  EXPECT_THAT(run.err, HasSubstr(": warning: This configuration was not created"));
}

// Only "format --in-place" writes, so only it needs (and keeps needing) a writable file.
TEST(Vk7Check, ReadOnlyFilesAreCheckedListedAndPrinted) {
  test::TempDir dir;
  dir.Write("scripts/vk7.txt", Lines({"VK7 Available Battles", "File Format Version 1.0", "a"}));
  dir.Write("scripts/vkships.txt", "Halberd=HALBERD\r\n");
  dir.Write("scripts/vk7sys.txt", "Keth=Arra\r\n");
  const std::string original = Minimal({"Player = HALBERD", "System = Keth"});
  const std::string a = dir.Write("scripts/a.vk7", original).string();
  const std::string game = dir.Path().string();
  const ToolRun printed = Vk7({"format", a});
  ASSERT_EQ(printed.status, 0);
  const std::vector<std::pair<std::vector<std::string>, ToolRun>> cases = {
      {{"check", a}, {0, "", ""}},
      {{"check", "--game-dir", game, a}, {0, "", ""}},
      {{"list", "--game-dir", game}, {0, "a\n", ""}},
      {{"format", a}, printed},
      {{"format", "--in-place", a}, {1, "", a + ": error: Cannot open file!\n"}}};
  for (const auto& [args, expected] : cases) {
    const std::optional<ToolRun> run = test::Vk7OnReadOnlyFolder(dir.Path(), args);
    if (!run) GTEST_SKIP() << "no read-only mount can be made here (no mount namespaces)";
    EXPECT_EQ(run->status, expected.status) << args[0] << ' ' << args[1];
    EXPECT_EQ(run->out, expected.out) << args[0] << ' ' << args[1];
    EXPECT_EQ(run->err, expected.err) << args[0] << ' ' << args[1];
  }
  EXPECT_EQ(test::ReadBytes(a), original);
}

TEST(Vk7Usage, BadCallsExitWithTwo) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{},
                                             {"lint"},
                                             {"check"},
                                             {"check", "--fast", "a.vk7"},
                                             {"format"},
                                             {"format", "a.vk7", "b.vk7"},
                                             {"format", "--inplace", "a.vk7"},
                                             {"overview", "a.vk7"},
                                             {"overview", "a.vk7", "-o"},
                                             {"overview", "--text", "a.vk7", "b.vk7"},
                                             {"overview", "--svg", "a.vk7", "-o", "-"}}) {
    const ToolRun run = Vk7(args);
    EXPECT_EQ(run.status, 2) << ::testing::PrintToString(args);
    EXPECT_THAT(run.err, HasSubstr("Usage: vk7"));
  }
}

TEST(Vk7Usage, HelpAndVersion) {
  ToolRun run = Vk7({"--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_THAT(run.out, HasSubstr("format --in-place FILE..."));
  EXPECT_THAT(run.out, HasSubstr("overview FILE -o OUT.svg"));
  run = Vk7({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_THAT(run.out, ::testing::StartsWith("vk7 "));
}

TEST(Vk7Format, DemoBattlesAreAlreadyInTheEditorsLayout) {
  for (const char* name : {"First Patrol.vk7", "Veyr Ambush.vk7", "Convoy Run.vk7"}) {
    const ToolRun run = Vk7({"format", kDemo + name});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, test::ReadBytes(kDemo + name)) << name;
  }
}

TEST(Vk7Format, PrintsTheSavedLayoutOfAHandWrittenFile) {
  test::TempDir dir;
  const std::string file =
      dir.Write("hand.vk7", Lines({"VK7 Battle", "File Format Version 1.0", "System=Keth // home",
                                   "Player =  HALBERD=Resolute"},
                                  "\n"))
          .string();
  const ToolRun run = Vk7({"format", file});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, Lines({"VK7 Battle", "File Format Version 1.2", "// Created by Velkor Editor",
                            "", "// The player ship", "Player          = HALBERD = Resolute", "",
                            "// Define a system -------------------------------------------",
                            "System          = Keth"}));
  EXPECT_THAT(run.err, HasSubstr(": warning: This configuration was not created"));
}

TEST(Vk7Format, InPlaceRewritesAndIsStable) {
  test::TempDir dir;
  const auto file = dir.Write("a.vk7", Minimal({"System = Keth", "Enemy = VEYR-R", "Player = X"}));
  ToolRun run = Vk7({"format", "--in-place", file.string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  const std::string once = test::ReadBytes(file);
  EXPECT_THAT(once, HasSubstr("Enemy           = VEYR-R\r\n"));
  run = Vk7({"format", "--in-place", file.string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(test::ReadBytes(file), once);
  EXPECT_EQ(std::filesystem::directory_iterator(dir.Path())->path(), file);  // no leftovers
}

TEST(Vk7Format, RefusesAResultThatWouldLoseData) {
  test::TempDir dir;
  // Fits 255 characters as written by hand, but not once the keyword is padded.
  const std::string longClass(240, 'C');
  const std::string original = Minimal({"System = Keth", "Friend=" + longClass, "Player = X"});
  const auto file = dir.Write("long.vk7", original);
  const ToolRun run = Vk7({"format", "--in-place", file.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(run.err, HasSubstr(file.string() + ": error: Line 12 would be longer than 255"));
  EXPECT_EQ(run.err.find('\n'), run.err.size() - 1);  // one diagnostic, one line
  EXPECT_EQ(test::ReadBytes(file), original);
}

TEST(Vk7Format, RefusesADefaultNameClash) {
  test::TempDir dir;
  const auto file = dir.Write("clash.vk7", Minimal({"Player = HALBERD", "Escort = TALON",
                                                    "Escort = TALON = TALON E1", "System = Keth"}));
  const std::string original = test::ReadBytes(file);
  const ToolRun run = Vk7({"format", "--in-place", file.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, file.string() +
                         ": error: Your escort ship name TALON E1 conflicts with a default escort "
                         "ship name . Please change this name!\n");
  EXPECT_EQ(test::ReadBytes(file), original);
}

TEST(Vk7Format, UnreadableFileExitsWithOne) {
  test::TempDir dir;
  const auto file = dir.Write("x.vk7", "not a battle\n");
  const ToolRun run = Vk7({"format", file.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, file.string() + ": error: Not a valid vk7 battle file!\n");
}

// The picture and the text are the core's golden renderings; the battle is only read.
TEST(Vk7Overview, PrintsOrWritesTheOverview) {
  const std::string deep = kDemo + "DeepSurvey.vk7";
  const std::string game = std::string(VK7_EXAMPLES_DIR) + "/game";
  const std::string golden = std::string(VK7_TEST_DATA_DIR) + "/content/golden/overview/";
  ToolRun run = Vk7({"overview", "--game-dir", game, deep, "-o", "-"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, test::ReadBytes(golden + "deep_survey.svg"));
  run = Vk7({"overview", "--text", deep, "--game-dir=" + game});
  EXPECT_EQ(run.out, test::ReadBytes(golden + "deep_survey.txt"));
  run = Vk7({"overview", "--text", deep});  // without the catalogs, no findings
  EXPECT_THAT(run.out, HasSubstr("SURVEYOR \"Long Count\"\n"));
  EXPECT_THAT(run.out, ::testing::Not(HasSubstr("Check findings")));

  test::TempDir dir;
  run = Vk7({"overview", deep, "-o", (dir / "o.svg").string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_THAT(test::ReadBytes(dir / "o.svg"), ::testing::StartsWith("<?xml"));
  const std::string bad = dir.Write("bad.vk7", "not a battle\n").string();
  const std::string unwritable = (dir / "no folder" / "x.svg").string();
  for (const auto& [args, err] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"overview", bad, "-o", "-"}, bad + ": error: Not a valid vk7 battle file!\n"},
           {{"overview", deep, "-o", unwritable}, unwritable + ": error: Cannot write the file!\n"},
           {{"overview", "--game-dir", dir.Path().string(), deep, "-o", "-"},
            "vkships.txt: error: Cannot open vkships.txt file!\n"}}) {
    run = Vk7(args);
    EXPECT_EQ(run.status, 1) << err;
    EXPECT_EQ(run.err, err);
    EXPECT_EQ(run.out, "");
  }
}

}  // namespace
}  // namespace vk7
