#include "pages/neutral_behavior_page_logic.h"

namespace vk7 {

NeutralBehaviorPageState OpeningNeutralBehaviorState(const StarSystem& s) {
  NeutralBehaviorPageState state;
  if (s.neutralBehaviorDefined) {
    switch (s.neutralBehavior) {
      case NeutralBehavior::EnemyWhenAttacked:
        break;
      case NeutralBehavior::EnemyAfter:
      case NeutralBehavior::FriendAfter:
        state.behavior = s.neutralBehavior;
        state.behaviorTime = FormatActionTime(s.neutralBehaviorTime);
        break;
      default:
        state.behavior = NeutralBehavior::Random;
        break;
    }
  }
  if (s.neutralWarpInDefined) {
    state.warpIn = WarpInChoice::After;
    state.warpInTime = FormatActionTime(s.neutralWarpInAfter);
  }
  if (s.neutralWarpOutDefined) {
    if (s.neutralWarpOutAfter >= 0) {
      state.warpOut = WarpOutChoice::After;
      state.warpOutTime = FormatActionTime(s.neutralWarpOutAfter);
    } else {
      state.warpOut = WarpOutChoice::AfterCleared;
    }
  }
  return state;
}

bool ApplyNeutralBehavior(const NeutralBehaviorPageState& state, StarSystem& s,
                          Reporter& reporter) {
  if (!ApplyWarpIn(state.warpIn, state.warpInTime, s.neutralWarpInAfter, s.neutralWarpInDefined,
                   "You have not specified a warp in time!", reporter)) {
    return false;
  }
  const WarpInTiming warpIn{s.neutralWarpInDefined, s.neutralWarpInAfter};
  if (!ApplyWarpOut(state.warpOut, state.warpOutTime, s.neutralWarpOutAfter,
                    s.neutralWarpOutDefined, warpIn, "You have not specified a warp out time!",
                    "The neutral warp out time you have specified is less than the warp in "
                    "time. Under these circumstances the script will execute the warp out "
                    "immediately after the warp in!",
                    reporter)) {
    return false;
  }

  // The behaviour counts even when its time turns out to be missing; the time fields stay as
  // they were for the two behaviours that need none.
  s.neutralBehavior = state.behavior;
  s.neutralBehaviorDefined = true;
  if (state.behavior != NeutralBehavior::EnemyAfter &&
      state.behavior != NeutralBehavior::FriendAfter) {
    return true;
  }
  return ApplyTimeAfterWarpIn(
      state.behaviorTime, s.neutralBehaviorTime, s.neutralBehaviorTimeDefined, warpIn,
      "You have not specified a time for the behavior change!",
      "The time for the behavior change you have specified is less than the warp in time. Under "
      "these circumstances the script will execute the behavior change immediately after the "
      "warp in!",
      reporter);
}

}  // namespace vk7
