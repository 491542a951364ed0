#include "content/battle_name.h"

#include "content/battle_index.h"

namespace vk7 {

bool CheckBattleName(const std::string& name, Reporter& reporter) {
  if (BattleIndex::IsSafeName(name)) return true;
  reporter.Error("Error", "The name \"" + name +
                              "\" cannot be used for a battle. A battle name must not contain "
                              "\"/\" or \"\\\" and must not be \".\" or \"..\".");
  return false;
}

}  // namespace vk7
