#pragma once

#include <string>

#include "battle/battle_config.h"
#include "battle/reporter.h"

namespace vk7 {

// What finishing a battle checks before it is saved:
// 1. no ship's own name may equal the default name of another ship (error, returns false,
//    nothing changed);
// 2. a system in statistic battle mode that breaks its rules is switched to AI, with one
//    warning naming all such systems (returns true).
bool ValidateFinish(BattleConfig& config, Reporter& reporter);

// The error text for a default-name clash: "Your player ship name X conflicts with ...".
std::string DefaultNameConflictText(const DefaultNameConflict& conflict);

}  // namespace vk7
