#include "battle/consistency_rules.h"

namespace vk7 {

std::optional<std::string> StatisticModeViolation(const StarSystem& system) {
  if (!system.battleModeDefined || system.battleMode != BattleMode::Stat) return std::nullopt;
  int given = 0;
  for (const ShipRole role : {ShipRole::Friend, ShipRole::Enemy, ShipRole::Neutral}) {
    const PositionFields<true> p = system.Position(role);
    if (p.coordsDefined || p.planetDefined) ++given;
  }
  if (given >= 2) {
    return "You cannot define FriendPosition, EnemyPosition or NeutralPosition at the same time "
           "when using statistic battle mode in system " +
           system.name;
  }
  if (system.enemies.empty() || system.friends.empty()) {
    return "At least one system resident friend and enemy must be defined when using statistic "
           "battle mode in system " +
           system.name;
  }
  if (system.friendWarpInDefined) {
    return "FriendAction = WarpInAfter not allowed when using statistic battle mode in system " +
           system.name;
  }
  if (system.friendJoinEscortDefined) {
    return "FriendAction = JoinEscortAfter not allowed when using statistic battle mode in "
           "system " +
           system.name;
  }
  return std::nullopt;
}

bool CheckStatisticMode(const StarSystem& system) {
  return !StatisticModeViolation(system).has_value();
}

std::optional<std::string> FriendExitViolation(const StarSystem& system) {
  if (system.friendJoinEscortDefined && system.friendWarpOutDefined) {
    return "FriendAction = WarpOutAfter and FriendAction = JoinEscortAfter cannot be defined at "
           "the same time in system " +
           system.name;
  }
  return std::nullopt;
}

}  // namespace vk7
