#include "battle/battle_file_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "battle/recording_reporter.h"
#include "support/battle_text.h"
#include "support/case_file.h"
#include "support/temp_dir.h"

namespace vk7 {
namespace {

using test_support::BattleText;
using Lines = std::vector<std::string>;
using test_support::ReadBattleText;

// The cases of the reader and of the rules across lines. Those of reader_headers.txt give
// whole files, the others the lines after the header; those of remarks.txt are read with their
// remarks collected.
std::vector<test_support::Case> AllReaderCases() {
  std::vector<test_support::Case> cases;
  for (const char* name :
       {"reader_headers", "reader_errors", "reader_values", "section_rules", "remarks"}) {
    const auto more = test_support::LoadCases("battle/cases/" + std::string(name) + ".txt");
    cases.insert(cases.end(), more.begin(), more.end());
  }
  return cases;
}

// Every case is read each way the program reads a battle, alike; the read fails with at most
// one error, or reads to its values.
class ReaderCaseTest : public ::testing::TestWithParam<test_support::Case> {};

TEST_P(ReaderCaseTest, ReadsAsExpectedEveryWay) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
  const bool remarks = c.where.starts_with("battle/cases/remarks.txt");
  std::string text;
  for (const std::string& line : c.input) text += line + "\n";
  if (!c.where.starts_with("battle/cases/reader_headers.txt")) text = BattleText(c.input);
  const auto read = test_support::ReadEveryWay(text, !remarks);
  EXPECT_EQ(test_support::Shown(read, remarks), c.expected);
  EXPECT_EQ(std::ranges::count_if(read.messages, [](const auto& e) { return e.error; }),
            read.ok ? 0 : 1);
  if (remarks) {  // skipped, none is kept and no warning shown
    const auto skipped = ReadBattleText(text, true);
    EXPECT_TRUE(skipped.config.remarks.empty() && skipped.Warnings().empty());
    EXPECT_EQ(skipped.ok, read.ok);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReaderCaseTest, ::testing::ValuesIn(AllReaderCases()),
                         test_support::CaseName());

// A battle of over a megabyte takes the path that allocates each list once, at its final
// size, and checks names where they lie, in the source, the model or blocks of their own: the
// first repeated name is still the one shown, here a name of the third system repeated in the
// fifth.
TEST(BattleFileReader, LargeBattleSizesItsListsAheadAndReportsTheFirstRepeatedName) {
  std::vector<std::string> lines = {"System = Sol", "Player = Cruiser = Flagship"};
  const char* roles[] = {"Friend", "Enemy", "Neutral", "Hulk"};
  for (int i = 0; i < 42000; ++i) {
    if (i > 0 && i % 7000 == 0) lines.push_back("System = S" + std::to_string(i / 7000));
    lines.push_back(std::string(roles[i % 4]) + " = Scout = Ship " + std::to_string(i));
    if (i % 7 == 0) lines.push_back("EnemyWarpInDialog = [a.acm] Captain: Here");
  }
  const auto clean = test_support::ReadEveryWay(BattleText(lines));
  ASSERT_TRUE(clean.ok);
  ASSERT_EQ(clean.config.systems.size(), 6u);
  for (const StarSystem& system : clean.config.systems) {
    for (const auto* list : {&system.friends, &system.enemies, &system.neutrals, &system.hulks}) {
      EXPECT_EQ(list->capacity(), list->size());
    }
    const auto& dialog = system.Dialogs(DialogEvent::EnemyWarpInDialog);
    EXPECT_EQ(dialog.capacity(), dialog.size());
  }
  EXPECT_EQ(clean.config.systems.back().hulks.back().name, "Ship 41999");
  lines.insert(lines.begin() + 40000, "Enemy = Scout = Flagship");
  lines.insert(lines.begin() + 34000, "Hulk = Scout = Ship 19000");
  EXPECT_EQ(test_support::Shown(test_support::ReadEveryWay(BattleText(lines))),
            Lines{"Redefinition of ship name Ship 19000 in line 34003"});
}

// The reader opens files so that they can be saved again: a missing or read-only file is
// refused, but a file that is only read and copied (an import) may be write-protected.
TEST(BattleFileReader, FilesThatCannotBeOpened) {
  test::TempDir dir;
  const auto read = [](const std::filesystem::path& path, BattleFileReader::Access access) {
    test_support::ReadOutcome outcome;
    RecordingReporter reporter;
    outcome.ok = BattleFileReader(outcome.config, reporter).Read("locked", path, true, access);
    outcome.messages = reporter.Entries();
    return outcome;
  };
  EXPECT_EQ(test_support::Shown(read(dir / "locked.vk7", BattleFileReader::Access::ReadOnly)),
            Lines{"Cannot open file!"});
  const auto path = dir.Write("locked.vk7", BattleText({"System = Sol", "Player = Cruiser"}));
  std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::group_read |
                                         std::filesystem::perms::others_read);
  EXPECT_TRUE(read(path, BattleFileReader::Access::ReadOnly).messages.empty());
  if (std::ofstream(path, std::ios::app).is_open()) {
    GTEST_SKIP() << "read-only files are writable for this user (root)";
  }
  EXPECT_EQ(test_support::Shown(read(path, BattleFileReader::Access::ReadWrite)),
            Lines{"Cannot open file!"});
}

}  // namespace
}  // namespace vk7
