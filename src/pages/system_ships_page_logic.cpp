#include "pages/system_ships_page_logic.h"

#include <iterator>
#include <new>
#include <utility>

#include "content/dialog_text.h"

namespace vk7 {

namespace {

const SystemShipsLayout kFriendsEnemies = {{ShipRole::Friend, "Friends", " class friendly ship"},
                                           {ShipRole::Enemy, "Enemies", " class enemy ship"},
                                           ">  -  Enemies and Friends"};

const SystemShipsLayout kNeutralsHulks = {{ShipRole::Neutral, "Neutrals", " class neutral ship"},
                                          {ShipRole::Hulk, "Hulks", " class hulk"},
                                          ">  -  Neutrals and Hulks"};

const StarSystem* SystemAt(const BattleConfig& config, int systemNumber) {
  if (systemNumber < 1 || static_cast<std::size_t>(systemNumber) > config.systems.size()) {
    return nullptr;
  }
  return &config.systems[static_cast<std::size_t>(systemNumber) - 1];
}

std::vector<std::string> Rows(const std::vector<ShipEntry>& ships) {
  std::vector<std::string> rows;
  rows.reserve(ships.size());
  for (const ShipEntry& ship : ships) rows.push_back(FormatShipEntry(ship));
  return rows;
}

}  // namespace

const SystemShipsLayout& LayoutOf(SystemShipsKind kind) {
  return kind == SystemShipsKind::FriendsEnemies ? kFriendsEnemies : kNeutralsHulks;
}

StarSystem* SystemAt(BattleConfig& config, int systemNumber) {
  return const_cast<StarSystem*>(SystemAt(std::as_const(config), systemNumber));
}

std::string SystemShipsTitle(const BattleConfig& config, int systemNumber, SystemShipsKind kind) {
  const StarSystem* system = SystemAt(config, systemNumber);
  if (system == nullptr) return {};
  return "Battle Configuration <" + config.name + ">  -  System " + std::to_string(systemNumber) +
         " of " + std::to_string(config.systems.size()) + " <" + system->name +
         LayoutOf(kind).titleEnding;
}

SystemShipsView OpenSystemShips(const BattleConfig& config, int systemNumber, SystemShipsKind kind,
                                const ShipCatalog& catalog) {
  SystemShipsView view;
  const StarSystem* system = SystemAt(config, systemNumber);
  if (system == nullptr) return view;
  const SystemShipsLayout& layout = LayoutOf(kind);
  view.hasSystem = true;
  view.title = SystemShipsTitle(config, systemNumber, kind);
  view.upperRows = Rows(system->Ships(layout.upper.role));
  view.lowerRows = Rows(system->Ships(layout.lower.role));
  catalog.FillShipClassList(view.catalogRows);
  return view;
}

std::optional<std::string> AddShip(std::vector<ShipEntry>& ships, const ShipCatalog& catalog,
                                   std::size_t catalogRow, Reporter& reporter) {
  const std::optional<std::string> shipClass = catalog.NameAt(catalogRow);
  if (!shipClass) return std::nullopt;
  try {
    ShipEntry ship;
    ship.shipClass = *shipClass;
    ship.hasClass = true;
    std::string row = FormatShipEntry(ship);
    // push_back leaves the list as it was when it throws.
    ships.push_back(std::move(ship));
    return row;
  } catch (const std::bad_alloc&) {
    reporter.Error("Error", "Out of memory!");
    return std::nullopt;
  }
}

bool RemoveShip(std::vector<ShipEntry>& ships, std::size_t row) {
  if (row >= ships.size()) return false;
  ships.erase(ships.begin() + static_cast<std::ptrdiff_t>(row));
  return true;
}

}  // namespace vk7
