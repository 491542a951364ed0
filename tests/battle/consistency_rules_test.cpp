#include "battle/consistency_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "support/battle_text.h"
#include "support/case_file.h"

namespace vk7 {
namespace {

using test_support::BattleText;
using test_support::FailedWith;
using test_support::kNoLine;
using test_support::ReadBattleLines;
using test_support::ReadBattleText;

const std::string kWarningText =
    "This configuration was not created by the Velkor editor. You can proceed without problems, "
    "but you may lose most of your hand-written comments when saving the configuration file!";
const std::string kCreatedBy = " Created by Velkor Editor";
const std::string kPlayer = "Player = Cruiser";
const std::string kSol = "System = Sol";
const std::string kStat = "BattleMode = Stat";

// --- Remarks: the unbroken run of comment lines from line 3 on. ---

struct RemarkCase {
  const char* label;
  std::vector<std::string> lines;
  std::vector<std::string> remarks;
  bool warned;
};
// Names the instances of a table after the labels of its rows.
template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& row) {
  return row.param.label;
}

class ConsistencyRemarkTest : public ::testing::TestWithParam<RemarkCase> {};

TEST_P(ConsistencyRemarkTest, CollectsLeadingComments) {
  const RemarkCase& c = GetParam();
  const auto outcome = ReadBattleText(BattleText(c.lines), /*skipRemarks=*/false);
  ASSERT_TRUE(outcome.ok) << outcome.Describe();
  EXPECT_EQ(outcome.config.remarks, c.remarks);
  const auto warnings = outcome.Warnings();
  ASSERT_EQ(warnings.size(), c.warned ? 1u : 0u);
  if (c.warned) {
    EXPECT_EQ(warnings[0].title, "Warning");
    EXPECT_EQ(warnings[0].text, kWarningText);
  }
  EXPECT_TRUE(outcome.Errors().empty());
}

TEST_P(ConsistencyRemarkTest, SkippingRemarksKeepsNoneAndWarnsNever) {
  const auto outcome = ReadBattleText(BattleText(GetParam().lines), /*skipRemarks=*/true);
  ASSERT_TRUE(outcome.ok) << outcome.Describe();
  EXPECT_TRUE(outcome.config.remarks.empty());
  EXPECT_TRUE(outcome.messages.empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Remarks, ConsistencyRemarkTest,
    ::testing::Values(
        RemarkCase{"OwnFile", {"// Created by Velkor Editor", "// my notes", kSol, kPlayer}, {kCreatedBy, " my notes"}, false},
        RemarkCase{"ValueLineFirst", {kSol, kPlayer, "// too late"}, {kCreatedBy}, true},
        RemarkCase{"CreatedByWithoutBlank", {"//Created by Velkor Editor", kSol, kPlayer}, {kCreatedBy, "Created by Velkor Editor"}, true},
        RemarkCase{"CreatedByWithTrailingBlank", {"// Created by Velkor Editor ", kSol, kPlayer}, {kCreatedBy, kCreatedBy}, true},
        RemarkCase{"EmptyLineFirst", {"", "// lost", kSol, kPlayer}, {kCreatedBy}, true},
        RemarkCase{"ForeignComments", {"// my header", "\t//  indented  ", "//", "// Created by Velkor Editor", kSol, kPlayer}, {kCreatedBy, " my header", "  indented", "", kCreatedBy}, true},
        RemarkCase{"RunEndsAtFirstOtherLine", {"// Created by Velkor Editor", "// kept", "   ", "// dropped", kSol, "// dropped too", kPlayer}, {kCreatedBy, " kept"}, false},
        RemarkCase{"CommentAfterValueIsNoRemark", {"// Created by Velkor Editor", "Title = Attack // note", "// dropped", kSol, kPlayer}, {kCreatedBy}, false}),
    CaseName<RemarkCase>);
// clang-format on

TEST(ConsistencyRemarks, WarningComesBeforeAnErrorOnLineThree) {
  const auto outcome = ReadBattleText(BattleText({"Bogus = 1"}), /*skipRemarks=*/false);
  ASSERT_EQ(outcome.messages.size(), 2u);
  EXPECT_FALSE(outcome.messages[0].error);
  EXPECT_EQ(outcome.messages[0].title, "Warning");
  EXPECT_TRUE(FailedWith(outcome, "Unknown keyword in line ", 3));
}

TEST(ConsistencyRemarks, HeaderOnlyFileGetsNoWarning) {
  const auto outcome = ReadBattleText(BattleText({}), /*skipRemarks=*/false);
  EXPECT_TRUE(outcome.Warnings().empty());
  EXPECT_TRUE(FailedWith(outcome, "No system defined", kNoLine));
}

// --- Checks that close a system section and the file. ---

// A case fails with its one error or reads without a message to its values.
class SectionRuleTest : public ::testing::TestWithParam<test_support::Case> {};

TEST_P(SectionRuleTest, ChecksSystemAndFile) {
  test_support::ExpectReadAsCase(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SectionRuleTest,
    ::testing::ValuesIn(test_support::LoadCases("battle/cases/section_rules.txt")),
    test_support::CaseName());

const std::string kPositionsRule =
    "You cannot define FriendPosition, EnemyPosition or NeutralPosition at the same time when "
    "using statistic battle mode in system ";
const std::string kShipsRule =
    "At least one system resident friend and enemy must be defined when using statistic battle "
    "mode in system ";
const std::string kFriendExit =
    "FriendAction = WarpOutAfter and FriendAction = JoinEscortAfter cannot be defined at the same "
    "time in system ";

TEST(ConsistencySection, FailingSectionOpensNoNewSystem) {
  const auto outcome = ReadBattleLines({kPlayer, kSol, kStat, "System = Vega"});
  EXPECT_TRUE(FailedWith(outcome, kShipsRule + "Sol", kNoLine));
  ASSERT_EQ(outcome.config.systems.size(), 1u);
  EXPECT_EQ(outcome.config.systems.front().name, "Sol");
}

// The editor applies the statistic mode rules silently when a battle is finished.
TEST(ConsistencyRules, ApplyToSystemsBuiltInMemory) {
  StarSystem system;
  system.name = "Sol";
  EXPECT_TRUE(CheckStatisticMode(system));  // AI by default, nothing to check
  EXPECT_FALSE(StatisticModeViolation(system).has_value());

  system.battleMode = BattleMode::Stat;
  EXPECT_TRUE(CheckStatisticMode(system));  // the mode counts only when defined
  system.battleModeDefined = true;
  EXPECT_FALSE(CheckStatisticMode(system));
  EXPECT_EQ(StatisticModeViolation(system), kShipsRule + "Sol");

  system.friends.push_back(ShipEntry{"Frigate", "", true, false});
  system.enemies.push_back(ShipEntry{"Raider", "", true, false});
  EXPECT_TRUE(CheckStatisticMode(system));
  // The player's and the hulks' positions never count, in either form.
  system.playerCoordsDefined = system.playerPlanetDefined = true;
  system.hulkCoordsDefined = system.hulkPlanetDefined = true;
  system.enemyCoordsDefined = true;
  EXPECT_TRUE(CheckStatisticMode(system));
  system.friendPlanetDefined = true;
  EXPECT_EQ(StatisticModeViolation(system), kPositionsRule + "Sol");
}

TEST(ConsistencyRules, NeedsBothTimesDefined) {
  StarSystem system;
  system.name = "Vega";
  system.friendWarpOutAfter = 60;
  system.friendJoinEscortAfter = 30;
  EXPECT_FALSE(FriendExitViolation(system).has_value());  // values alone do not count
  system.friendWarpOutDefined = true;
  EXPECT_FALSE(FriendExitViolation(system).has_value());
  system.friendJoinEscortDefined = true;
  EXPECT_EQ(FriendExitViolation(system), kFriendExit + "Vega");
}

}  // namespace
}  // namespace vk7
