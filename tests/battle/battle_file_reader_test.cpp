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
using test_support::ReadBattleLines;
using test_support::ReadBattleText;

const std::string kSol = "System = Sol";

// Names the instances of a table after the labels of its rows.
template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& row) {
  return row.param.label;
}

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

// Whole files that fail before any line is read, shown without a line number.
struct HeaderCase {
  const char* label;
  std::string text;
  std::string message;
};
class ReaderHeaderTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(ReaderHeaderTest, RejectsFile) {
  EXPECT_TRUE(FailedWith(ReadBattleText(GetParam().text), GetParam().message, kNoLine));
}

const std::string kNotBattle = "Not a valid vk7 battle file!";
const std::string kBadVersion = "Invalid version of vk7 battle file!";
const std::string kBody = "System = Sol\nPlayer = Cruiser\n";

// clang-format off
const HeaderCase kHeaderErrors[] = {
    {"EmptyFile", "", kNotBattle},
    {"OnlyFirstLine", "VK7 Battle\n", kNotBattle},
    {"FirstLineCase", "vk7 battle\nFile Format Version 1.2\n" + kBody, kNotBattle},
    {"FirstLineLeadingBlank", " VK7 Battle\nFile Format Version 1.2\n" + kBody, kNotBattle},
    {"VersionMissing", "VK7 Battle\n" + kBody, kBadVersion},
    {"UnknownVersion", "VK7 Battle\nFile Format Version 1.3\n" + kBody, kBadVersion},
    {"VersionTrailingBlank", "VK7 Battle\nFile Format Version 1.2 \n" + kBody, kBadVersion},
    {"EmptyVersionLine", "VK7 Battle\n\nFile Format Version 1.2\n" + kBody, kBadVersion},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Headers, ReaderHeaderTest, ::testing::ValuesIn(kHeaderErrors),
                         CaseName<HeaderCase>);

// A small battle that touches every kind of line.
const std::vector<std::string> kFullBattle = {
    "// Created by Velkor Editor",
    "// Two systems",
    "Title = Border Clash",
    "TitleLine = [intro.acm] The border is burning.",
    "TitleLine = Hold the line.",
    "WarpOut = WhenCleared",
    "Collision = Off",
    "ShipChange = Auto",
    "PerfectCloak = On",
    "Player = Heavy Cruiser = Endeavour",
    "Escort = Scout",
    "",
    "System = Sol",
    "Stardate = -7412",
    "BattleMode = AI",
    "PlayerPosition = Planet Earth",
    "EnemyPosition = 100 -200 300",
    "FriendPosition = Planet Mars",
    "NeutralPosition = -1 -2 -3",
    "Friend = Destroyer = Valiant",
    "Enemy = Raider",
    "Enemy = Raider = Black Fang   // the leader",
    "Neutral = Freighter",
    "Hulk = Wreck",
    "NeutralBehavior = FriendAfter 90",
    "WarpDisable = Enemy",
    "FriendAction = JoinEscortAfter Cleared",
    "EnemyAction = WarpInAfter 30",
    "StartingDialog = [start.acm] Admiral: Good luck.",
    "EndingDialog = Admiral: Well done.",
    "",
    "System = Vega",
    "BattleMode = Stat",
    "Friend = Frigate",
    "Enemy = Raider",
    "HulkPosition = 5 5 5",
    "Escort = Frigate = Swift",
    "NeutralAction = WarpOutAfter Cleared",
};

TEST(BattleFileReader, VersionsReadAlike) {
  const auto expected = ReadBattleLines(kFullBattle);
  ASSERT_TRUE(expected.ok);
  for (const char* version : {"1.0", "1.1"}) {
    std::string text = BattleText(kFullBattle);
    text.replace(text.find("1.2"), 3, version);
    const auto outcome = ReadBattleText(text);
    ASSERT_TRUE(outcome.ok) << version;
    EXPECT_EQ(outcome.config, expected.config) << version;
  }
}

// Reads through real files in a folder of their own.
class ReaderOnDiskTest : public ::testing::Test {
 protected:
  std::filesystem::path Write(const std::string& name, const std::string& content) {
    return folder_.Write(name + ".vk7", content);
  }

  test_support::ReadOutcome ReadFile(const std::string& name, const std::filesystem::path& path) {
    test_support::ReadOutcome outcome;
    RecordingReporter reporter;
    BattleFileReader reader(outcome.config, reporter);
    outcome.ok = reader.Read(name, path, true);
    outcome.messages = reporter.Entries();
    return outcome;
  }

  test::TempDir folder_;
};

TEST_F(ReaderOnDiskTest, CrLfAndLfFilesReadAlike) {
  const auto lf = ReadFile("lf", Write("lf", BattleText(kFullBattle, "\n")));
  const auto crlf = ReadFile("crlf", Write("crlf", BattleText(kFullBattle, "\r\n")));
  ASSERT_TRUE(lf.ok);
  ASSERT_TRUE(crlf.ok);
  EXPECT_TRUE(lf.messages.empty());
  EXPECT_TRUE(crlf.messages.empty());
  EXPECT_EQ(crlf.config.name, "crlf");
  BattleConfig renamed = crlf.config;
  renamed.name = "lf";
  EXPECT_EQ(renamed, lf.config);
  EXPECT_EQ(lf.config.systems.front().enemies.back().name, "Black Fang");
}

// Large battles are counted ahead and their names checked in groups, from disk as from
// memory: all ships arrive, and the first line that repeats an earlier name is the error.
TEST_F(ReaderOnDiskTest, LargeBattleReportsTheFirstRepeatedName) {
  std::vector<std::string> lines = {kSol, "Player = Cruiser = Flagship"};
  const char* roles[] = {"Friend", "Enemy", "Neutral", "Hulk"};
  for (int i = 0; i < 42000; ++i) {
    lines.push_back(std::string(roles[i % 4]) + " = Scout = Ship " + std::to_string(i));
  }
  const auto clean = ReadFile("large", Write("large", BattleText(lines)));
  ASSERT_TRUE(clean.ok);
  EXPECT_EQ(clean.config.systems.front().hulks.size(), 10500u);
  EXPECT_EQ(clean.config.systems.front().hulks.back().name, "Ship 41999");
  lines.insert(lines.begin() + 36000, "Enemy = Scout = Flagship");
  lines.insert(lines.begin() + 30000, "Hulk = Scout = Ship 29000");
  const std::string message = "Redefinition of ship name Ship 29000 in line ";
  EXPECT_TRUE(
      FailedWith(ReadFile("large", Write("large", BattleText(lines))), message, 30003, "large"));
  EXPECT_TRUE(FailedWith(ReadBattleText(BattleText(lines)), message, 30003, "test"));
}

TEST_F(ReaderOnDiskTest, LineNumbersOfCrLfFile) {
  const auto path = Write("numbers", BattleText({"// a", "", "Bogus = 1"}, "\r\n"));
  EXPECT_TRUE(FailedWith(ReadFile("numbers", path), "Unknown keyword in line ", 5, "numbers"));
}

TEST_F(ReaderOnDiskTest, MissingFileCannotBeOpened) {
  const auto outcome = ReadFile("absent", folder_ / "absent.vk7");
  EXPECT_TRUE(FailedWith(outcome, "Cannot open file!", kNoLine, "absent"));
  EXPECT_EQ(outcome.messages.size(), 1u);
}

// The reader opens files so that they can be saved again: a read-only file is refused.
TEST_F(ReaderOnDiskTest, ReadOnlyFileCannotBeOpened) {
  const auto path = Write("locked", BattleText({"System = Sol", "Player = Cruiser"}));
  std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::group_read |
                                         std::filesystem::perms::others_read);
  if (std::ofstream(path, std::ios::app).is_open()) {
    GTEST_SKIP() << "read-only files are writable for this user";
  }
  EXPECT_TRUE(FailedWith(ReadFile("locked", path), "Cannot open file!", kNoLine, "locked"));
  // A file that is only read and copied (an import) may be write-protected.
  BattleConfig config;
  RecordingReporter reporter;
  BattleFileReader reader(config, reporter);
  EXPECT_TRUE(reader.Read("locked", path, true, BattleFileReader::Access::ReadOnly));
  EXPECT_TRUE(reporter.Entries().empty());
}

}  // namespace
}  // namespace vk7
