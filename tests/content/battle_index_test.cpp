#include "content/battle_index.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "battle/game_folder.h"
#include "battle/recording_reporter.h"
#include "battle/text_line_file.h"
#include "content/battle_name.h"
#include "support/case_file.h"
#include "support/model_builders.h"
#include "support/temp_dir.h"

namespace vk7 {
namespace {

using Names = std::vector<std::string>;
const std::string kHeader = "VK7 Available Battles\r\nFile Format Version 1.0\r\n";
const std::string kBattle = "VK7 Battle\r\nFile Format Version 1.2\r\n";

std::string CrLf(const Names& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// Temporary files left anywhere below the folder.
int Leftovers(const test::TempDir& dir) {
  int count = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Path())) {
    count += entry.path().filename().string().find(".tmp") != std::string::npos ? 1 : 0;
  }
  return count;
}

Names Error(const std::string& text) {
  return {"error|Error|" + text};
}

// The text of an error box titled "Error", anything else whole.
std::string ErrorText(const std::string& logged) {
  return logged.rfind("error|Error|", 0) == 0 ? logged.substr(12) : logged;
}

class BattleIndexCaseTest : public ::testing::TestWithParam<test_support::Case> {};

TEST_P(BattleIndexCaseTest, RefusesAsExpected) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
  Names shown;
  if (c.name.rfind("Names_", 0) == 0) {
    for (const std::string& name : c.input) {
      RecordingReporter reporter;
      const bool accepted = CheckBattleName(name, reporter);
      const Names log = test::Log(reporter);
      EXPECT_EQ(log.size(), accepted ? 0u : 1u) << name;
      shown.push_back(accepted                 ? "accepted"
                      : c.expected.size() == 1 ? ErrorText(log.at(0))
                                               : "refused");
    }
  } else {
    test::TempDir dir;
    dir.Write("scripts/a.vk7", kBattle);
    std::string text;
    for (const std::string& line : c.input) text += (text.empty() ? "" : "\n") + line;
    if (!c.input.empty()) dir.Write("scripts/vk7.txt", text);
    BattleIndex index;
    RecordingReporter reporter;
    EXPECT_FALSE(index.Load(GameFolder(dir.Path()), reporter));
    for (const std::string& line : test::Log(reporter)) shown.push_back(ErrorText(line));
  }
  EXPECT_EQ(shown, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BattleIndexCaseTest,
    ::testing::ValuesIn(test_support::LoadCases("content/cases/battle_index.txt")),
    test_support::CaseName());

// An index of valid battles and all kinds of invalid ones: only the valid are listed, their
// names trimmed; the file is written again only after a change, then without the invalid.
TEST(BattleIndex, LoadKeepsValidBattlesAndSaveWritesOnlyAfterAChange) {
  test::TempDir dir;
  const std::string original =
      "VK7 Available Battles\nFile Format Version 1.0\n"
      "  Alpha\t\nMissing\n\nNot Battle\nLower\n..\n.\n../scripts/Alpha\nsub/Beta\n"
      "back\\slash\nBeta\nALPHA\nNo Newline";
  const auto file = dir.Write("scripts/vk7.txt", original);
  dir.Write("scripts/Alpha.vk7", "VK7 Battle\n");
  dir.Write("scripts/Beta.vk7", "VK7 Battle");
  dir.Write("scripts/No Newline.vk7", kBattle);
  dir.Write("scripts/Not Battle.vk7", "VK7 Battle \r\n");
  dir.Write("scripts/Lower.vk7", "vk7 battle\r\n");
  dir.Write("scripts/..vk7", kBattle);   // what "." would name
  dir.Write("scripts/...vk7", kBattle);  // what ".." would name
  dir.Write("scripts/sub/Beta.vk7", kBattle);
  dir.Write("scripts/back\\slash.vk7", kBattle);
  dir.Write("scripts/.vk7", kBattle);  // what an empty line would name
  const Names valid = {"Alpha", "Beta", "ALPHA", "No Newline"};

  BattleIndex index;
  RecordingReporter reporter;
  ASSERT_TRUE(index.Load(GameFolder(dir.Path()), reporter));
  EXPECT_EQ(index.Entries(), valid);
  EXPECT_EQ(index.Contains("alpha"), 0u);
  EXPECT_EQ(index.Contains(" Alpha"), std::nullopt);
  EXPECT_EQ(index.Contains("no newline"), 3u);
  index.Add("beta");
  index.MoveUp(0);
  index.MoveDown(valid.size() - 1);
  EXPECT_FALSE(index.Changed());
  EXPECT_TRUE(index.Save(reporter));
  EXPECT_EQ(test::ReadBytes(file), original);

  // Moved away and back: same order, yet the file is rewritten without the invalid names.
  ASSERT_EQ(index.MoveDown(1), 2u);
  ASSERT_EQ(index.MoveUp(2), 1u);
  EXPECT_TRUE(index.Changed());
  EXPECT_TRUE(index.Save(reporter));
  EXPECT_EQ(test::ReadBytes(file), kHeader + CrLf(valid));
  EXPECT_TRUE(reporter.Entries().empty());
  EXPECT_EQ(Leftovers(dir), 0);
}

// Each edit tells the position it leaves current, if any.
TEST(BattleIndex, EditsAndTheChangedFlag) {
  using I = BattleIndex&;
  using Edit = std::function<std::optional<std::size_t>(I)>;
  const auto add = [](const char* name) -> Edit {
    return [name](I x) { return x.Add(name) ? x.Contains(name) : std::nullopt; };
  };
  const std::tuple<const char*, Edit, Names, bool, std::optional<std::size_t>> cases[] = {
      {"add new", add("D"), {"A", "B", "C", "D"}, true, 3},
      {"add listed", add("b"), {"A", "B", "C"}, false, std::nullopt},
      {"move up first", [](I x) { return x.MoveUp(0); }, {"A", "B", "C"}, false, std::nullopt},
      {"move down last", [](I x) { return x.MoveDown(2); }, {"A", "B", "C"}, false, std::nullopt},
      {"move up", [](I x) { return x.MoveUp(2); }, {"A", "C", "B"}, true, 1},
      {"move down", [](I x) { return x.MoveDown(0); }, {"B", "A", "C"}, true, 1},
      {"remove",
       [](I x) { return x.RemoveAt(1), std::optional<std::size_t>(); },
       {"A", "C"},
       true,
       std::nullopt},
      {"rename", [](I x) { return x.RenameAt(1, "X"); }, {"A", "X", "C"}, true, 1},
      {"rename case", [](I x) { return x.RenameAt(1, "b"); }, {"A", "b", "C"}, true, 1},
      {"rename onto later", [](I x) { return x.RenameAt(0, "c"); }, {"B", "C"}, true, 1},
      {"rename onto earlier", [](I x) { return x.RenameAt(2, "a"); }, {"A", "B"}, true, 0},
      {"rename last", [](I x) { return x.RenameAt(2, "Z"); }, {"A", "B", "Z"}, true, 2},
      // Letters beyond ASCII differ in case only, as on Windows: one file, one entry.
      {"add listed \xE9/\xC9",
       [](I x) {
         return x.RenameAt(2, "\xC9t\xE9 \x8A"),
                x.Add("\xE9T\xC9 \x9A") ? x.Contains("\xE9T\xC9 \x9A") : std::nullopt;
       },
       {"A", "B", "\xC9t\xE9 \x8A"},
       true,
       std::nullopt},
      // The new name may be an entry of the list itself, erased by the rename.
      {"rename to own entry",
       [](I x) { return x.RenameAt(0, x.Entries()[2]); },
       {"B", "C"},
       true,
       1},
  };
  for (const auto& [what, edit, entries, changed, current] : cases) {
    TextLineFile source;
    source.OpenMemory(kHeader + CrLf({"A", "B", "C"}));
    BattleIndex index;
    RecordingReporter reporter;
    ASSERT_TRUE(index.Read(
        source, [](const std::string&) { return true; }, reporter));
    EXPECT_EQ(edit(index), current) << what;
    EXPECT_EQ(index.Entries(), entries) << what;
    EXPECT_EQ(index.Changed(), changed) << what;
  }
}

TEST(BattleIndex, NamesAreCutAt511CharactersBeforeTrimmingAndTesting) {
  TextLineFile source;
  source.OpenMemory(kHeader + std::string(600, 'N') + "\r\n\t" + std::string(599, 'n') + "\r\n");
  Names asked;
  BattleIndex index;
  RecordingReporter reporter;
  const auto isBattle = [&asked](const std::string& name) { return asked.push_back(name), true; };
  ASSERT_TRUE(index.Read(source, isBattle, reporter));
  EXPECT_EQ(asked, (Names{std::string(511, 'N'), std::string(510, 'n')}));
  EXPECT_EQ(index.Entries(), asked);
}

TEST(BattleIndex, FilesAreFoundWhateverTheirLetterCase) {
  test::TempDir dir;
  dir.Write("Scripts/VK7.TXT", kHeader + CrLf({"First Patrol", "convoy run"}));
  dir.Write("Scripts/first patrol.VK7", kBattle);
  dir.Write("Scripts/Convoy Run.vk7", kBattle);
  BattleIndex index;
  RecordingReporter reporter;
  ASSERT_TRUE(index.Load(GameFolder(dir.Path()), reporter));
  EXPECT_EQ(index.Entries(), (Names{"First Patrol", "convoy run"}));
  index.RemoveAt(0);
  ASSERT_TRUE(index.Save(reporter));
  // The existing index is replaced; no second one is made beside it (counted, as on Windows
  // every spelling exists).
  EXPECT_EQ(test::ReadBytes(dir / "Scripts" / "VK7.TXT"), kHeader + "convoy run\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "Scripts"), {}), 3);
}

// The scripts folder moved away with a file in its place, or the index replaced by a folder:
// the save fails, says so, keeps what was there and leaves the index to be saved.
TEST(BattleIndex, FailedSaveIsReportedAndKeepsWhatWasThere) {
  for (const bool folderMoved : {true, false}) {
    test::TempDir dir;
    dir.Write("scripts/vk7.txt", kHeader + "A\r\n");
    dir.Write("scripts/A.vk7", kBattle);
    BattleIndex index;
    RecordingReporter reporter;
    ASSERT_TRUE(index.Load(GameFolder(dir.Path()), reporter));
    index.Add("B");
    std::filesystem::path kept = dir / "moved" / "vk7.txt";
    if (folderMoved) {
      std::filesystem::rename(dir / "scripts", dir / "moved");
      dir.Write("scripts", "now a plain file");
    } else {
      std::filesystem::remove(dir / "scripts" / "vk7.txt");
      kept = dir.Write("scripts/vk7.txt/keep", "x");
    }
    const std::string before = test::ReadBytes(kept);
    EXPECT_FALSE(index.Save(reporter));
    EXPECT_EQ(test::Log(reporter), Error("Cannot write vk7.txt file!"));
    EXPECT_EQ(test::ReadBytes(kept), before);
    EXPECT_TRUE(index.Changed());
    EXPECT_EQ(Leftovers(dir), 0);
  }
}

}  // namespace
}  // namespace vk7
