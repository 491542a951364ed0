#include "content/battle_index.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
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

std::string Joined(const Names& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : "|") + name;
  return text;
}

// The text of an error box titled "Error", anything else whole.
std::string ErrorText(const std::string& logged) {
  return logged.rfind("error|Error|", 0) == 0 ? logged.substr(12) : logged;
}

std::size_t Files(const std::filesystem::path& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// An index read from memory, then edited a step at a time.
Names RunEdits(const test_support::Case& c) {
  std::string text = kHeader;
  for (std::size_t start = 0, bar = 0; bar != std::string::npos; start = bar + 1) {
    bar = c.input[0].find('|', start);
    text += c.input[0].substr(start, bar - start) + "\r\n";
  }
  TextLineFile source;
  source.OpenMemory(text);
  BattleIndex x;
  RecordingReporter reporter;
  const auto isBattle = [](const std::string& name) { return name.find('?') == name.npos; };
  EXPECT_TRUE(x.Read(source, isBattle, reporter));
  Names shown = {Joined(x.Entries())};
  for (std::size_t i = 1; i < c.input.size(); ++i) {
    const std::string& step = c.input[i];
    const std::string op = step.substr(0, step.find(' '));
    const std::string arg = step.substr(op.size() + 1);
    const std::size_t at = std::isdigit(static_cast<unsigned char>(arg[0])) ? std::stoul(arg) : 0;
    const std::string name = arg.substr(arg.find(' ') + 1);
    std::optional<std::size_t> current;
    if (op == "add") current = x.Add(arg) ? x.Contains(arg) : std::nullopt;
    if (op == "find") current = x.Contains(arg);
    if (op == "up") current = x.MoveUp(at);
    if (op == "down") current = x.MoveDown(at);
    if (op == "remove") x.RemoveAt(at);
    if (op == "rename") {
      current = x.RenameAt(at, name[0] == '#' ? x.Entries()[std::stoul(name.substr(1))] : name);
    }
    shown.push_back((current ? std::to_string(*current) : "-") + "; " + Joined(x.Entries()) +
                    (x.Changed() ? "; changed" : "; unchanged"));
  }
  return shown;
}

class BattleIndexCaseTest : public ::testing::TestWithParam<test_support::Case> {};

TEST_P(BattleIndexCaseTest, ShowsWhatIsExpected) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
  Names shown;
  if (c.name.rfind("Edit_", 0) == 0) {
    shown = RunEdits(c);
  } else if (c.name.rfind("Names_", 0) == 0) {
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

// On disk a name is kept when its file, found in any letter case, starts with "VK7 Battle".
// The index is written again only after a change, then without the names dropped, over the
// file it was read from.
TEST(BattleIndex, LoadsFromDiskAndSavesOnlyAfterAChange) {
  test::TempDir dir;
  const std::string original =
      "VK7 Available Battles\nFile Format Version 1.0\n"
      "Alpha\nMissing\nNot Battle\nLower\nsub/Beta\nconvoy run\nNo Newline";
  const auto file = dir.Write("Scripts/VK7.TXT", original);
  dir.Write("Scripts/alpha.VK7", "VK7 Battle\n");
  dir.Write("Scripts/Convoy Run.vk7", "VK7 Battle");
  dir.Write("Scripts/No Newline.vk7", kBattle);
  dir.Write("Scripts/Not Battle.vk7", "VK7 Battle \r\n");
  dir.Write("Scripts/Lower.vk7", "vk7 battle\r\n");
  dir.Write("Scripts/sub/Beta.vk7", kBattle);
  const Names valid = {"Alpha", "convoy run", "No Newline"};

  BattleIndex index;
  RecordingReporter reporter;
  ASSERT_TRUE(index.Load(GameFolder(dir.Path()), reporter));
  EXPECT_EQ(index.Entries(), valid);
  EXPECT_TRUE(index.Save(reporter));
  EXPECT_EQ(test::ReadBytes(file), original);
  index.MarkChanged();
  EXPECT_TRUE(index.Save(reporter));
  EXPECT_FALSE(index.Changed());
  EXPECT_EQ(test::ReadBytes(file), kHeader + "Alpha\r\nconvoy run\r\nNo Newline\r\n");
  EXPECT_TRUE(reporter.Entries().empty());
  EXPECT_EQ(Files(dir / "Scripts"), 7u);  // no second index, nothing left behind
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
    EXPECT_EQ(test::Log(reporter), Names{"error|Error|Cannot write vk7.txt file!"});
    EXPECT_EQ(test::ReadBytes(kept), before);
    EXPECT_TRUE(index.Changed());
    EXPECT_EQ(Files(dir / (folderMoved ? "moved" : "scripts")), 2u);
  }
}

}  // namespace
}  // namespace vk7
