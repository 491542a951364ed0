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
  OpenWarpIn(s.ActionTime(ShipRole::Neutral, ShipAction::WarpIn), state.warpIn, state.warpInTime);
  OpenWarpOut(s.ActionTime(ShipRole::Neutral, ShipAction::WarpOut), state.warpOut,
              state.warpOutTime);
  return state;
}

bool ApplyNeutralBehavior(const NeutralBehaviorPageState& state, StarSystem& s,
                          Reporter& reporter) {
  if (!ApplyWarpIn(state.warpIn, state.warpInTime,
                   s.ActionTime(ShipRole::Neutral, ShipAction::WarpIn),
                   "You have not specified a warp in time!", reporter)) {
    return false;
  }
  const WarpInTiming warpIn = WarpInOf(s, ShipRole::Neutral);
  if (!ApplyWarpOut(state.warpOut, state.warpOutTime,
                    s.ActionTime(ShipRole::Neutral, ShipAction::WarpOut), warpIn,
                    "You have not specified a warp out time!",
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
      state.behaviorTime, TimeFields<false>{s.neutralBehaviorTime, s.neutralBehaviorTimeDefined},
      warpIn, "You have not specified a time for the behavior change!",
      "The time for the behavior change you have specified is less than the warp in time. Under "
      "these circumstances the script will execute the behavior change immediately after the "
      "warp in!",
      reporter);
}

}  // namespace vk7
