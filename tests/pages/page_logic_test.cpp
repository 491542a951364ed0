// The decisions of the general, systems and system ships pages the widgets cannot reach (rows
// past a list, numbers without a system), from pages/cases/page_logic.txt.
#include <gtest/gtest.h>
#include <map>
#include <sstream>

#include "pages/general_page_logic.h"
#include "pages/page_test_support.h"
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

}  // namespace
}  // namespace vk7
