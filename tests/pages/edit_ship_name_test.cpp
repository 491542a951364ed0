#include "pages/edit_ship_name.h"

#include <gtest/gtest.h>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

#include <cctype>
#include <functional>

#include "battle/recording_reporter.h"
#include "gui_support/scripted_seam.h"

namespace vk7 {
namespace {

using test::Find;
using test::ScriptedSeam;
using Entry = RecordingReporter::Entry;

ShipEntry Ship(const char* shipClass, const char* name = nullptr) {
  return ShipEntry{shipClass, name != nullptr ? name : "", true, name != nullptr};
}

StarSystem System(const char* name) {
  StarSystem system;
  system.name = name;
  system.nameDefined = true;
  return system;
}

// Named ships in every role: the player Endeavour, the escort Hawk, an enemy Raven in system
// 1, a neutral Drifter and a hulk Wreck in system 2, a friend Kestrel in system 3.
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

using ShipOf = std::function<ShipEntry&(BattleConfig&)>;
ShipEntry& NamedEscort(BattleConfig& config) {
  return config.escorts[0];
}
ShipEntry& UnnamedEscort(BattleConfig& config) {
  return config.escorts[1];
}
ShipEntry& Player(BattleConfig& config) {
  return config.player;
}
ShipEntry& UnnamedEnemy(BattleConfig& config) {
  return config.systems[0].enemies[0];
}

// A name behind a lowered flag is not the ship's name; only what counts is compared.
ShipEntry Counted(ShipEntry ship) {
  if (!ship.hasName) ship.name.clear();
  return ship;
}

Entry Error(const std::string& text) {
  return Entry{true, "Error", text, {}};
}

struct NameCase {
  const char* what;
  ShipOf ship;
  std::optional<std::string> entered;  // nothing: "Cancel"
  bool result;
  ShipEntry after;
  std::vector<Entry> messages;
};

class ApplyShipNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(ApplyShipNameTest, SetsClearsOrRefusesTheName) {
  const NameCase& c = GetParam();
  BattleConfig config = Battle();
  ShipEntry& ship = c.ship(config);
  RecordingReporter reporter;
  EXPECT_EQ(ApplyShipName(ship, config, c.entered, reporter), c.result);
  EXPECT_EQ(Counted(ship), c.after);
  EXPECT_EQ(reporter.Entries(), c.messages);
  // Nothing but the edited ship may change.
  ship = Counted(ship);
  BattleConfig expected = Battle();
  c.ship(expected) = c.after;
  EXPECT_EQ(config, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ApplyShipNameTest,
    ::testing::Values(
        NameCase{"cancel", NamedEscort, std::nullopt, false, Ship("Scout", "Hawk"), {}},
        NameCase{"trimmed", NamedEscort, " \tFalcon  ", true, Ship("Scout", "Falcon"), {}},
        NameCase{"own name again", NamedEscort, "Hawk", true, Ship("Scout", "Hawk"), {}},
        NameCase{"blanks clear it", NamedEscort, " \t ", true, Ship("Scout"), {}},
        NameCase{"case counts", UnnamedEscort, "kestrel", true, Ship("Scout", "kestrel"), {}},
        NameCase{"friend in system 3",
                 UnnamedEscort,
                 "Kestrel",
                 false,
                 Ship("Scout"),
                 {Error("Ship name Kestrel already used for a friendly ship in system 3")}},
        NameCase{"escort has no system",
                 Player,
                 "Hawk",
                 false,
                 Ship("Destroyer", "Endeavour"),
                 {Error("Ship name Hawk already used for an escort ship")}},
        NameCase{"player",
                 UnnamedEnemy,
                 " Endeavour",
                 false,
                 Ship("Cruiser"),
                 {Error("Ship name Endeavour already used for the player ship")}},
        NameCase{"enemy keeps old name",
                 NamedEscort,
                 "Raven",
                 false,
                 Ship("Scout", "Hawk"),
                 {Error("Ship name Raven already used for an enemy ship in system 1")}},
        NameCase{"neutral",
                 NamedEscort,
                 "Drifter",
                 false,
                 Ship("Scout", "Hawk"),
                 {Error("Ship name Drifter already used for a neutral ship in system 2")}},
        NameCase{"hulk",
                 UnnamedEscort,
                 "Wreck",
                 false,
                 Ship("Scout"),
                 {Error("Ship name Wreck already used for a hulked ship in system 2")}},
        // Default names are only looked at when the wizard finishes.
        NameCase{"default name passes",
                 UnnamedEscort,
                 "Cruiser O1.1",
                 true,
                 Ship("Scout", "Cruiser O1.1"),
                 {}}),
    [](const ::testing::TestParamInfo<NameCase>& param) {
      std::string name = param.param.what;
      for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      }
      return name;
    });

TEST(EditShipName, AsksWithThePromptAndTheCurrentName) {
  BattleConfig config = Battle();
  ScriptedSeam seam;
  seam.Expect("NAMEBOX", [](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), "Ship Name");
    EXPECT_EQ(Find<QLabel>(box, "promptLabel").text(), "Set the name of the Scout class escort");
    auto& edit = Find<QLineEdit>(box, "Set the name of the Scout class escort");
    EXPECT_EQ(edit.text(), "Hawk");
    edit.setText("  Falcon ");
    test::Click(box, "Ok");
  });
  EXPECT_TRUE(EditShipName(nullptr, config.escorts[0], config, " class escort"));
  EXPECT_EQ(config.escorts[0], Ship("Scout", "Falcon"));
}

TEST(EditShipName, UnnamedShipStartsEmptyAndATakenNameIsRefusedInTheErrorBox) {
  BattleConfig config = Battle();
  ScriptedSeam seam;
  seam.Expect("NAMEBOX",
              [](QDialog& box) {
                auto& edit = Find<QLineEdit>(box, "Set the name of the Cruiser class enemy ship");
                EXPECT_EQ(edit.text(), "");
                edit.setText("Kestrel");
                test::Click(box, "Ok");
              })
      .Expect("ERRORBOX", [](QDialog& box) {
        EXPECT_EQ(box.windowTitle(), "Error");
        EXPECT_EQ(test::MessageText(box),
                  "Ship name Kestrel already used for a friendly ship in system 3");
        test::Click(box, "Cancel");
      });
  EXPECT_FALSE(EditShipName(nullptr, config.systems[0].enemies[0], config, " class enemy ship"));
  EXPECT_EQ(config, Battle());
}

}  // namespace
}  // namespace vk7
