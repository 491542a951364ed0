#pragma once

#include <string>

#include "battle/battle_config.h"
#include "battle/reporter.h"

namespace vk7 {

// What finishing a battle checks and mends before it is saved:
// 1. no ship's own name may equal the default name of another ship (error, returns false,
//    nothing changed);
// 2. a system in statistic battle mode that breaks its rules is switched to AI in `config`,
//    with one warning naming all such systems (returns true). The switch stays even when the
//    user then goes back to the pages.
bool CheckFinishAndForceAiMode(BattleConfig& config, Reporter& reporter);

// The error text for a default-name clash: "Your player ship name X conflicts with ...".
std::string DefaultNameConflictText(const DefaultNameConflict& conflict);

}  // namespace vk7
