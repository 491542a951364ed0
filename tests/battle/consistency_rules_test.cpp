#include "battle/consistency_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "support/model_builders.h"

namespace vk7 {
namespace {

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
