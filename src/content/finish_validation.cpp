#include "content/finish_validation.h"

#include "battle/consistency_rules.h"

namespace vk7 {

namespace {

const char* RoleText(ShipRole role) {
  switch (role) {
    case ShipRole::Player:
      return "player ship name ";
    case ShipRole::Escort:
      return "escort ship name ";
    case ShipRole::Friend:
      return "friend ship name ";
    case ShipRole::Enemy:
      return "enemy ship name ";
    case ShipRole::Neutral:
      return "neutral ship name ";
    case ShipRole::Hulk:
      return "hulk ship name ";
  }
  return "";
}

}  // namespace

std::string DefaultNameConflictText(const DefaultNameConflict& conflict) {
  std::string text = "Your ";
  text += RoleText(conflict.named.role);
  text += conflict.name;
  if (conflict.named.systemNumber != 0) {
    text += " defined in system " + std::to_string(conflict.named.systemNumber);
  }
  text += " conflicts with a default ";
  text += RoleText(conflict.other.role);
  if (conflict.other.systemNumber != 0) {
    text += " in system " + std::to_string(conflict.other.systemNumber);
  }
  text += ". Please change this name!";
  return text;
}

bool CheckFinishAndForceAiMode(BattleConfig& config, Reporter& reporter) {
  DefaultNameConflict conflict;
  if (config.FindDefaultNameConflict(&conflict)) {
    reporter.Error("Error", DefaultNameConflictText(conflict));
    return false;
  }
  std::string forced;
  for (StarSystem& system : config.systems) {
    if (CheckStatisticMode(system)) continue;
    system.battleMode = BattleMode::AI;
    system.battleModeDefined = true;
    if (!forced.empty()) forced += ", ";
    forced += system.name;
  }
  if (!forced.empty()) {
    reporter.Message(
        "Warning",
        "Using the statistical battle mode for a system introduces some restrictions (no "
        "player-, enemy- or friend-position at the same time, at least one friend and enemy, no "
        "warp-in or join-escort for friends). These restrictions are violated in the following "
        "system(s): " +
            forced + ". The Battle mode has been automatically forced to AI for these systems!");
  }
  return true;
}

}  // namespace vk7
