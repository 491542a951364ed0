#include "content/battle_checker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/text_line_file.h"
#include "support/model_builders.h"

namespace vk7 {
namespace {

using test::System;

using Rows = std::vector<std::string>;

template <typename Catalog>
Catalog From(const std::string& text) {
  TextLineFile source;
  source.OpenMemory(text);
  Catalog catalog;
  catalog.Read(source);
  return catalog;
}

ShipEntry Ship(const std::string& shipClass) {
  return ShipEntry{shipClass, "", true, false};
}

// Puts a position of `system` at `planet`.
void AtPlanet(StarSystem& system, bool StarSystem::*flag, ShipPosition StarSystem::*position,
              const std::string& planet) {
  system.*flag = true;
  (system.*position).planet = planet;
}

const ShipCatalog kShips = From<ShipCatalog>("Talon=TALON\nWarden=WARDEN\nRaider=VEYR-R\n");
const SystemCatalog kSystems = From<SystemCatalog>("Keth=Keth Prime=Arra\nSorvan=Sorvan IV=Dusk\n");

TEST(BattleChecker, KnownObjectsInAnyCaseAreFine) {
  BattleConfig config;
  config.player = Ship("talon");
  config.escorts = {Ship("Warden")};
  StarSystem keth = System("KETH");
  keth.friends = {Ship("WARDEN")};
  keth.enemies = {Ship("veyr-r")};
  AtPlanet(keth, &StarSystem::playerPlanetDefined, &StarSystem::playerPosition, "keth prime");
  AtPlanet(keth, &StarSystem::hulkPlanetDefined, &StarSystem::hulkPosition, "ARRA");
  config.systems = {keth};
  EXPECT_EQ(CheckBattle(config, kShips, kSystems), CheckResult{});
}

TEST(BattleChecker, RowsComeInBattleOrderWithFirstSpellingsOnce) {
  BattleConfig config;
  config.player = Ship("Ghost");
  config.player.hasClass = false;  // looked up all the same
  config.escorts = {Ship("TALON"), Ship("Wisp"), Ship("GHOST")};

  StarSystem keth = System("Keth");
  keth.hulks = {Ship("Husk")};  // roles are visited friends, enemies, neutrals, hulks
  keth.neutrals = {Ship("wisp")};
  keth.enemies = {Ship("VEYR-R"), Ship("Raven")};
  keth.friends = {Ship("ghost")};
  // Positions are visited player, friend, enemy, neutral, hulk.
  AtPlanet(keth, &StarSystem::hulkPlanetDefined, &StarSystem::hulkPosition, "Nadir");
  AtPlanet(keth, &StarSystem::neutralPlanetDefined, &StarSystem::neutralPosition, "Arra");
  AtPlanet(keth, &StarSystem::enemyPlanetDefined, &StarSystem::enemyPosition, "zenith");
  AtPlanet(keth, &StarSystem::friendPlanetDefined, &StarSystem::friendPosition, "Nadir");
  AtPlanet(keth, &StarSystem::playerPlanetDefined, &StarSystem::playerPosition, "Zenith");

  StarSystem hollow = System("Hollow Star");  // unknown: ships checked, planets not
  hollow.friends = {Ship("Raven")};
  AtPlanet(hollow, &StarSystem::playerPlanetDefined, &StarSystem::playerPosition, "Hollow I");

  StarSystem sorvan = System("sorvan");
  AtPlanet(sorvan, &StarSystem::enemyPlanetDefined, &StarSystem::enemyPosition, "NADIR");

  config.systems = {keth, hollow, sorvan, System("Hollow Star")};

  CheckResult expected;
  expected.missingShipClasses = {"Ghost", "Wisp", "Raven", "Husk"};
  expected.shipDetails = {
      "Ghost is defined as player ship",
      "Wisp is defined as escort ship",
      "GHOST is defined as escort ship",
      "ghost is defined as friendly ship in system Keth",
      "Raven is defined as enemy ship in system Keth",
      "wisp is defined as neutral ship in system Keth",
      "Husk is defined as hulk in system Keth",
      "Raven is defined as friendly ship in system Hollow Star",
  };
  expected.missingPlanets = {"Zenith", "Nadir"};
  expected.planetDetails = {
      "Zenith is given as player position in system Keth",
      "Nadir is given as friend position in system Keth",
      "zenith is given as enemy position in system Keth",
      "Nadir is given as hulk position in system Keth",
      "NADIR is given as enemy position in system sorvan",
  };
  expected.missingSystems = {"Hollow Star", "Hollow Star"};  // not searched for repeats
  expected.anyMissing = true;
  EXPECT_EQ(CheckBattle(config, kShips, kSystems), expected);
}

TEST(BattleChecker, PositionsWithoutPlanetFlagAreNeverReported) {
  BattleConfig config;
  config.player = Ship("TALON");
  StarSystem keth = System("Keth");
  for (ShipPosition* position : {&keth.playerPosition, &keth.friendPosition, &keth.enemyPosition,
                                 &keth.neutralPosition, &keth.hulkPosition}) {
    position->planet = "Nowhere";
  }
  keth.playerCoordsDefined = keth.friendCoordsDefined = keth.enemyCoordsDefined = true;
  config.systems = {keth};
  EXPECT_EQ(CheckBattle(config, kShips, kSystems), CheckResult{});

  // One missing planet alone is enough to count.
  AtPlanet(config.systems[0], &StarSystem::neutralPlanetDefined, &StarSystem::neutralPosition,
           "Void");
  const CheckResult result = CheckBattle(config, kShips, kSystems);
  EXPECT_EQ(result.planetDetails, Rows{"Void is given as neutral position in system Keth"});
  EXPECT_TRUE(result.anyMissing);
}

TEST(BattleChecker, EmptyCatalogsMissEverything) {
  BattleConfig config;
  config.player = Ship("TALON");
  config.escorts = {Ship("talon")};
  config.systems = {System("Keth"), System("Sorvan")};
  config.systems[0].enemies = {Ship("VEYR-R")};
  AtPlanet(config.systems[0], &StarSystem::playerPlanetDefined, &StarSystem::playerPosition,
           "Arra");

  const CheckResult noShips = CheckBattle(config, ShipCatalog{}, kSystems);
  EXPECT_EQ(noShips.missingShipClasses, (Rows{"TALON", "VEYR-R"}));
  EXPECT_EQ(noShips.shipDetails,
            (Rows{"TALON is defined as player ship", "talon is defined as escort ship",
                  "VEYR-R is defined as enemy ship in system Keth"}));
  EXPECT_TRUE(noShips.missingSystems.empty());
  EXPECT_TRUE(noShips.planetDetails.empty());

  const CheckResult noSystems = CheckBattle(config, kShips, SystemCatalog{});
  EXPECT_EQ(noSystems.missingSystems, (Rows{"Keth", "Sorvan"}));
  EXPECT_TRUE(noSystems.shipDetails.empty());
  EXPECT_TRUE(noSystems.planetDetails.empty());
  EXPECT_TRUE(noSystems.anyMissing);
}

}  // namespace
}  // namespace vk7
