#include "pages/systems_page_logic.h"

#include <gtest/gtest.h>

#include "battle/recording_reporter.h"
#include "battle/text_line_file.h"

namespace vk7 {
namespace {

using Entry = RecordingReporter::Entry;

SystemCatalog Catalog(const std::string& text) {
  TextLineFile source;
  source.OpenMemory(text);
  SystemCatalog catalog;
  catalog.Read(source);
  return catalog;
}

// Rows: 0 Sol, 1 Vega, 2 SOL, 3 Keth, 4 Arra, 5 Rigel, 6 Deneb.
const SystemCatalog kSystems =
    Catalog("Sol=Earth=Mars\nVega=Vega I\nSOL\nKeth=Keth Prime\nArra\nRigel\nDeneb\n");

StarSystem System(const char* name) {
  StarSystem system;
  system.name = name;
  system.nameDefined = true;
  return system;
}

BattleConfig WithSystems(std::initializer_list<const char*> names) {
  BattleConfig config;
  config.name = "Alpha";
  for (const char* name : names) config.systems.push_back(System(name));
  return config;
}

const Entry kContained{true, "Error", kSystemAlreadyContained, {}};

struct EnableCase {
  std::size_t systems;
  bool catalogRow;
  bool systemRow;
  SystemsPageButtons expected;  // add, replace, remove, edit, up, down, next, finish
};

TEST(SystemsPageLogic, EnableRules) {
  const EnableCase cases[] = {
      {0, false, false, {false, false, false, false, false, false, false, false}},
      {0, true, false, {true, false, false, false, false, false, false, false}},
      {2, false, false, {false, false, false, false, false, false, false, true}},
      {2, true, false, {true, false, false, false, false, false, false, true}},
      {2, false, true, {false, false, true, true, true, true, true, true}},
      {2, true, true, {true, true, true, true, true, true, true, true}},
      {5, true, false, {true, false, false, false, false, false, false, true}},
      {6, true, false, {false, false, false, false, false, false, false, true}},
      {6, true, true, {false, true, true, true, true, true, true, true}},
  };
  for (const EnableCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.systems << " systems, catalog " << c.catalogRow
                                    << ", system " << c.systemRow);
    BattleConfig config;
    config.systems.resize(c.systems);
    EXPECT_EQ(SystemsPageEnables(config, c.catalogRow, c.systemRow), c.expected);
  }
}

TEST(SystemsPageLogic, AddRefusesANameAlreadyThereInAnyCase) {
  BattleConfig config = WithSystems({"sol"});
  const BattleConfig before = config;
  RecordingReporter reporter;
  EXPECT_FALSE(AddSystem(config, kSystems, 0, reporter));
  EXPECT_FALSE(AddSystem(config, kSystems, 2, reporter));
  EXPECT_EQ(config, before);
  EXPECT_EQ(reporter.Entries(), (std::vector<Entry>{kContained, kContained}));
}

TEST(SystemsPageLogic, AddNeverGoesPastSixOrOffTheCatalog) {
  BattleConfig config = WithSystems({"A", "B", "C", "D", "E", "F"});
  const BattleConfig before = config;
  RecordingReporter reporter;
  EXPECT_FALSE(AddSystem(config, kSystems, 1, reporter));
  config.systems.pop_back();
  EXPECT_FALSE(AddSystem(config, kSystems, 7, reporter));
  EXPECT_TRUE(reporter.Entries().empty());
  ASSERT_TRUE(AddSystem(config, kSystems, 6, reporter));
  EXPECT_EQ(config.systems.size(), 6U);
}

StarSystem PositionedSol() {
  StarSystem system = System("Sol");
  system.stardate = 4523;
  system.stardateDefined = true;
  system.enemyPosition = {1, 2, 3, "Mars"};
  system.enemyPlanetDefined = true;
  system.friendPosition = {10, 20, 30, ""};
  system.friendCoordsDefined = true;
  system.playerPosition = {0, 0, 0, "Earth"};
  system.playerPlanetDefined = true;
  system.neutralPosition = {0, 0, 0, "Earth"};
  system.neutralPlanetDefined = true;
  system.hulkPosition = {0, 0, 0, "Mars"};
  system.hulkPlanetDefined = true;
  system.friends.resize(2);
  system.Dialogs(DialogEvent::StartingDialog).push_back(DialogLine{"A", "b", "", true, true, true});
  return system;
}

TEST(SystemsPageLogic, ReplaceAsksThenKeepsEverythingButPlanetPositions) {
  BattleConfig config = WithSystems({"Vega"});
  config.systems.insert(config.systems.begin(), PositionedSol());
  RecordingReporter reporter;
  const auto replacement = PrepareSystemReplacement(config, kSystems, 3, 0, reporter);
  ASSERT_TRUE(replacement.has_value());
  EXPECT_EQ(
      *replacement,
      (SystemReplacement{0, "Keth", "Sol by Keth ?",
                         " (This will delete all positions given by planets in this system!)"}));
  ReplaceSystem(config, *replacement);

  StarSystem expected = PositionedSol();
  expected.name = "Keth";
  expected.enemyPlanetDefined = expected.playerPlanetDefined = expected.neutralPlanetDefined =
      expected.hulkPlanetDefined = false;
  EXPECT_EQ(config.systems[0], expected);
  EXPECT_EQ(config.systems[1], System("Vega"));
  EXPECT_TRUE(reporter.Entries().empty());
}

TEST(SystemsPageLogic, ReplaceWithNothingToAsk) {
  const BattleConfig config = WithSystems({"sol", "Vega"});
  RecordingReporter reporter;
  // The same name in other letter case: nothing at all.
  EXPECT_EQ(PrepareSystemReplacement(config, kSystems, 0, 0, reporter), std::nullopt);
  EXPECT_EQ(PrepareSystemReplacement(config, kSystems, 2, 0, reporter), std::nullopt);
  EXPECT_TRUE(reporter.Entries().empty());
  // Another system's name: refused.
  EXPECT_EQ(PrepareSystemReplacement(config, kSystems, 1, 0, reporter), std::nullopt);
  EXPECT_EQ(PrepareSystemReplacement(config, kSystems, 0, 1, reporter), std::nullopt);
  EXPECT_EQ(reporter.Entries(), (std::vector<Entry>{kContained, kContained}));
  // No such rows.
  reporter.Clear();
  EXPECT_EQ(PrepareSystemReplacement(config, kSystems, 7, 0, reporter), std::nullopt);
  EXPECT_EQ(PrepareSystemReplacement(config, kSystems, 3, 2, reporter), std::nullopt);
  EXPECT_TRUE(reporter.Entries().empty());
}

// Rows the page does not have change nothing.
TEST(SystemsPageLogic, RowsOutsideTheListsAreIgnored) {
  BattleConfig config = WithSystems({"Sol", "Vega"});
  const BattleConfig before = config;
  EXPECT_EQ(RemoveSystemQuestion(config, 2), "");
  EXPECT_FALSE(RemoveSystem(config, 2));
  EXPECT_EQ(MoveSystemUp(config, 0), std::nullopt);
  EXPECT_EQ(MoveSystemUp(config, 2), std::nullopt);
  EXPECT_EQ(MoveSystemDown(config, 1), std::nullopt);
  EXPECT_EQ(config, before);
}

}  // namespace
}  // namespace vk7
