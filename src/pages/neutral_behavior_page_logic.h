#pragma once

#include <string>

#include "battle/battle_config.h"
#include "battle/reporter.h"
#include "pages/action_time.h"

// What the neutral actions and behaviour page decides: the state its controls open with, and
// what "OK" stores in the system, with its errors and warnings.
namespace vk7 {

// The page's input: one choice per group and the texts of the time edits (empty when the
// edit has nothing to show). The behaviour time edit serves "Enemy after" and "Friend after".
struct NeutralBehaviorPageState {
  WarpInChoice warpIn = WarpInChoice::Initially;
  std::string warpInTime;
  WarpOutChoice warpOut = WarpOutChoice::Never;
  std::string warpOutTime;
  NeutralBehavior behavior = NeutralBehavior::EnemyWhenAttacked;
  std::string behaviorTime;
  bool operator==(const NeutralBehaviorPageState&) const = default;
};

// The state the page opens with. A behaviour value outside the four known ones shows as
// Random.
NeutralBehaviorPageState OpeningNeutralBehaviorState(const StarSystem& system);

// "OK": stores warp-in, warp-out and behaviour in this order. An empty wanted time is an error
// that stops at once, keeping what was stored before it (the behaviour itself is stored
// before its time is read); warnings go on. True when everything was stored.
bool ApplyNeutralBehavior(const NeutralBehaviorPageState& state, StarSystem& system,
                          Reporter& reporter);

}  // namespace vk7
