#include "battle/battle_config.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "support/model_builders.h"

namespace vk7 {
namespace {

using test::Ship;
using test::System;

TEST(BattleConfig, NewBattleRemarkAndDefaultShipNames) {
  BattleConfig config;
  EXPECT_TRUE(config.InitNew());
  EXPECT_EQ(config.remarks, std::vector<std::string>{" Created by Velkor Editor"});
  const std::tuple<ShipRole, std::uint32_t, std::uint32_t, const char*> cases[] = {
      {ShipRole::Player, 0, 1, "Hawk P"},     {ShipRole::Escort, 4, 12, "Hawk E12"},
      {ShipRole::Enemy, 1, 3, "Hawk O1.3"},   {ShipRole::Friend, 6, 10, "Hawk F6.10"},
      {ShipRole::Neutral, 2, 1, "Hawk N2.1"}, {ShipRole::Hulk, 3, 2, "Hawk H3.2"},
  };
  for (const auto& [role, system, position, name] : cases) {
    EXPECT_EQ(BattleConfig::DefaultShipName(Ship("Hawk"), role, system, position), name);
  }
}

TEST(BattleConfig, NamesAreFoundWithTheirPlace) {
  BattleConfig config;
  config.player = Ship("Destroyer", "Valiant");
  config.escorts = {Ship("Scout"), Ship("Scout")};
  config.systems = {System("Sol"), System("Vega")};
  config.systems[1].hulks = {Ship("Wreck"), Ship("Wreck", "Kestrel")};
  ShipLocation where;
  EXPECT_FALSE(config.CheckShipName("Kestrel", false, &where));
  EXPECT_EQ(where, (ShipLocation{2, ShipRole::Hulk}));
  // Own names match exactly; default names are not own names, and own names not default names.
  for (const char* free : {"kestrel", "Kestrel ", "Wreck H2.1"}) {
    EXPECT_TRUE(config.CheckShipName(free, false)) << free;
  }
  EXPECT_FALSE(config.CheckShipName("Wreck H2.1", true));
  for (const char* free : {"Wreck H2.2", "Kestrel", "Destroyer P"}) {
    EXPECT_TRUE(config.CheckShipName(free, true)) << free;
  }
  // Escort default names follow their places.
  EXPECT_FALSE(config.CheckShipName("Scout E2", true, &where));
  EXPECT_EQ(where, (ShipLocation{0, ShipRole::Escort}));
  config.escorts.erase(config.escorts.begin());
  EXPECT_TRUE(config.CheckShipName("Scout E2", true));
  EXPECT_FALSE(config.CheckShipName("Scout E1", true));
}

// The list allows a name twice; the search then reports the ship it visits first: the player,
// the escorts, then each system's friends, enemies, neutrals and hulks.
TEST(BattleConfig, SearchVisitsPlayerEscortsThenEachSystemsRoles) {
  const ShipLocation order[] = {
      {0, ShipRole::Player},  {0, ShipRole::Escort}, {1, ShipRole::Friend}, {1, ShipRole::Enemy},
      {1, ShipRole::Neutral}, {1, ShipRole::Hulk},   {2, ShipRole::Friend}};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
    BattleConfig config;
    config.systems = {System("Sol"), System("Vega")};
    for (const ShipLocation& at : {order[i + 1], order[i]}) {
      const ShipEntry twin = Ship("Cruiser", "Twin");
      if (at.role == ShipRole::Player) {
        config.player = twin;
      } else if (at.role == ShipRole::Escort) {
        config.escorts.push_back(twin);
      } else {
        config.systems[at.systemNumber - 1].Ships(at.role).push_back(twin);
      }
    }
    ShipLocation where;
    EXPECT_FALSE(config.CheckShipName("Twin", false, &where));
    EXPECT_EQ(where, order[i]);
  }
}

// A role's times are the fields named after the role and the action.
TEST(StarSystem, ActionTimesAreTheFieldsOfTheirRoleAndAction) {
  const std::tuple<ShipRole, ShipAction, std::int32_t StarSystem::*> fields[] = {
      {ShipRole::Enemy, ShipAction::WarpIn, &StarSystem::enemyWarpInAfter},
      {ShipRole::Enemy, ShipAction::WarpOut, &StarSystem::enemyWarpOutAfter},
      {ShipRole::Neutral, ShipAction::WarpIn, &StarSystem::neutralWarpInAfter},
      {ShipRole::Neutral, ShipAction::WarpOut, &StarSystem::neutralWarpOutAfter},
      {ShipRole::Friend, ShipAction::WarpOut, &StarSystem::friendWarpOutAfter}};
  for (const auto& [role, action, field] : fields) {
    StarSystem system;
    system.*field = 7;
    EXPECT_EQ(std::as_const(system).ActionTime(role, action).after, 7);
  }
}

TEST(BattleConfig, DefaultNameConflicts) {
  BattleConfig config;
  config.player = Ship("Destroyer");
  config.escorts = {Ship("Scout"), Ship("Scout", "Scout E2")};  // its own place has no default
  config.systems = {System("Sol")};
  config.systems[0].enemies = {Ship("Raider", "Destroyer E1")};
  EXPECT_FALSE(config.FindDefaultNameConflict());

  config.escorts[1].name = "Scout E1";
  DefaultNameConflict conflict;
  EXPECT_TRUE(config.FindDefaultNameConflict(&conflict));
  EXPECT_EQ(conflict.named, (ShipLocation{0, ShipRole::Escort}));
  EXPECT_EQ(conflict.other, (ShipLocation{0, ShipRole::Escort}));
  EXPECT_EQ(conflict.name, "Scout E1");

  // The first named ship in visiting order is reported, whatever default it meets.
  config.escorts[1].name = "Scout E9";
  config.systems[0].hulks = {Ship("Wreck", "Destroyer P")};
  config.systems[0].friends = {Ship("Hawk", "Scout E1")};
  EXPECT_TRUE(config.FindDefaultNameConflict(&conflict));
  EXPECT_EQ(conflict.named, (ShipLocation{1, ShipRole::Friend}));
  EXPECT_EQ(conflict.other, (ShipLocation{0, ShipRole::Escort}));
  config.systems[0].friends.clear();
  EXPECT_TRUE(config.FindDefaultNameConflict(&conflict));
  EXPECT_EQ(conflict.named, (ShipLocation{1, ShipRole::Hulk}));
  EXPECT_EQ(conflict.other, (ShipLocation{0, ShipRole::Player}));
}

TEST(BattleConfig, HasSystemIgnoresCaseAndUnnamedSystems) {
  BattleConfig config;
  config.systems = {System("Sol"), System("Alpha Centauri")};
  config.systems.emplace_back().name = "Vega";  // its name is not defined
  EXPECT_TRUE(config.HasSystem("ALPHA centauri"));
  for (const char* absent : {"So", "Sol ", "Vega"}) EXPECT_FALSE(config.HasSystem(absent));
}

}  // namespace
}  // namespace vk7
