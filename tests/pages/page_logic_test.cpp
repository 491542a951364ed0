// The decisions of the general, systems and system ships pages and of the name box, from
// pages/cases/page_logic.txt, and of the position page.
#include <gtest/gtest.h>
#include <map>
#include <sstream>

#include "content/dialog_text.h"
#include "pages/edit_ship_name.h"
#include "pages/general_page_logic.h"
#include "pages/page_test_support.h"
#include "pages/position_page_logic.h"
#include "pages/system_ships_page_logic.h"
#include "pages/systems_page_logic.h"
#include "support/battle_text.h"

namespace vk7 {
namespace {

// Rows from 0: DD, SC1, HC1, NOLABEL; and Sol, Vega, SOL, Keth, Arra, Rigel, Deneb.
const ShipCatalog kShips = test::CatalogFrom<ShipCatalog>(
    "Destroyer=DD\nScout Ship = SC1\nHeavy Cruiser = HC1\n= NOLABEL\n");
const SystemCatalog kSystems = test::CatalogFrom<SystemCatalog>(
    "Sol=Earth=Mars\nVega=Vega I\nSOL\nKeth=Keth Prime\nArra\nRigel\nDeneb\n");

std::string Text(bool value) {
  return value ? "true" : "false";
}
template <typename T>
std::string Text(const std::optional<T>& value) {
  if (!value) return "nothing";
  std::ostringstream out;
  out << *value;
  return out.str();
}

// One step of the case, as "Verb numbers..." (ships as "system role row"); gives its result.
std::string Step(BattleConfig& config, const std::string& step, Reporter& reporter) {
  std::istringstream in(step);
  std::string verb, role;
  std::size_t a = 0, b = 0;
  int number = 0;
  in >> verb;
  if (verb == "AddShip" || verb == "RemoveShip") {
    in >> number >> role >> a;
    const std::map<std::string, ShipRole> roles = {
        {"Friend", ShipRole::Friend}, {"Neutral", ShipRole::Neutral}, {"Hulk", ShipRole::Hulk}};
    std::vector<ShipEntry>& ships = SystemAt(config, number)->Ships(roles.at(role));
    return verb == "AddShip" ? Text(AddShip(ships, kShips, a, reporter))
                             : Text(RemoveShip(ships, a));
  }
  if (verb == "OpenSystemShips") {
    in >> number;
    const auto view = OpenSystemShips(config, number, SystemShipsKind::FriendsEnemies, kShips);
    const StarSystem* system = SystemAt(config, number);
    if (view.hasSystem && system) return system->name;
    const bool empty = view.title.empty() && view.upperRows.empty() && view.lowerRows.empty() &&
                       view.catalogRows.empty() && !system;
    return empty ? "nothing" : "half open";
  }
  if (verb == "NameShip") {  // "NameShip row|typed", without "|" cancelled
    std::string rest;
    std::getline(in >> std::ws, rest);
    const std::size_t bar = rest.find('|');
    std::vector<ShipEntry*> ships = {&config.player};
    for (ShipEntry& ship : config.escorts) ships.push_back(&ship);
    for (StarSystem& system : config.systems) {
      for (auto r : {ShipRole::Friend, ShipRole::Enemy, ShipRole::Neutral, ShipRole::Hulk}) {
        for (ShipEntry& ship : system.Ships(r)) ships.push_back(&ship);
      }
    }
    ShipEntry& ship = **std::ranges::find(ships, rest.substr(0, bar),
                                          [](const ShipEntry* s) { return FormatShipEntry(*s); });
    const auto typed =
        bar == std::string::npos ? std::nullopt : std::optional(rest.substr(bar + 1));
    const std::string named = Text(ApplyShipName(ship, config, typed, reporter));
    return named + " " + FormatShipEntry(ship);
  }
  if (verb == "CheckShipName") {
    std::string name;
    std::getline(in >> std::ws, name);
    return config.CheckShipName(name, true) ? "free" : "taken";
  }
  in >> a >> b;
  if (verb == "AddSystem") return Text(AddSystem(config, kSystems, a, reporter));
  if (verb == "RemoveSystem") {
    const std::string question = RemoveSystemQuestion(config, a);
    return question + Text(RemoveSystem(config, a));
  }
  if (verb == "MoveSystemUp") return Text(MoveSystemUp(config, a));
  if (verb == "MoveSystemDown") return Text(MoveSystemDown(config, a));
  if (verb == "ReplaceSystem") {
    const auto replacement = PrepareSystemReplacement(config, kSystems, a, b, reporter);
    if (!replacement) return "nothing";
    ReplaceSystem(config, *replacement);
    return replacement->question + replacement->note;
  }
  if (verb == "SelectPlayerClass") return Text(SelectPlayerClass(config, kShips, a));
  if (verb == "AddEscort") return Text(AddEscort(config, kShips, a, reporter));
  if (verb == "RemoveEscort") return Text(RemoveEscort(config, a));
  ADD_FAILURE() << "no step " << verb;
  return {};
}

class PageLogicCase : public testing::TestWithParam<test_support::Case> {};

TEST_P(PageLogicCase, StepsGive) {
  SCOPED_TRACE(GetParam().where);
  test::CaseBattle battle = test::ReadCaseBattle(GetParam(), {});
  for (const std::string& step : battle.steps) {
    RecordingReporter reporter;
    battle.shown.push_back(step + ": " + Step(battle.config, step, reporter));
    battle.ShowMessages(reporter);
  }
  const auto values = test_support::WrittenValues(battle.config);
  battle.shown.insert(battle.shown.end(), values.begin(), values.end());
  EXPECT_EQ(battle.shown, GetParam().expected);
}

VK7_CASES(PageLogicCase, "pages/cases/page_logic.txt");

// A player named without a class has no row, and the page cannot go on.
TEST(GeneralPageLogic, APlayerWithoutClass) {
  BattleConfig config;
  config.player = ShipEntry{"", "Ghost", false, true};
  EXPECT_EQ(OpenGeneralPage(config).playerRow, std::nullopt);
  EXPECT_FALSE(OpenGeneralPage(config).nextEnabled);
}

using test_support::Case;

class CoordinateFieldTest : public testing::TestWithParam<Case> {};

TEST_P(CoordinateFieldTest, KeepsAndStoresOrRefuses) {
  const Case& c = GetParam();
  SCOPED_TRACE(c.where);
  ASSERT_EQ(c.input.size(), 1u);
  for (std::size_t field = 0; field < 3; ++field) {
    CoordinateTexts typed = {"1", "2", "3"};
    typed[field] = c.input[0];
    CoordinateTexts accepted = {"old", "old", "old"};
    RecordingReporter reporter;
    const std::optional<std::size_t> refused = AcceptCoordinates(typed, accepted, reporter);
    if (c.expected.size() == 1) {
      EXPECT_EQ(refused, field);
      EXPECT_EQ(accepted, (CoordinateTexts{"old", "old", "old"}));
      EXPECT_EQ(reporter.Entries(), std::vector{test::ErrorEntry(c.expected[0])});
      continue;
    }
    typed[field] = c.expected[0];
    EXPECT_EQ(refused, std::nullopt);
    EXPECT_EQ(accepted, typed);
    EXPECT_TRUE(reporter.Entries().empty());
    EXPECT_EQ(CoordinateValue(accepted[field]), std::stoll(c.expected[1]));
    EXPECT_EQ(CoordinateValue(c.input[0]), std::stoll(c.expected[1]));
  }
}

VK7_CASES(CoordinateFieldTest, "pages/cases/coordinate_fields.txt");

}  // namespace
}  // namespace vk7
