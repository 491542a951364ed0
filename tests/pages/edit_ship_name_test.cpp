#include "pages/edit_ship_name.h"

#include <gtest/gtest.h>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

#include <cctype>
#include <functional>

#include "pages/page_test_support.h"

namespace vk7 {
namespace {

using namespace test;
using Entry = RecordingReporter::Entry;

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
const ShipOf kNamedEscort = [](BattleConfig& config) -> ShipEntry& { return config.escorts[0]; };
const ShipOf kUnnamedEscort = [](BattleConfig& config) -> ShipEntry& { return config.escorts[1]; };
const ShipOf kPlayer = [](BattleConfig& config) -> ShipEntry& { return config.player; };
const ShipOf kUnnamedEnemy = [](BattleConfig& c) -> ShipEntry& { return c.systems[0].enemies[0]; };

// A name behind a lowered flag is not the ship's name; only what counts is compared.
ShipEntry Counted(ShipEntry ship) {
  if (!ship.hasName) ship.name.clear();
  return ship;
}

Entry Used(const std::string& what) {
  return ErrorEntry("Ship name " + what);
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

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, ApplyShipNameTest,
    ::testing::Values(
        NameCase{"cancel", kNamedEscort, std::nullopt, false, Ship("Scout", "Hawk"), {}},
        NameCase{"trimmed", kNamedEscort, " \tFalcon  ", true, Ship("Scout", "Falcon"), {}},
        NameCase{"own name again", kNamedEscort, "Hawk", true, Ship("Scout", "Hawk"), {}},
        NameCase{"blanks clear it", kNamedEscort, " \t ", true, Ship("Scout"), {}},
        NameCase{"case counts", kUnnamedEscort, "kestrel", true, Ship("Scout", "kestrel"), {}},
        NameCase{"friend in system 3", kUnnamedEscort, "Kestrel", false, Ship("Scout"),
                 {Used("Kestrel already used for a friendly ship in system 3")}},
        NameCase{"escort has no system", kPlayer, "Hawk", false, Ship("Destroyer", "Endeavour"),
                 {Used("Hawk already used for an escort ship")}},
        NameCase{"player", kUnnamedEnemy, " Endeavour", false, Ship("Cruiser"),
                 {Used("Endeavour already used for the player ship")}},
        NameCase{"enemy keeps old name", kNamedEscort, "Raven", false, Ship("Scout", "Hawk"),
                 {Used("Raven already used for an enemy ship in system 1")}},
        NameCase{"neutral", kNamedEscort, "Drifter", false, Ship("Scout", "Hawk"),
                 {Used("Drifter already used for a neutral ship in system 2")}},
        NameCase{"hulk", kUnnamedEscort, "Wreck", false, Ship("Scout"),
                 {Used("Wreck already used for a hulked ship in system 2")}},
        // Default names are only looked at when the wizard finishes.
        NameCase{"default name passes", kUnnamedEscort, "Cruiser O1.1", true,
                 Ship("Scout", "Cruiser O1.1"), {}}),
    [](const ::testing::TestParamInfo<NameCase>& param) {
      std::string name = param.param.what;
      for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      }
      return name;
    });
// clang-format on

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
