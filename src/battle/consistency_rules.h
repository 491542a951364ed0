#pragma once

#include <optional>
#include <string>

#include "battle/battle_config.h"

// Rules that span several lines of a battle file: they close a system section and are
// applied again, silently, when the editor finishes a battle.
namespace vk7 {

// The message of the first statistic battle mode rule that `system` breaks, or nothing
// (always nothing for a system that is not in statistic mode).
std::optional<std::string> StatisticModeViolation(const StarSystem& system);

// Whether `system` obeys the statistic battle mode rules.
bool CheckStatisticMode(const StarSystem& system);

// The message when the friends of `system` both warp out and join the escort, or nothing.
std::optional<std::string> FriendExitViolation(const StarSystem& system);

}  // namespace vk7
