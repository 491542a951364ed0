#include "battle/battle_file_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
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
using test_support::FailedWith;
using test_support::kNoLine;
using test_support::ReadBattleText;

// A case either fails with its one error or reads without a message to its values.
class ReaderCaseTest : public ::testing::TestWithParam<test_support::Case> {};

TEST_P(ReaderCaseTest, ReadsAsExpected) {
  test_support::ExpectReadAsCase(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Errors, ReaderCaseTest,
    ::testing::ValuesIn(test_support::LoadCases("battle/cases/reader_errors.txt")),
    test_support::CaseName());
INSTANTIATE_TEST_SUITE_P(
    Values, ReaderCaseTest,
    ::testing::ValuesIn(test_support::LoadCases("battle/cases/reader_values.txt")),
    test_support::CaseName());

class ReaderHeaderTest : public ::testing::TestWithParam<test_support::Case> {};

TEST_P(ReaderHeaderTest, RejectsFile) {
  std::string text;
  for (const std::string& line : GetParam().input) text += line + "\n";
  EXPECT_TRUE(FailedWith(ReadBattleText(text), GetParam().expected.at(0), kNoLine));
}

INSTANTIATE_TEST_SUITE_P(
    Headers, ReaderHeaderTest,
    ::testing::ValuesIn(test_support::LoadCases("battle/cases/reader_headers.txt")),
    test_support::CaseName());

// A demo battle touching most kinds of line reads alike in every version, with LF or CR LF.
TEST(BattleFileReader, VersionsAndLineEndsReadAlike) {
  test::TempDir dir;
  const std::string text =
      test::ReadBytes(std::string(VK7_EXAMPLES_DIR) + "/game/scripts/DeepSurvey.vk7");
  const auto expected = ReadBattleText(text, false, "DeepSurvey");
  ASSERT_TRUE(expected.ok);
  for (const char* version : {"1.0", "1.1", "LF"}) {
    std::string changed = text;
    if (version[0] == 'L') {
      for (std::size_t at; (at = changed.find("\r\n")) != std::string::npos;) changed.erase(at, 1);
    } else {
      changed.replace(changed.find("1.2"), 3, version);
    }
    test_support::ReadOutcome outcome;
    RecordingReporter reporter;
    outcome.ok = BattleFileReader(outcome.config, reporter)
                     .Read("DeepSurvey", dir.Write("DeepSurvey.vk7", changed), false);
    ASSERT_TRUE(outcome.ok) << version;
    EXPECT_EQ(outcome.config, expected.config) << version;
    EXPECT_TRUE(reporter.Entries().empty()) << version;
  }
  const auto path = dir.Write("numbers.vk7", BattleText({"// a", "", "Bogus = 1"}, "\r\n"));
  test_support::ReadOutcome outcome;
  RecordingReporter reporter;
  outcome.ok = BattleFileReader(outcome.config, reporter).Read("numbers", path, true);
  outcome.messages = reporter.Entries();
  EXPECT_TRUE(FailedWith(outcome, "Unknown keyword in line ", 5, "numbers"));
}

// A battle of over a megabyte takes the path that allocates each list once, at its final
// size, and checks names where they lie: from a file, from memory, and from a file whose
// systems are dropped as they end (names kept apart), the first repeated name is still the one
// shown, here a name of the third system repeated in the fifth.
TEST(BattleFileReader, LargeBattleSizesItsListsAheadAndReportsTheFirstRepeatedName) {
  std::vector<std::string> lines = {"System = Sol", "Player = Cruiser = Flagship"};
  const char* roles[] = {"Friend", "Enemy", "Neutral", "Hulk"};
  for (int i = 0; i < 42000; ++i) {
    if (i > 0 && i % 7000 == 0) lines.push_back("System = S" + std::to_string(i / 7000));
    lines.push_back(std::string(roles[i % 4]) + " = Scout = Ship " + std::to_string(i));
  }
  test::TempDir dir;
  const auto read = [&](const std::string& text, bool dropping = false) {
    test_support::ReadOutcome outcome;
    RecordingReporter reporter;
    BattleFileReader reader(outcome.config, reporter);
    if (dropping) {
      reader.OnSectionEnd([](StarSystem& system, std::size_t) { system.ClearListsKeepingRoom(); });
    }
    outcome.ok = reader.Read("large", dir.Write("large.vk7", text), true);
    outcome.messages = reporter.Entries();
    return outcome;
  };
  const auto clean = read(BattleText(lines));
  ASSERT_TRUE(clean.ok);
  ASSERT_EQ(clean.config.systems.size(), 6u);
  for (const StarSystem& system : clean.config.systems) {
    for (const auto* list : {&system.friends, &system.enemies, &system.neutrals, &system.hulks}) {
      EXPECT_EQ(list->capacity(), list->size());
    }
  }
  EXPECT_TRUE(read(BattleText(lines), true).ok);
  lines.insert(lines.begin() + 40000, "Enemy = Scout = Flagship");
  lines.insert(lines.begin() + 34000, "Hulk = Scout = Ship 19000");
  const std::string message = "Redefinition of ship name Ship 19000 in line ";
  EXPECT_TRUE(FailedWith(read(BattleText(lines)), message, 34003, "large"));
  EXPECT_TRUE(FailedWith(read(BattleText(lines), true), message, 34003, "large"));
  EXPECT_TRUE(FailedWith(ReadBattleText(BattleText(lines)), message, 34003, "test"));
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
  EXPECT_TRUE(FailedWith(read(dir / "locked.vk7", BattleFileReader::Access::ReadOnly),
                         "Cannot open file!", kNoLine, "locked"));
  const auto path = dir.Write("locked.vk7", BattleText({"System = Sol", "Player = Cruiser"}));
  std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::group_read |
                                         std::filesystem::perms::others_read);
  EXPECT_TRUE(read(path, BattleFileReader::Access::ReadOnly).messages.empty());
  if (std::ofstream(path, std::ios::app).is_open()) {
    GTEST_SKIP() << "read-only files are writable for this user (root)";
  }
  EXPECT_TRUE(FailedWith(read(path, BattleFileReader::Access::ReadWrite), "Cannot open file!",
                         kNoLine, "locked"));
}

}  // namespace
}  // namespace vk7
