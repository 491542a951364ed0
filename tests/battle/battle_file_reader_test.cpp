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

// The case files of the reader and of the rules across lines, and how each is read: its lines
// whole, or after the header; its remarks collected, or skipped.
struct CaseFile {
  const char* file;
  bool header;
  bool remarks;
};
const CaseFile kCaseFiles[] = {{"battle/cases/reader_headers.txt", false, false},
                               {"battle/cases/reader_errors.txt", true, false},
                               {"battle/cases/reader_values.txt", true, false},
                               {"battle/cases/section_rules.txt", true, false},
                               {"battle/cases/remarks.txt", true, true}};

struct ReaderCase : test_support::Case {
  CaseFile from;
};
void PrintTo(const ReaderCase& c, std::ostream* os) {
  *os << c.where;
}

std::vector<ReaderCase> AllReaderCases() {
  std::vector<ReaderCase> cases;
  for (const CaseFile& from : kCaseFiles) {
    for (test_support::Case& c : test_support::LoadCases(from.file)) {
      cases.push_back({std::move(c), from});
    }
  }
  return cases;
}

// Every case is read each way the program reads a battle, alike; the read fails with at most
// one error, or reads to its values.
class ReaderCaseTest : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(ReaderCaseTest, ReadsAsExpectedEveryWay) {
  const ReaderCase& c = GetParam();
  SCOPED_TRACE(c.where);
  std::string text;
  for (const std::string& line : c.input) text += line + "\n";
  if (c.from.header) text = BattleText(c.input);
  const auto read = test_support::ReadEveryWay(text, !c.from.remarks);
  EXPECT_EQ(test_support::Shown(read, c.from.remarks), c.expected);
  EXPECT_EQ(std::ranges::count_if(read.messages, [](const auto& e) { return e.error; }),
            read.ok ? 0 : 1);
  if (c.from.remarks) {  // skipped, none is kept and no warning shown
    const auto skipped = ReadBattleText(text, true);
    EXPECT_TRUE(skipped.config.remarks.empty() && skipped.Warnings().empty());
    EXPECT_EQ(skipped.ok, read.ok);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReaderCaseTest, ::testing::ValuesIn(AllReaderCases()),
                         test_support::CaseName());

// A demo battle touching most kinds of line reads alike in every version, with LF or CR LF.
TEST(BattleFileReader, VersionsAndLineEndsReadAlike) {
  const std::string text =
      test::ReadBytes(std::string(VK7_EXAMPLES_DIR) + "/game/scripts/DeepSurvey.vk7");
  const auto expected = ReadBattleText(text, false, "DeepSurvey");
  ASSERT_TRUE(expected.ok && expected.messages.empty()) << expected.Describe();
  for (const char* version : {"1.0", "1.1", "LF"}) {
    std::string changed = text;
    if (version[0] == 'L') {
      for (std::size_t at; (at = changed.find("\r\n")) != std::string::npos;) changed.erase(at, 1);
    } else {
      changed.replace(changed.find("1.2"), 3, version);
    }
    const auto read = test_support::ReadEveryWay(changed, false, "DeepSurvey");
    EXPECT_TRUE(read.config == expected.config && read.messages.empty()) << version;
  }
}

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
