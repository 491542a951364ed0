#include "pages/system_ships_page_logic.h"

#include <gtest/gtest.h>

#include "pages/page_test_support.h"

namespace vk7 {
namespace {

using test::Ship;
using test::System;
using Ships = std::vector<ShipEntry>;

const ShipCatalog kShips =
    test::CatalogFrom<ShipCatalog>("Scout Ship = SC1\nHeavy Cruiser = HC1\n= NOLABEL\n");

// What each page shows for a system is checked through the pages; here the edges.
TEST(SystemShipsLogic, ANumberWithoutASystemOpensWithoutContent) {
  BattleConfig config;
  config.systems = {System("Keth"), System("Sol"), System("Arra")};
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

TEST(SystemShipsLogic, AddingFromARowPastTheCatalogChangesNothing) {
  Ships hulks = {Ship("SC1")};
  RecordingReporter reporter;
  EXPECT_EQ(AddShip(hulks, kShips, 3, reporter), std::nullopt);
  EXPECT_EQ(AddShip(hulks, ShipCatalog(), 0, reporter), std::nullopt);
  // A class without label is added by its class.
  EXPECT_EQ(AddShip(hulks, kShips, 2, reporter), std::optional<std::string>("NOLABEL"));
  EXPECT_EQ(hulks, (Ships{Ship("SC1"), Ship("NOLABEL")}));
  EXPECT_TRUE(reporter.Entries().empty());
}

// The default names of the ships behind a removed one move up with them.
TEST(SystemShipsLogic, RemovingAShipRenumbersTheDefaultNamesBehindIt) {
  BattleConfig config;
  config.systems = {System("Keth"), System("Sol")};
  Ships& hulks = config.systems[1].hulks;
  hulks = {Ship("SC1"), Ship("SC1", "Wreck"), Ship("HC1")};
  ASSERT_FALSE(config.CheckShipName("HC1 H2.3", true));
  EXPECT_FALSE(RemoveShip(hulks, 3));
  EXPECT_TRUE(RemoveShip(hulks, 0));
  EXPECT_EQ(hulks, (Ships{Ship("SC1", "Wreck"), Ship("HC1")}));
  EXPECT_TRUE(config.CheckShipName("HC1 H2.3", true));
  EXPECT_FALSE(config.CheckShipName("HC1 H2.2", true));
  EXPECT_TRUE(RemoveShip(hulks, 1));
  EXPECT_FALSE(RemoveShip(hulks, 1));
  EXPECT_EQ(hulks, Ships{Ship("SC1", "Wreck")});
}

}  // namespace
}  // namespace vk7
