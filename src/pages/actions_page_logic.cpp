#include "pages/actions_page_logic.h"

namespace vk7 {

ActionsPageState OpeningActionsState(const StarSystem& s) {
  ActionsPageState state;
  OpenWarpIn(s.ActionTime(ShipRole::Friend, ShipAction::WarpIn), state.friendWarpIn,
             state.friendWarpInTime);
  OpenWarpIn(s.ActionTime(ShipRole::Enemy, ShipAction::WarpIn), state.enemyWarpIn,
             state.enemyWarpInTime);
  OpenWarpOut(s.ActionTime(ShipRole::Enemy, ShipAction::WarpOut), state.enemyWarpOut,
              state.enemyWarpOutTime);
  // A file may define both a warp-out and a join-escort; the warp-out wins here and "OK"
  // then keeps only that one.
  const TimeFields<true> warpOut = s.ActionTime(ShipRole::Friend, ShipAction::WarpOut);
  const TimeFields<true> joinEscort = s.ActionTime(ShipRole::Friend, ShipAction::JoinEscort);
  if (warpOut.defined) {
    if (warpOut.after >= 0) {
      state.friendExit = FriendExitChoice::WarpOutAfter;
      state.friendWarpOutTime = FormatActionTime(warpOut.after);
    } else {
      state.friendExit = FriendExitChoice::WarpOutAfterCleared;
    }
  } else if (joinEscort.defined) {
    if (joinEscort.after >= 0) {
      state.friendExit = FriendExitChoice::JoinEscortAfter;
      state.joinEscortTime = FormatActionTime(joinEscort.after);
    } else {
      state.friendExit = FriendExitChoice::JoinEscortAfterCleared;
    }
  }
  return state;
}

namespace {

// The friends leave by warping out or by joining the escort, never both.
bool ApplyFriendExit(const ActionsPageState& state, StarSystem& s, Reporter& reporter) {
  const TimeFields<false> warpOut = s.ActionTime(ShipRole::Friend, ShipAction::WarpOut);
  const TimeFields<false> joinEscort = s.ActionTime(ShipRole::Friend, ShipAction::JoinEscort);
  const WarpInTiming warpIn = WarpInOf(s, ShipRole::Friend);
  switch (state.friendExit) {
    case FriendExitChoice::Never:
      warpOut.defined = false;
      joinEscort.defined = false;
      return true;
    case FriendExitChoice::WarpOutAfter:
      joinEscort.defined = false;
      return ApplyTimeAfterWarpIn(
          state.friendWarpOutTime, warpOut, warpIn,
          "You have not specified a warp out time for friends!",
          "The friend warp out time you have specified is less than the warp in time. Under "
          "these circumstances the script will execute the warp out immediately after the warp "
          "in!",
          reporter);
    case FriendExitChoice::WarpOutAfterCleared:
      joinEscort.defined = false;
      warpOut.after = kCleared;
      warpOut.defined = true;
      return true;
    case FriendExitChoice::JoinEscortAfter:
      warpOut.defined = false;
      return ApplyTimeAfterWarpIn(
          state.joinEscortTime, joinEscort, warpIn,
          "You have not specified a join escort time for friends!",
          "The join escort time you have specified is less than the warp in time. Under these "
          "circumstances the script will execute the join escort immediately after the warp in!",
          reporter);
    case FriendExitChoice::JoinEscortAfterCleared:
      warpOut.defined = false;
      joinEscort.after = kCleared;
      joinEscort.defined = true;
      return true;
  }
  return true;
}

}  // namespace

bool ApplyActions(const ActionsPageState& state, StarSystem& s, Reporter& reporter) {
  if (!ApplyWarpIn(state.friendWarpIn, state.friendWarpInTime,
                   s.ActionTime(ShipRole::Friend, ShipAction::WarpIn),
                   "You have not specified a warp in time for friends!", reporter)) {
    return false;
  }
  if (!ApplyWarpIn(state.enemyWarpIn, state.enemyWarpInTime,
                   s.ActionTime(ShipRole::Enemy, ShipAction::WarpIn),
                   "You have not specified a warp in time for enemies!", reporter)) {
    return false;
  }
  if (!ApplyWarpOut(state.enemyWarpOut, state.enemyWarpOutTime,
                    s.ActionTime(ShipRole::Enemy, ShipAction::WarpOut),
                    WarpInOf(s, ShipRole::Enemy),
                    "You have not specified a warp out time for enemies!",
                    "The enemy warp out time you have specified is less than the warp in time. "
                    "Under these circumstances the script will execute the warp out immediately "
                    "after the warp in!",
                    reporter)) {
    return false;
  }
  return ApplyFriendExit(state, s, reporter);
}

}  // namespace vk7
