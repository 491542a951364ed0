#include "pages/system_ships_page_logic.h"

#include <gtest/gtest.h>

#include <ostream>

#include "pages/page_test_support.h"

namespace vk7 {
namespace {

using test::Ship;
using test::System;
using Strings = std::vector<std::string>;

const ShipCatalog kShips =
    test::CatalogFrom<ShipCatalog>("Scout Ship = SC1\nHeavy Cruiser = HC1\n= NOLABEL\n");

// Three systems; the second, Sol, has one ship of each role.
BattleConfig ThreeSystems() {
  BattleConfig config;
  config.name = "Ambush";
  config.systems = {System("Keth"), System("Sol"), System("Arra")};
  StarSystem& sol = config.systems[1];
  sol.friends = {Ship("SC1")};
  sol.enemies = {Ship("HC1", "Kestrel"), Ship("SC1")};
  sol.neutrals = {Ship("HC1", "Trader")};
  sol.hulks = {Ship("SC1"), Ship("SC1", "Wreck")};
  return config;
}

struct KindCase {
  SystemShipsKind kind;
  ShipRole upper, lower;
  std::string title;
  Strings upperRows, lowerRows;
};

void PrintTo(const KindCase& c, std::ostream* out) {
  *out << c.title;
}

class SystemShipsOpening : public testing::TestWithParam<KindCase> {};

TEST_P(SystemShipsOpening, ShowsTheTitleBothListsAndTheCatalog) {
  const KindCase& c = GetParam();
  const BattleConfig config = ThreeSystems();
  const SystemShipsView view = OpenSystemShips(config, 2, c.kind, kShips);
  EXPECT_TRUE(view.hasSystem);
  EXPECT_EQ(view.title, c.title);
  EXPECT_EQ(view.upperRows, c.upperRows);
  EXPECT_EQ(view.lowerRows, c.lowerRows);
  EXPECT_EQ(view.catalogRows,
            (Strings{"SC1   (Scout Ship)", "HC1   (Heavy Cruiser)", "NOLABEL   ()"}));
  EXPECT_EQ(LayoutOf(c.kind).upper.role, c.upper);
  EXPECT_EQ(LayoutOf(c.kind).lower.role, c.lower);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    BothPages, SystemShipsOpening,
    testing::Values(
        KindCase{SystemShipsKind::FriendsEnemies, ShipRole::Friend, ShipRole::Enemy,
                 "Battle Configuration <Ambush>  -  System 2 of 3 <Sol>  -  Enemies and Friends",
                 {"SC1"}, {"HC1 --> Kestrel", "SC1"}},
        KindCase{SystemShipsKind::NeutralsHulks, ShipRole::Neutral, ShipRole::Hulk,
                 "Battle Configuration <Ambush>  -  System 2 of 3 <Sol>  -  Neutrals and Hulks",
                 {"HC1 --> Trader"}, {"SC1", "SC1 --> Wreck"}}));
// clang-format on

TEST(SystemShipsLogic, ANumberWithoutASystemOpensWithoutContent) {
  BattleConfig config = ThreeSystems();
  for (const int number : {0, -1, 4, 1000}) {
    SCOPED_TRACE(number);
    const SystemShipsView view =
        OpenSystemShips(config, number, SystemShipsKind::FriendsEnemies, kShips);
    EXPECT_FALSE(view.hasSystem);
    EXPECT_EQ(view.title, "");
    EXPECT_TRUE(view.upperRows.empty() && view.lowerRows.empty() && view.catalogRows.empty());
    EXPECT_EQ(SystemAt(config, number), nullptr);
  }
  EXPECT_EQ(SystemAt(config, 1), &config.systems[0]);
  EXPECT_EQ(SystemAt(config, 3), &config.systems[2]);
}

TEST(SystemShipsLogic, AddingTheSameClassTwiceGivesTwoUnnamedShips) {
  BattleConfig config = ThreeSystems();
  std::vector<ShipEntry>& friends = config.systems[2].friends;
  RecordingReporter reporter;
  EXPECT_EQ(AddShip(friends, kShips, 1, reporter), std::optional<std::string>("HC1"));
  EXPECT_EQ(AddShip(friends, kShips, 1, reporter), std::optional<std::string>("HC1"));
  EXPECT_EQ(friends, (std::vector<ShipEntry>{Ship("HC1"), Ship("HC1")}));
  EXPECT_EQ(BattleConfig::DefaultShipName(friends[0], ShipRole::Friend, 3, 1), "HC1 F3.1");
  EXPECT_EQ(BattleConfig::DefaultShipName(friends[1], ShipRole::Friend, 3, 2), "HC1 F3.2");
  EXPECT_FALSE(config.CheckShipName("HC1 F3.2", true));
  EXPECT_TRUE(reporter.Entries().empty());
}

TEST(SystemShipsLogic, AddingFromARowPastTheCatalogChangesNothing) {
  std::vector<ShipEntry> hulks = {Ship("SC1")};
  RecordingReporter reporter;
  EXPECT_EQ(AddShip(hulks, kShips, 3, reporter), std::nullopt);
  EXPECT_EQ(AddShip(hulks, ShipCatalog(), 0, reporter), std::nullopt);
  // A class without label is added by its class.
  EXPECT_EQ(AddShip(hulks, kShips, 2, reporter), std::optional<std::string>("NOLABEL"));
  EXPECT_EQ(hulks, (std::vector<ShipEntry>{Ship("SC1"), Ship("NOLABEL")}));
  EXPECT_TRUE(reporter.Entries().empty());
}

TEST(SystemShipsLogic, RemovingAShipRenumbersTheDefaultNamesBehindItAndPastTheEndNothing) {
  BattleConfig config = ThreeSystems();
  std::vector<ShipEntry>& hulks = config.systems[1].hulks;
  hulks.push_back(Ship("HC1"));
  ASSERT_FALSE(config.CheckShipName("HC1 H2.3", true));
  EXPECT_FALSE(RemoveShip(hulks, 3));
  EXPECT_TRUE(RemoveShip(hulks, 0));
  EXPECT_EQ(hulks, (std::vector<ShipEntry>{Ship("SC1", "Wreck"), Ship("HC1")}));
  EXPECT_TRUE(config.CheckShipName("HC1 H2.3", true));
  EXPECT_FALSE(config.CheckShipName("HC1 H2.2", true));
  EXPECT_TRUE(RemoveShip(hulks, 1));
  EXPECT_TRUE(RemoveShip(hulks, 0));
  EXPECT_FALSE(RemoveShip(hulks, 0));
  EXPECT_TRUE(hulks.empty());
}

}  // namespace
}  // namespace vk7
