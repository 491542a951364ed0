#include "battle/consistency_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/battle_text.h"
#include "support/case_file.h"
#include "support/model_builders.h"

namespace vk7 {
namespace {

using test_support::ReadBattleText;

class RemarksTest : public ::testing::TestWithParam<test_support::Case> {};

TEST_P(RemarksTest, CollectsLeadingComments) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
  const auto outcome = ReadBattleText(test_support::BattleText(c.input), false);
  std::vector<std::string> got;
  for (const std::string& remark : outcome.config.remarks) got.push_back("//" + remark);
  for (const auto& m : outcome.messages) got.push_back(m.error ? m.title + ": " + m.text : m.title);
  EXPECT_EQ(got, c.expected);
  const auto skipped = ReadBattleText(test_support::BattleText(c.input), true);
  EXPECT_TRUE(skipped.config.remarks.empty() && skipped.Warnings().empty());
  EXPECT_EQ(skipped.ok, outcome.ok);
}

INSTANTIATE_TEST_SUITE_P(Cases, RemarksTest,
                         ::testing::ValuesIn(test_support::LoadCases("battle/cases/remarks.txt")),
                         test_support::CaseName());

// A case fails with its one error or reads without a message to its values.
class SectionRuleTest : public ::testing::TestWithParam<test_support::Case> {};

TEST_P(SectionRuleTest, ChecksSystemAndFile) {
  test_support::ExpectReadAsCase(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SectionRuleTest,
    ::testing::ValuesIn(test_support::LoadCases("battle/cases/section_rules.txt")),
    test_support::CaseName());

const std::string kShipsRule =
    "At least one system resident friend and enemy must be defined when using statistic battle "
    "mode in system ";

// The editor applies the rules to systems it builds in memory, where a value counts only once
// it is marked as given.
TEST(ConsistencyRules, OnlyValuesGivenCount) {
  StarSystem system = test::System("Sol");
  system.battleMode = BattleMode::Stat;
  system.friendWarpOutDefined = true;
  EXPECT_TRUE(CheckStatisticMode(system));
  EXPECT_FALSE(FriendExitViolation(system).has_value());
  system.battleModeDefined = system.friendJoinEscortDefined = true;
  EXPECT_EQ(StatisticModeViolation(system), kShipsRule + "Sol");
  EXPECT_EQ(FriendExitViolation(system),
            "FriendAction = WarpOutAfter and FriendAction = JoinEscortAfter cannot be defined at "
            "the same time in system Sol");
}

}  // namespace
}  // namespace vk7
