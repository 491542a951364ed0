#include "content/finish_validation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/recording_reporter.h"
#include "support/battle_text.h"
#include "support/case_file.h"
#include "support/model_builders.h"

namespace vk7 {
namespace {

using test::Ship;
using test::System;

// A statistic-mode system without a friend breaks the mode's rules.
StarSystem Statistic(const std::string& name, bool friendToo) {
  StarSystem system = System(name);
  if (friendToo) system.friends = {Ship("Hawk")};
  system.enemies = {Ship("Raider")};
  system.battleMode = BattleMode::Stat;
  system.battleModeDefined = true;
  return system;
}

class FinishClashTest : public ::testing::TestWithParam<test_support::Case> {};

// A refused finish leaves the battle alone, a broken statistic system after the clash too.
TEST_P(FinishClashTest, RefusesTheFirstClashOrPassesSilently) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
  test_support::ReadOutcome read = test_support::ReadBattleLines(c.input);
  ASSERT_TRUE(read.ok) << read.Describe();
  if (!c.expected.empty()) read.config.systems.push_back(Statistic("Broken", false));
  const BattleConfig before = read.config;
  RecordingReporter reporter;
  EXPECT_EQ(ValidateFinish(read.config, reporter), c.expected.empty());
  EXPECT_EQ(test::Log(reporter), c.expected);
  EXPECT_TRUE(read.config == before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FinishClashTest,
    ::testing::ValuesIn(test_support::LoadCases("content/cases/finish_clashes.txt")),
    test_support::CaseName());

TEST(FinishValidation, ForcesBrokenStatisticSystemsToAIWithOneWarning) {
  BattleConfig config;
  config.player = Ship("Destroyer");
  StarSystem alpha = Statistic("Alpha", true);  // two of the friend, enemy, neutral positions
  alpha.friendPlanetDefined = alpha.enemyCoordsDefined = true;
  StarSystem beta = Statistic("Beta", true);  // keeps every rule
  beta.playerCoordsDefined = beta.hulkPlanetDefined = beta.enemyCoordsDefined = true;
  StarSystem delta = System("Delta");  // AI: no rule applies
  delta.battleModeDefined = true;
  StarSystem epsilon = System("Epsilon");  // statistic, but the mode is not defined
  epsilon.battleMode = BattleMode::Stat;
  StarSystem zeta = Statistic("Zeta", true);  // friends join the escort
  zeta.friendJoinEscortDefined = true;
  config.systems = {alpha, beta, Statistic("Gamma", false), delta, epsilon, zeta};

  BattleConfig expected = config;
  for (std::size_t i : {0u, 2u, 5u}) expected.systems[i].battleMode = BattleMode::AI;
  RecordingReporter reporter;
  EXPECT_TRUE(ValidateFinish(config, reporter));
  EXPECT_EQ(test::Log(reporter),
            std::vector<std::string>{
                "message|Warning|Using the statistical battle mode for a system introduces some "
                "restrictions (no player-, enemy- or friend-position at the same time, at least "
                "one friend and enemy, no warp-in or join-escort for friends). These restrictions "
                "are violated in the following system(s): Alpha, Gamma, Zeta. The Battle mode has "
                "been automatically forced to AI for these systems!"});
  EXPECT_TRUE(config == expected);
}

}  // namespace
}  // namespace vk7
