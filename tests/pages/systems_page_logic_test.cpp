#include "pages/systems_page_logic.h"

#include <gtest/gtest.h>

#include "pages/page_test_support.h"

namespace vk7 {
namespace {

using test::System;
using Entry = RecordingReporter::Entry;

// Rows: 0 Sol, 1 Vega, 2 SOL, 3 Keth, 4 Arra, 5 Rigel, 6 Deneb.
const SystemCatalog kSystems = test::CatalogFrom<SystemCatalog>(
    "Sol=Earth=Mars\nVega=Vega I\nSOL\nKeth=Keth Prime\nArra\nRigel\nDeneb\n");
const Entry kContained = test::ErrorEntry(kSystemAlreadyContained);

BattleConfig WithSystems(std::initializer_list<const char*> names) {
  BattleConfig config;
  for (const char* name : names) config.systems.push_back(System(name));
  return config;
}

// The enable rules and what the buttons do are checked through the page; here what it
// cannot see or reach.
TEST(SystemsPageLogic, AddRefusesAPresentNameAndNeverGoesPastSixOrOffTheCatalog) {
  BattleConfig config = WithSystems({"sol"});
  RecordingReporter reporter;
  EXPECT_FALSE(AddSystem(config, kSystems, 0, reporter));
  EXPECT_FALSE(AddSystem(config, kSystems, 2, reporter));
  EXPECT_EQ(reporter.Entries(), (std::vector<Entry>{kContained, kContained}));
  reporter.Clear();
  config = WithSystems({"A", "B", "C", "D", "E", "F"});
  EXPECT_FALSE(AddSystem(config, kSystems, 1, reporter));
  config.systems.pop_back();
  EXPECT_FALSE(AddSystem(config, kSystems, 7, reporter));
  EXPECT_TRUE(AddSystem(config, kSystems, 6, reporter));
  EXPECT_EQ(config, WithSystems({"A", "B", "C", "D", "E", "Deneb"}));
  EXPECT_TRUE(reporter.Entries().empty());
}

TEST(SystemsPageLogic, ReplaceAsksThenKeepsEverythingButPlanetPositions) {
  StarSystem sol = System("Sol");
  sol.stardate = 4523;
  sol.stardateDefined = sol.friendCoordsDefined = true;
  sol.enemyPosition = {1, 2, 3, "Mars"};
  sol.friendPosition = {10, 20, 30, ""};
  sol.enemyPlanetDefined = sol.friendPlanetDefined = sol.playerPlanetDefined =
      sol.neutralPlanetDefined = sol.hulkPlanetDefined = true;
  sol.friends.resize(2);
  sol.Dialogs(DialogEvent::StartingDialog).push_back(test::Line("A", "b"));
  BattleConfig config = WithSystems({"Vega"});
  config.systems.insert(config.systems.begin(), sol);
  RecordingReporter reporter;
  const auto replacement = PrepareSystemReplacement(config, kSystems, 3, 0, reporter);
  ASSERT_EQ(replacement, (SystemReplacement{0, "Keth", "Sol by Keth ?",
                                            " (This will delete all positions given by planets "
                                            "in this system!)"}));
  ReplaceSystem(config, *replacement);
  sol.name = "Keth";
  sol.enemyPlanetDefined = sol.friendPlanetDefined = sol.playerPlanetDefined =
      sol.neutralPlanetDefined = sol.hulkPlanetDefined = false;
  EXPECT_EQ(config.systems, (std::vector<StarSystem>{sol, System("Vega")}));
  EXPECT_TRUE(reporter.Entries().empty());
}

TEST(SystemsPageLogic, ReplaceWithNothingToAsk) {
  const BattleConfig config = WithSystems({"sol", "Vega"});
  RecordingReporter reporter;
  // The same name in other letter case, or no such rows: nothing at all.
  for (const auto& [row, index] :
       {std::pair<std::size_t, std::size_t>{0, 0}, {2, 0}, {7, 0}, {3, 2}}) {
    EXPECT_EQ(PrepareSystemReplacement(config, kSystems, row, index, reporter), std::nullopt);
  }
  EXPECT_TRUE(reporter.Entries().empty());
  // Another system's name: refused.
  EXPECT_EQ(PrepareSystemReplacement(config, kSystems, 1, 0, reporter), std::nullopt);
  EXPECT_EQ(PrepareSystemReplacement(config, kSystems, 0, 1, reporter), std::nullopt);
  EXPECT_EQ(reporter.Entries(), (std::vector<Entry>{kContained, kContained}));
}

TEST(SystemsPageLogic, RowsOutsideTheListsAreIgnored) {
  BattleConfig config = WithSystems({"Sol", "Vega"});
  EXPECT_EQ(RemoveSystemQuestion(config, 2), "");
  EXPECT_FALSE(RemoveSystem(config, 2));
  EXPECT_EQ(MoveSystemUp(config, 0), std::nullopt);
  EXPECT_EQ(MoveSystemUp(config, 2), std::nullopt);
  EXPECT_EQ(MoveSystemDown(config, 1), std::nullopt);
  ReplaceSystem(config, {2, "Keth", "", ""});
  EXPECT_EQ(config, WithSystems({"Sol", "Vega"}));
}

}  // namespace
}  // namespace vk7
