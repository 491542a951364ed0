#include "battle/battle_config.h"

#include <unordered_map>
#include <utility>

#include "battle/string_helpers.h"

namespace vk7 {

namespace {

constexpr std::array<ShipRole, 4> kResidentRoles = {ShipRole::Friend, ShipRole::Enemy,
                                                    ShipRole::Neutral, ShipRole::Hulk};

// Visits every ship in search order, with its location and 1-based list position, until
// `visit` returns true. Returns whether it did.
template <typename Visit>
bool VisitShips(const BattleConfig& config, Visit&& visit) {
  if (visit(config.player, ShipLocation{0, ShipRole::Player}, 1u)) return true;
  std::uint32_t position = 0;
  for (const ShipEntry& escort : config.escorts) {
    if (visit(escort, ShipLocation{0, ShipRole::Escort}, ++position)) return true;
  }
  std::uint32_t systemNumber = 0;
  for (const StarSystem& system : config.systems) {
    ++systemNumber;
    for (ShipRole role : kResidentRoles) {
      position = 0;
      for (const ShipEntry& ship : system.Ships(role)) {
        if (visit(ship, ShipLocation{systemNumber, role}, ++position)) return true;
      }
    }
  }
  return false;
}

}  // namespace

std::vector<ShipEntry>& StarSystem::Ships(ShipRole role) {
  return const_cast<std::vector<ShipEntry>&>(std::as_const(*this).Ships(role));
}

const std::vector<ShipEntry>& StarSystem::Ships(ShipRole role) const {
  switch (role) {
    case ShipRole::Enemy:
      return enemies;
    case ShipRole::Neutral:
      return neutrals;
    case ShipRole::Hulk:
      return hulks;
    default:
      return friends;
  }
}

bool BattleConfig::InitNew() {
  remarks.emplace_back(kCreatedByRemark);
  return true;
}

std::string BattleConfig::DefaultShipName(const ShipEntry& ship, ShipRole role,
                                          std::uint32_t systemNumber, std::uint32_t position) {
  switch (role) {
    case ShipRole::Player:
      return ship.shipClass + " P";
    case ShipRole::Escort:
      return ship.shipClass + " E" + std::to_string(position);
    default:
      break;
  }
  char letter = 'F';
  if (role == ShipRole::Enemy) letter = 'O';
  if (role == ShipRole::Neutral) letter = 'N';
  if (role == ShipRole::Hulk) letter = 'H';
  return ship.shipClass + ' ' + letter + std::to_string(systemNumber) + '.' +
         std::to_string(position);
}

bool BattleConfig::CheckShipName(const std::string& shipName, bool againstDefaults,
                                 ShipLocation* clash) const {
  return !VisitShips(*this, [&](const ShipEntry& ship, ShipLocation where, std::uint32_t pos) {
    if (ship.hasName == againstDefaults) return false;
    const bool same = againstDefaults
                          ? DefaultShipName(ship, where.role, where.systemNumber, pos) == shipName
                          : ship.name == shipName;
    if (same && clash != nullptr) *clash = where;
    return same;
  });
}

bool BattleConfig::FindDefaultNameConflict(DefaultNameConflict* conflict) const {
  // One pass collects the default names (the first ship of a name wins, as the search
  // order would find it), a second looks every own name up.
  std::unordered_map<std::string, ShipLocation> defaults;
  VisitShips(*this, [&](const ShipEntry& ship, ShipLocation where, std::uint32_t pos) {
    if (!ship.hasName) {
      defaults.try_emplace(DefaultShipName(ship, where.role, where.systemNumber, pos), where);
    }
    return false;
  });
  if (defaults.empty()) return false;
  return VisitShips(*this, [&](const ShipEntry& ship, ShipLocation where, std::uint32_t) {
    if (!ship.hasName) return false;
    const auto found = defaults.find(ship.name);
    if (found == defaults.end()) return false;
    if (conflict != nullptr) *conflict = DefaultNameConflict{where, found->second, ship.name};
    return true;
  });
}

bool BattleConfig::HasSystem(const std::string& systemName) const {
  for (const StarSystem& system : systems) {
    if (system.nameDefined && EqualsIgnoreCase(system.name, systemName)) return true;
  }
  return false;
}

}  // namespace vk7
