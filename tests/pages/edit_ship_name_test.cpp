#include "pages/edit_ship_name.h"

#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

#include "content/dialog_text.h"
#include "pages/page_test_support.h"
#include "support/case_file.h"

namespace vk7 {
namespace {

using namespace test;

// Named ships in every role, as pages/cases/ship_names.txt describes them.
BattleConfig Battle() {
  BattleConfig config;
  config.player = Ship("Destroyer", "Endeavour");
  config.escorts = {Ship("Scout", "Hawk"), Ship("Scout")};
  config.systems = {System("Sol"), System("Vega"), System("Keth")};
  config.systems[0].enemies = {Ship("Cruiser"), Ship("Cruiser", "Raven")};
  config.systems[1].neutrals = {Ship("Freighter", "Drifter")};
  config.systems[1].hulks = {Ship("Hulk", "Wreck")};
  config.systems[2].friends = {Ship("Frigate", "Kestrel")};
  return config;
}

// Every ship of the battle, the player first.
std::vector<ShipEntry*> AllShips(BattleConfig& config) {
  std::vector<ShipEntry*> ships = {&config.player};
  for (ShipEntry& ship : config.escorts) ships.push_back(&ship);
  for (StarSystem& system : config.systems) {
    for (ShipRole role : {ShipRole::Friend, ShipRole::Enemy, ShipRole::Neutral, ShipRole::Hulk}) {
      for (ShipEntry& ship : system.Ships(role)) ships.push_back(&ship);
    }
  }
  return ships;
}

class ApplyShipNameTest : public testing::TestWithParam<test_support::Case> {};

TEST_P(ApplyShipNameTest, SetsClearsOrRefusesTheName) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
  BattleConfig config = Battle();
  const std::vector<ShipEntry*> ships = AllShips(config);
  const auto at = std::find_if(ships.begin(), ships.end(), [&](const ShipEntry* ship) {
    return FormatShipEntry(*ship) == c.input.at(0);
  });
  ASSERT_NE(at, ships.end());
  const auto entered = c.input.size() > 1 ? std::optional(c.input[1]) : std::nullopt;
  const bool refused = c.expected.size() > 1;
  RecordingReporter reporter;
  EXPECT_EQ(ApplyShipName(**at, config, entered, reporter), entered && !refused);
  EXPECT_EQ(FormatShipEntry(**at), c.expected.at(0));
  EXPECT_EQ(reporter.Entries(), refused ? std::vector{ErrorEntry(c.expected[1])}
                                        : std::vector<RecordingReporter::Entry>{});
  BattleConfig expected = Battle();
  *AllShips(expected)[static_cast<std::size_t>(at - ships.begin())] = **at;
  EXPECT_EQ(config, expected);
}

VK7_CASES(ApplyShipNameTest, "pages/cases/ship_names.txt");

TEST(EditShipName, AsksWithThePromptAndTheCurrentName) {
  BattleConfig config = Battle();
  ScriptedSeam seam;
  seam.Expect("NAMEBOX", [](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), "Ship Name");
    EXPECT_EQ(Find<QLabel>(box, "promptLabel").text(), "Set the name of the Scout class escort");
    auto& edit = Find<QLineEdit>(box, "Set the name of the Scout class escort");
    EXPECT_EQ(edit.text(), "Hawk");
    edit.setText("  Falcon ");
    Click(box, "Ok");
  });
  EXPECT_TRUE(EditShipName(nullptr, config.escorts[0], config, " class escort"));
  EXPECT_EQ(config.escorts[0], Ship("Scout", "Falcon"));
}

}  // namespace
}  // namespace vk7
