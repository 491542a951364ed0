#pragma once

#include <string>

#include "battle/battle_config.h"
#include "battle/reporter.h"
#include "pages/action_time.h"

// What the friend and enemy actions page decides: the state its controls open with, and what
// "OK" stores in the system, with its errors and warnings.
namespace vk7 {

// How the friends leave the system, if at all; they either warp out or join the escort.
enum class FriendExitChoice {
  Never,
  WarpOutAfter,
  WarpOutAfterCleared,
  JoinEscortAfter,
  JoinEscortAfterCleared
};

// The page's input: one choice per group and the texts of the time edits (empty when the
// edit has nothing to show).
struct ActionsPageState {
  WarpInChoice friendWarpIn = WarpInChoice::Initially;
  std::string friendWarpInTime;
  WarpInChoice enemyWarpIn = WarpInChoice::Initially;
  std::string enemyWarpInTime;
  WarpOutChoice enemyWarpOut = WarpOutChoice::Never;
  std::string enemyWarpOutTime;
  FriendExitChoice friendExit = FriendExitChoice::Never;
  std::string friendWarpOutTime;
  std::string joinEscortTime;
  bool operator==(const ActionsPageState&) const = default;
};

// The state the page opens with. Reading the system never changes it.
ActionsPageState OpeningActionsState(const StarSystem& system);

// "OK": stores the groups in order (friend warp-in, enemy warp-in, enemy warp-out, friend
// exit). An empty wanted time is an error that stops at once, keeping what the groups before
// it stored; warnings go on. True when everything was stored.
bool ApplyActions(const ActionsPageState& state, StarSystem& system, Reporter& reporter);

}  // namespace vk7
