#include "pages/actions_page_logic.h"

namespace vk7 {

ActionsPageState OpeningActionsState(const StarSystem& s) {
  ActionsPageState state;
  if (s.friendWarpInDefined) {
    state.friendWarpIn = WarpInChoice::After;
    state.friendWarpInTime = FormatActionTime(s.friendWarpInAfter);
  }
  if (s.enemyWarpInDefined) {
    state.enemyWarpIn = WarpInChoice::After;
    state.enemyWarpInTime = FormatActionTime(s.enemyWarpInAfter);
  }
  if (s.enemyWarpOutDefined) {
    if (s.enemyWarpOutAfter >= 0) {
      state.enemyWarpOut = WarpOutChoice::After;
      state.enemyWarpOutTime = FormatActionTime(s.enemyWarpOutAfter);
    } else {
      state.enemyWarpOut = WarpOutChoice::AfterCleared;
    }
  }
  // A file may define both a warp-out and a join-escort; the warp-out wins here and "OK"
  // then keeps only that one.
  if (s.friendWarpOutDefined) {
    if (s.friendWarpOutAfter >= 0) {
      state.friendExit = FriendExitChoice::WarpOutAfter;
      state.friendWarpOutTime = FormatActionTime(s.friendWarpOutAfter);
    } else {
      state.friendExit = FriendExitChoice::WarpOutAfterCleared;
    }
  } else if (s.friendJoinEscortDefined) {
    if (s.friendJoinEscortAfter >= 0) {
      state.friendExit = FriendExitChoice::JoinEscortAfter;
      state.joinEscortTime = FormatActionTime(s.friendJoinEscortAfter);
    } else {
      state.friendExit = FriendExitChoice::JoinEscortAfterCleared;
    }
  }
  return state;
}

bool ApplyActions(const ActionsPageState& state, StarSystem& s, Reporter& reporter) {
  if (!ApplyWarpIn(state.friendWarpIn, state.friendWarpInTime, s.friendWarpInAfter,
                   s.friendWarpInDefined, "You have not specified a warp in time for friends!",
                   reporter)) {
    return false;
  }
  if (!ApplyWarpIn(state.enemyWarpIn, state.enemyWarpInTime, s.enemyWarpInAfter,
                   s.enemyWarpInDefined, "You have not specified a warp in time for enemies!",
                   reporter)) {
    return false;
  }
  if (!ApplyWarpOut(state.enemyWarpOut, state.enemyWarpOutTime, s.enemyWarpOutAfter,
                    s.enemyWarpOutDefined, {s.enemyWarpInDefined, s.enemyWarpInAfter},
                    "You have not specified a warp out time for enemies!",
                    "The enemy warp out time you have specified is less than the warp in time. "
                    "Under these circumstances the script will execute the warp out immediately "
                    "after the warp in!",
                    reporter)) {
    return false;
  }

  const WarpInTiming friendWarpIn{s.friendWarpInDefined, s.friendWarpInAfter};
  switch (state.friendExit) {
    case FriendExitChoice::Never:
      s.friendWarpOutDefined = false;
      s.friendJoinEscortDefined = false;
      return true;
    case FriendExitChoice::WarpOutAfter:
      s.friendJoinEscortDefined = false;
      return ApplyTimeAfterWarpIn(
          state.friendWarpOutTime, s.friendWarpOutAfter, s.friendWarpOutDefined, friendWarpIn,
          "You have not specified a warp out time for friends!",
          "The friend warp out time you have specified is less than the warp in time. Under "
          "these circumstances the script will execute the warp out immediately after the warp "
          "in!",
          reporter);
    case FriendExitChoice::WarpOutAfterCleared:
      s.friendJoinEscortDefined = false;
      s.friendWarpOutAfter = kCleared;
      s.friendWarpOutDefined = true;
      return true;
    case FriendExitChoice::JoinEscortAfter:
      s.friendWarpOutDefined = false;
      return ApplyTimeAfterWarpIn(
          state.joinEscortTime, s.friendJoinEscortAfter, s.friendJoinEscortDefined, friendWarpIn,
          "You have not specified a join escort time for friends!",
          "The join escort time you have specified is less than the warp in time. Under these "
          "circumstances the script will execute the join escort immediately after the warp in!",
          reporter);
    case FriendExitChoice::JoinEscortAfterCleared:
      s.friendWarpOutDefined = false;
      s.friendJoinEscortAfter = kCleared;
      s.friendJoinEscortDefined = true;
      return true;
  }
  return true;
}

}  // namespace vk7
