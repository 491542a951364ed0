#include "battle/battle_config.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>
#include "support/model_builders.h"

namespace vk7 {
namespace {

using test::Ship;
using test::System;

TEST(BattleConfig, OnlyANewBattleCarriesTheEditorRemark) {
  BattleConfig config;
  EXPECT_TRUE(config.remarks.empty());
  EXPECT_TRUE(config.InitNew());
  EXPECT_EQ(config.remarks, std::vector<std::string>{" Created by Velkor Editor"});
}

TEST(BattleConfig, DefaultShipNames) {
  struct Case {
    const char* shipClass;
    ShipRole role;
    std::uint32_t system;
    std::uint32_t position;
    const char* name;
  };
  const Case cases[] = {
      {"Destroyer", ShipRole::Player, 0, 1, "Destroyer P"},
      {"Destroyer", ShipRole::Escort, 0, 2, "Destroyer E2"},
      {"Heavy Cruiser", ShipRole::Escort, 4, 12, "Heavy Cruiser E12"},
      {"Cruiser", ShipRole::Enemy, 1, 3, "Cruiser O1.3"},
      {"Hawk", ShipRole::Friend, 6, 10, "Hawk F6.10"},
      {"Trader", ShipRole::Neutral, 2, 1, "Trader N2.1"},
      {"Wreck", ShipRole::Hulk, 3, 2, "Wreck H3.2"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BattleConfig::DefaultShipName(Ship(c.shipClass), c.role, c.system, c.position),
              c.name);
  }
}

TEST(BattleConfig, EscortDefaultNamesFollowTheirPlaces) {
  BattleConfig config;
  config.escorts = {Ship("Scout"), Ship("Scout")};
  ShipLocation where;
  EXPECT_FALSE(config.CheckShipName("Scout E2", true, &where));
  EXPECT_EQ(where, (ShipLocation{0, ShipRole::Escort}));
  config.escorts.erase(config.escorts.begin());
  EXPECT_TRUE(config.CheckShipName("Scout E2", true));
  EXPECT_FALSE(config.CheckShipName("Scout E1", true));
}

TEST(BattleConfig, OwnNamesAreFoundExactlyWithTheirPlace) {
  BattleConfig config;
  config.player = Ship("Destroyer", "Valiant");
  config.systems = {System("Sol"), System("Vega")};
  config.systems[1].hulks = {Ship("Wreck"), Ship("Wreck", "Kestrel")};
  ShipLocation where;
  EXPECT_FALSE(config.CheckShipName("Kestrel", false, &where));
  EXPECT_EQ(where, (ShipLocation{2, ShipRole::Hulk}));
  EXPECT_TRUE(config.CheckShipName("kestrel", false));
  EXPECT_TRUE(config.CheckShipName("Kestrel ", false));
  // Default names are not own names, and own names are not default names.
  EXPECT_TRUE(config.CheckShipName("Wreck H2.1", false));
  EXPECT_FALSE(config.CheckShipName("Wreck H2.1", true));
  EXPECT_TRUE(config.CheckShipName("Wreck H2.2", true));
  EXPECT_TRUE(config.CheckShipName("Kestrel", true));
  EXPECT_TRUE(config.CheckShipName("Destroyer P", true));
}

// The list allows a name twice; the search then reports the ship it visits first.
TEST(BattleConfig, SearchVisitsPlayerEscortsThenEachSystemsRoles) {
  struct Case {
    const char* label;
    void (*place)(BattleConfig&, const ShipEntry&);
    ShipLocation expected;
  };
  const Case cases[] = {
      {"player before escort",
       [](BattleConfig& c, const ShipEntry& s) {
         c.player = s;
         c.escorts.push_back(s);
       },
       {0, ShipRole::Player}},
      {"escort before friend",
       [](BattleConfig& c, const ShipEntry& s) {
         c.systems[0].friends.push_back(s);
         c.escorts.push_back(s);
       },
       {0, ShipRole::Escort}},
      {"friend before enemy",
       [](BattleConfig& c, const ShipEntry& s) {
         c.systems[0].enemies.push_back(s);
         c.systems[0].friends.push_back(s);
       },
       {1, ShipRole::Friend}},
      {"enemy before neutral",
       [](BattleConfig& c, const ShipEntry& s) {
         c.systems[0].neutrals.push_back(s);
         c.systems[0].enemies.push_back(s);
       },
       {1, ShipRole::Enemy}},
      {"neutral before hulk",
       [](BattleConfig& c, const ShipEntry& s) {
         c.systems[0].hulks.push_back(s);
         c.systems[0].neutrals.push_back(s);
       },
       {1, ShipRole::Neutral}},
      {"hulk of system 1 before friend of system 2",
       [](BattleConfig& c, const ShipEntry& s) {
         c.systems[1].friends.push_back(s);
         c.systems[0].hulks.push_back(s);
       },
       {1, ShipRole::Hulk}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    BattleConfig config;
    config.systems = {System("Sol"), System("Vega")};
    c.place(config, Ship("Cruiser", "Twin"));
    ShipLocation where;
    EXPECT_FALSE(config.CheckShipName("Twin", false, &where));
    EXPECT_EQ(where, c.expected);
  }
}

TEST(BattleConfig, DefaultNameConflicts) {
  BattleConfig config;
  config.player = Ship("Destroyer");
  config.escorts = {Ship("Scout"), Ship("Scout", "Scout E2")};  // its own place has no default
  config.systems = {System("Sol")};
  config.systems[0].enemies = {Ship("Raider", "Destroyer E1")};
  EXPECT_TRUE(config.FindDefaultNameConflict());

  config.escorts[1].name = "Scout E1";
  DefaultNameConflict conflict;
  EXPECT_FALSE(config.FindDefaultNameConflict(&conflict));
  EXPECT_EQ(conflict.named, (ShipLocation{0, ShipRole::Escort}));
  EXPECT_EQ(conflict.other, (ShipLocation{0, ShipRole::Escort}));
  EXPECT_EQ(conflict.name, "Scout E1");

  // The first named ship in visiting order is reported, whatever default it meets.
  config.escorts[1].name = "Scout E9";
  config.systems[0].hulks = {Ship("Wreck", "Destroyer P")};
  config.systems[0].friends = {Ship("Hawk", "Scout E1")};
  EXPECT_FALSE(config.FindDefaultNameConflict(&conflict));
  EXPECT_EQ(conflict.named, (ShipLocation{1, ShipRole::Friend}));
  EXPECT_EQ(conflict.other, (ShipLocation{0, ShipRole::Escort}));
  EXPECT_EQ(conflict.name, "Scout E1");

  config.systems[0].friends.clear();
  EXPECT_FALSE(config.FindDefaultNameConflict(&conflict));
  EXPECT_EQ(conflict.named, (ShipLocation{1, ShipRole::Hulk}));
  EXPECT_EQ(conflict.other, (ShipLocation{0, ShipRole::Player}));
}

TEST(BattleConfig, HasSystemIgnoresCaseAndUnnamedSystems) {
  BattleConfig config;
  EXPECT_FALSE(config.HasSystem("Sol"));
  config.systems = {System("Sol"), System("Alpha Centauri")};
  config.systems.emplace_back().name = "Vega";  // its name is not defined
  EXPECT_TRUE(config.HasSystem("sol"));
  EXPECT_TRUE(config.HasSystem("ALPHA centauri"));
  EXPECT_FALSE(config.HasSystem("So"));
  EXPECT_FALSE(config.HasSystem("Sol "));
  EXPECT_FALSE(config.HasSystem("Vega"));
}

}  // namespace
}  // namespace vk7
