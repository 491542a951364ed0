#include "content/finish_validation.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "battle/recording_reporter.h"
#include "support/model_builders.h"

namespace vk7 {
namespace {

using test::Ship;
using test::System;

// A statistic-mode system that breaks its rules (no friend), so that a refused finish can be
// seen to leave it alone.
StarSystem BrokenStatistic() {
  StarSystem system = System("Broken");
  system.enemies = {Ship("Raider")};
  system.battleMode = BattleMode::Stat;
  system.battleModeDefined = true;
  return system;
}

std::vector<std::string> Log(const RecordingReporter& reporter) {
  std::vector<std::string> log;
  for (const auto& e : reporter.Entries()) {
    log.push_back((e.error ? "error|" : "message|") + e.title + "|" + e.text);
  }
  return log;
}

struct Clash {
  const char* label;
  std::function<void(BattleConfig&)> build;
  const char* text;
};

TEST(FinishValidation, NamesTheFirstDefaultNameClash) {
  const std::vector<Clash> cases = {
      {"player against an enemy of system 2",
       [](BattleConfig& c) {
         c.player = Ship("Destroyer", "Cruiser O2.1");
         c.systems = {System("A"), System("B")};
         c.systems[0].enemies = {Ship("Cruiser")};
         c.systems[1].enemies = {Ship("Cruiser")};
       },
       "Your player ship name Cruiser O2.1 conflicts with a default enemy ship name  in system "
       "2. Please change this name!"},
      {"escort against escort",
       [](BattleConfig& c) {
         c.escorts = {Ship("Scout"), Ship("Scout", "Scout E1")};
       },
       "Your escort ship name Scout E1 conflicts with a default escort ship name . Please change "
       "this name!"},
      {"friend of system 3 against the player",
       [](BattleConfig& c) {
         c.player = Ship("Viper");
         c.systems = {System("A"), System("B"), System("C")};
         c.systems[2].friends = {Ship("Hawk", "Viper P")};
       },
       "Your friend ship name Viper P defined in system 3 conflicts with a default player ship "
       "name . Please change this name!"},
      {"hulk against a neutral of a later system",
       [](BattleConfig& c) {
         c.systems = {System("A"), System("B")};
         c.systems[0].hulks = {Ship("Wreck", "Tanker N2.2")};
         c.systems[1].neutrals = {Ship("Tanker", "Own"), Ship("Tanker")};
       },
       "Your hulk ship name Tanker N2.2 defined in system 1 conflicts with a default neutral ship "
       "name  in system 2. Please change this name!"},
      {"neutral against a hulk",
       [](BattleConfig& c) {
         c.systems = {System("A")};
         c.systems[0].neutrals = {Ship("Trader", "Wreck H1.1")};
         c.systems[0].hulks = {Ship("Wreck")};
       },
       "Your neutral ship name Wreck H1.1 defined in system 1 conflicts with a default hulk ship "
       "name  in system 1. Please change this name!"},
      {"friends are visited before enemies",
       [](BattleConfig& c) {
         c.escorts = {Ship("Scout"), Ship("Pike")};
         c.systems = {System("A")};
         c.systems[0].enemies = {Ship("Raider", "Scout E1")};
         c.systems[0].friends = {Ship("Hawk", "Pike E2")};
       },
       "Your friend ship name Pike E2 defined in system 1 conflicts with a default escort ship "
       "name . Please change this name!"},
      {"enemy against a friend",
       [](BattleConfig& c) {
         c.systems = {System("A")};
         c.systems[0].friends = {Ship("Hawk")};
         c.systems[0].enemies = {Ship("Raider", "Hawk F1.1")};
       },
       "Your enemy ship name Hawk F1.1 defined in system 1 conflicts with a default friend ship "
       "name  in system 1. Please change this name!"},
  };
  for (const Clash& c : cases) {
    SCOPED_TRACE(c.label);
    BattleConfig config;
    config.player = Ship("Destroyer", "Valiant");
    c.build(config);
    config.systems.push_back(BrokenStatistic());
    const BattleConfig before = config;
    RecordingReporter reporter;
    EXPECT_FALSE(ValidateFinish(config, reporter));
    EXPECT_EQ(Log(reporter), std::vector<std::string>{std::string("error|Error|") + c.text});
    EXPECT_TRUE(config == before) << "a refused finish changed the battle";
  }
}

TEST(FinishValidation, ForcesBrokenStatisticSystemsToAIWithOneWarning) {
  BattleConfig config;
  config.player = Ship("Destroyer");
  StarSystem alpha = System("Alpha");  // two of the friend, enemy, neutral positions
  alpha.friends = {Ship("Hawk")};
  alpha.enemies = {Ship("Raider")};
  alpha.friendPlanetDefined = alpha.enemyCoordsDefined = true;
  StarSystem beta = System("Beta");  // keeps every rule
  beta.friends = {Ship("Hawk")};
  beta.enemies = {Ship("Raider")};
  beta.playerCoordsDefined = beta.hulkPlanetDefined = beta.enemyCoordsDefined = true;
  StarSystem gamma = System("Gamma");  // no friend
  gamma.enemies = {Ship("Raider")};
  StarSystem delta = System("Delta");      // AI: no rule applies
  StarSystem epsilon = System("Epsilon");  // statistic, but the mode is not defined
  epsilon.battleMode = BattleMode::Stat;
  StarSystem zeta = System("Zeta");  // friends join the escort
  zeta.friends = {Ship("Hawk")};
  zeta.enemies = {Ship("Raider")};
  zeta.friendJoinEscortDefined = true;
  for (StarSystem* s : {&alpha, &beta, &gamma, &zeta}) {
    s->battleMode = BattleMode::Stat;
    s->battleModeDefined = true;
  }
  delta.battleModeDefined = true;
  config.systems = {alpha, beta, gamma, delta, epsilon, zeta};

  BattleConfig expected = config;
  for (std::size_t i : {0u, 2u, 5u}) expected.systems[i].battleMode = BattleMode::AI;

  RecordingReporter reporter;
  EXPECT_TRUE(ValidateFinish(config, reporter));
  EXPECT_EQ(
      Log(reporter),
      std::vector<std::string>{
          "message|Warning|Using the statistical battle mode for a system introduces some "
          "restrictions (no player-, enemy- or friend-position at the same time, at least one "
          "friend and enemy, no warp-in or join-escort for friends). These restrictions are "
          "violated in the following system(s): Alpha, Gamma, Zeta. The Battle mode has been "
          "automatically forced to AI for these systems!"});
  EXPECT_TRUE(config == expected);
}

TEST(FinishValidation, SoundBattlePassesSilently) {
  BattleConfig config;
  config.player = Ship("Destroyer", "Destroyer E1");  // no escort has that default name
  config.escorts = {Ship("Scout")};
  config.systems = {System("Sol")};
  // A named ship has no default name, but still counts for the positions after it.
  config.systems[0].friends = {Ship("Hawk", "Hawk F1.1"), Ship("Hawk")};
  config.systems[0].enemies = {Ship("Raider", "Raider O2.1")};  // there is no system 2
  const BattleConfig before = config;
  RecordingReporter reporter;
  EXPECT_TRUE(ValidateFinish(config, reporter));
  EXPECT_TRUE(reporter.Entries().empty()) << Log(reporter)[0];
  EXPECT_TRUE(config == before);
}

}  // namespace
}  // namespace vk7
