#include "pages/edit_ship_name.h"

#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>

#include "pages/page_test_support.h"

namespace vk7 {
namespace {

using namespace test;

// Named ships in every role: the player Endeavour, the escort Hawk (and an unnamed one), an
// enemy Raven in system 1, a neutral Drifter and a hulk Wreck in system 2, a friend Kestrel
// in system 3.
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

ShipEntry& Named(BattleConfig& c) {
  return c.escorts[0];
}
ShipEntry& Unnamed(BattleConfig& c) {
  return c.escorts[1];
}
ShipEntry& Player(BattleConfig& c) {
  return c.player;
}
ShipEntry& Enemy(BattleConfig& c) {
  return c.systems[0].enemies[0];
}

TEST(ApplyShipName, SetsClearsOrRefusesTheName) {
  const struct {
    ShipEntry& (*ship)(BattleConfig&);
    std::optional<std::string> entered;  // nothing: "Cancel"
    bool result;
    ShipEntry after;
    std::string error;  // after "Ship name "
  } cases[] = {
      {Named, std::nullopt, false, Ship("Scout", "Hawk"), ""},
      {Named, " \tFalcon  ", true, Ship("Scout", "Falcon"), ""},
      {Named, "Hawk", true, Ship("Scout", "Hawk"), ""},  // its own name is not taken
      {Named, " \t ", true, Ship("Scout"), ""},
      {Unnamed, "kestrel", true, Ship("Scout", "kestrel"), ""},
      // Default names are only looked at when the wizard finishes.
      {Unnamed, "Cruiser O1.1", true, Ship("Scout", "Cruiser O1.1"), ""},
      {Unnamed, "Kestrel", false, Ship("Scout"),
       "Kestrel already used for a friendly ship in system 3"},
      {Player, "Hawk", false, Ship("Destroyer", "Endeavour"),
       "Hawk already used for an escort ship"},
      {Enemy, " Endeavour", false, Ship("Cruiser"), "Endeavour already used for the player ship"},
      {Named, "Raven", false, Ship("Scout", "Hawk"),
       "Raven already used for an enemy ship in system 1"},
      {Named, "Drifter", false, Ship("Scout", "Hawk"),
       "Drifter already used for a neutral ship in system 2"},
      {Unnamed, "Wreck", false, Ship("Scout"), "Wreck already used for a hulked ship in system 2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entered.value_or("(cancel)"));
    BattleConfig config = Battle();
    RecordingReporter reporter;
    EXPECT_EQ(ApplyShipName(c.ship(config), config, c.entered, reporter), c.result);
    // A name behind a lowered flag is not the ship's name; nothing else may change.
    if (!c.ship(config).hasName) c.ship(config).name.clear();
    BattleConfig expected = Battle();
    c.ship(expected) = c.after;
    EXPECT_EQ(config, expected);
    EXPECT_EQ(reporter.Entries(), c.error.empty()
                                      ? std::vector<RecordingReporter::Entry>{}
                                      : std::vector{ErrorEntry("Ship name " + c.error)});
  }
}

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
