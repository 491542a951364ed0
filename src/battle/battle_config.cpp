#include "battle/battle_config.h"

#include <type_traits>
#include <unordered_map>
#include <utility>

#include "battle/string_helpers.h"

namespace vk7 {

namespace {

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

template <typename System>
PositionFields<std::is_const_v<System>> PositionOf(System& s, ShipRole role) {
  switch (role) {
    case ShipRole::Friend:
      return {s.friendPosition, s.friendCoordsDefined, s.friendPlanetDefined};
    case ShipRole::Enemy:
      return {s.enemyPosition, s.enemyCoordsDefined, s.enemyPlanetDefined};
    case ShipRole::Neutral:
      return {s.neutralPosition, s.neutralCoordsDefined, s.neutralPlanetDefined};
    case ShipRole::Hulk:
      return {s.hulkPosition, s.hulkCoordsDefined, s.hulkPlanetDefined};
    default:
      return {s.playerPosition, s.playerCoordsDefined, s.playerPlanetDefined};
  }
}

template <typename System>
TimeFields<std::is_const_v<System>> ActionTimeOf(System& s, ShipRole role, ShipAction action) {
  if (role == ShipRole::Enemy && action != ShipAction::JoinEscort) {
    if (action == ShipAction::WarpIn) return {s.enemyWarpInAfter, s.enemyWarpInDefined};
    return {s.enemyWarpOutAfter, s.enemyWarpOutDefined};
  }
  if (role == ShipRole::Neutral && action != ShipAction::JoinEscort) {
    if (action == ShipAction::WarpIn) return {s.neutralWarpInAfter, s.neutralWarpInDefined};
    return {s.neutralWarpOutAfter, s.neutralWarpOutDefined};
  }
  switch (action) {
    case ShipAction::WarpIn:
      return {s.friendWarpInAfter, s.friendWarpInDefined};
    case ShipAction::WarpOut:
      return {s.friendWarpOutAfter, s.friendWarpOutDefined};
    default:
      return {s.friendJoinEscortAfter, s.friendJoinEscortDefined};
  }
}

template <typename System>
SwitchFields<std::is_const_v<System>> WarpDisableOf(System& s, ShipRole role) {
  switch (role) {
    case ShipRole::Friend:
      return {s.warpDisableFriend, s.warpDisableFriendDefined};
    case ShipRole::Enemy:
      return {s.warpDisableEnemy, s.warpDisableEnemyDefined};
    case ShipRole::Neutral:
      return {s.warpDisableNeutral, s.warpDisableNeutralDefined};
    default:
      return {s.warpDisablePlayer, s.warpDisablePlayerDefined};
  }
}

}  // namespace

PositionFields<false> StarSystem::Position(ShipRole role) {
  return PositionOf(*this, role);
}
PositionFields<true> StarSystem::Position(ShipRole role) const {
  return PositionOf(*this, role);
}
TimeFields<false> StarSystem::ActionTime(ShipRole role, ShipAction action) {
  return ActionTimeOf(*this, role, action);
}
TimeFields<true> StarSystem::ActionTime(ShipRole role, ShipAction action) const {
  return ActionTimeOf(*this, role, action);
}
SwitchFields<false> StarSystem::WarpDisable(ShipRole role) {
  return WarpDisableOf(*this, role);
}
SwitchFields<true> StarSystem::WarpDisable(ShipRole role) const {
  return WarpDisableOf(*this, role);
}

void StarSystem::ClearListsKeepingRoom() {
  for (ShipRole role : kResidentRoles) Ships(role).clear();
  for (auto& lines : dialogs) lines.clear();
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
