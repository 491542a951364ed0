#include "content/battle_index.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <optional>
#include <set>
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

Names Split(const std::string& joined) {
  Names names;
  for (std::size_t at = 0; at <= joined.size();) {
    const std::size_t end = std::min(joined.find('|', at), joined.size());
    names.push_back(joined.substr(at, end - at));
    at = end + 1;
  }
  return names;
}

std::size_t Files(const std::filesystem::path& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// An index read from memory, then edited a step at a time.
Names RunIndex(const test_support::Case& c) {
  std::string text;
  Names steps;
  for (const std::string& line : c.input) {
    if (line.rfind("> ", 0) == 0) {
      const std::string op = line.substr(2, line.find(' ', 2) - 2);
      if (!std::set<std::string>{"add", "find", "up", "down", "remove", "rename", "theirs",
                                 "reread"}
               .contains(op)) {
        test_support::Refuse(c, line, "no such step");
      }
      steps.push_back(line.substr(2));
    } else {
      text += (text.empty() ? "" : "\n") + line;
    }
  }
  const bool given = !text.empty() || c.input.empty() || !c.input[0].starts_with("> ");
  if (!given) text = "VK7 Available Battles\nFile Format Version 1.0\nA\nB\nC";
  TextLineFile source;
  source.OpenMemory(text);
  BattleIndex x;
  RecordingReporter reporter;
  const auto isBattle = [](const std::string& name) { return name.find('?') == name.npos; };
  const bool read = x.Read(source, isBattle, reporter);
  Names shown = test::Log(reporter);
  if (read && given) shown.push_back(Joined(x.Entries()));
  for (const std::string& step : steps) {
    const std::string op = step.substr(0, step.find(' '));
    const std::string arg = step.substr(std::min(op.size() + 1, step.size()));
    const std::size_t at = std::isdigit(static_cast<unsigned char>(arg[0])) ? std::stoul(arg) : 0;
    const std::string name = arg.substr(arg.find(' ') + 1);
    std::optional<std::size_t> current;
    if (op == "add") current = x.Add(arg) ? x.Contains(arg) : std::nullopt;
    if (op == "find") current = x.Contains(arg);
    if (op == "up") current = x.MoveUp(at);
    if (op == "down") current = x.MoveDown(at);
    if (op == "remove") x.RemoveAt(at);
    if (op == "theirs") x.Merge(Split(arg));
    if (op == "reread") {
      source.OpenMemory(text);
      x.Read(source, isBattle, reporter);
    }
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
  if (!c.name.starts_with("Index_") && !c.name.starts_with("Names_") &&
      !c.name.starts_with("Typed_")) {
    test_support::Refuse(c, c.name, "a case neither of the index nor of names");
  }
  if (c.name.rfind("Index_", 0) == 0) shown = RunIndex(c);
  Names expected = c.expected;
  if (c.name.starts_with("Names_")) {
    if (c.expected.size() != 1) test_support::Refuse(c, c.name, "one expected line for all names");
    expected.assign(c.input.size(), c.expected[0]);
  }
  for (const std::string& name : c.name.starts_with("Names_") ? c.input : Names{}) {
    RecordingReporter reporter;
    const bool accepted = CheckBattleName(name, reporter);
    const Names log = test::Log(reporter);
    EXPECT_EQ(log.size(), accepted ? 0u : 1u) << name;
    shown.push_back(accepted ? "accepted" : expected[0] == "refused" ? "refused" : log.at(0));
  }
  for (const std::string& typed : c.name.starts_with("Typed_") ? c.input : Names{}) {
    RecordingReporter reporter;
    const auto name = TypedBattleName(typed, reporter, "First Patrol");
    shown.push_back((name ? "[" + *name + "]" : "nothing") +
                    (reporter.Entries().empty() ? "" : ", refused"));
  }
  EXPECT_EQ(shown, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BattleIndexCaseTest,
    ::testing::ValuesIn(test_support::LoadCases("content/cases/battle_index.txt")),
    test_support::CaseName());

// On disk a name is kept when its file, found in any letter case, starts with "VK7 Battle".
// The index is written again only after a change, then without the names dropped, over the
// file it was read from; a failed save keeps what was there.
TEST(BattleIndex, LoadsFromDiskAndSavesOnlyAfterAChange) {
  test::TempDir dir;
  const std::string original =
      "VK7 Available Battles\nFile Format Version 1.0\n"
      "Alpha\nMissing\nNot Battle\nLower\nsub/Beta\nconvoy run\nNo Newline";
  dir.Write("Scripts/alpha.VK7", "VK7 Battle\n");
  dir.Write("Scripts/Convoy Run.vk7", "VK7 Battle");
  dir.Write("Scripts/No Newline.vk7", kBattle);
  dir.Write("Scripts/Not Battle.vk7", "VK7 Battle \r\n");
  dir.Write("Scripts/Lower.vk7", "vk7 battle\r\n");
  dir.Write("Scripts/sub/Beta.vk7", kBattle);
  const Names valid = {"Alpha", "convoy run", "No Newline"};
  BattleIndex index;
  RecordingReporter reporter;
  EXPECT_FALSE(index.Load(GameFolder(dir.Path()), reporter));
  EXPECT_EQ(test::Log(reporter), Names{"error|Error|Cannot open vk7.txt file!"});
  reporter.Clear();
  const auto file = dir.Write("Scripts/VK7.TXT", original);
  ASSERT_TRUE(index.Load(GameFolder(dir.Path()), reporter));
  EXPECT_EQ(index.Entries(), valid);
  EXPECT_TRUE(index.Save(reporter));
  EXPECT_EQ(test::ReadBytes(file), original);
  index.MarkChanged();
  EXPECT_TRUE(index.Save(reporter));
  EXPECT_FALSE(index.Changed());
  std::string saved = kHeader + "Alpha\r\nconvoy run\r\nNo Newline\r\n";
  EXPECT_EQ(test::ReadBytes(file), saved);
  // Taken away and saved, then listed again by another program: the next save keeps it.
  index.RemoveAt(0);
  ASSERT_TRUE(index.Save(reporter));
  dir.Write("Scripts/VK7.TXT", saved);
  index.MarkChanged();
  ASSERT_TRUE(index.Save(reporter));
  saved = kHeader + "convoy run\r\nNo Newline\r\nAlpha\r\n";
  EXPECT_EQ(test::ReadBytes(file), saved);
  EXPECT_TRUE(reporter.Entries().empty());
  EXPECT_EQ(Files(dir / "Scripts"), 7u);  // no second index, nothing left behind

  // The scripts folder moved away with a file in its place: the save fails, says so, keeps the
  // index where it went and leaves the index to be saved.
  index.RemoveAt(0);
  std::filesystem::rename(dir / "Scripts", dir / "moved");
  dir.Write("Scripts", "now a plain file");
  EXPECT_FALSE(index.Save(reporter));
  EXPECT_EQ(test::Log(reporter), Names{"error|Error|Cannot write vk7.txt file!"});
  EXPECT_EQ(test::ReadBytes(dir / "moved" / "VK7.TXT"), saved);
  EXPECT_TRUE(index.Changed());
  EXPECT_EQ(Files(dir / "moved"), 7u);
}

}  // namespace
}  // namespace vk7
