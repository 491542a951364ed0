#pragma once

#include <string>
#include <vector>

#include "battle/battle_config.h"
#include "content/ship_catalog.h"
#include "content/system_catalog.h"

namespace vk7 {

// The ship classes, planets and systems a battle uses that the catalogs do not know, each
// with the places where it is used.
struct CheckResult {
  std::vector<std::string> missingShipClasses;  // each once, first spelling
  std::vector<std::string> shipDetails;         // one row per use
  std::vector<std::string> missingPlanets;      // each once, first spelling
  std::vector<std::string> planetDetails;       // one row per use
  std::vector<std::string> missingSystems;      // one row per unknown system, in battle order
  bool anyMissing = false;
  bool operator==(const CheckResult&) const = default;
};

// Checks a battle against loaded catalogs; never changes anything. Linear in the size of the
// battle.
CheckResult CheckBattle(const BattleConfig& config, const ShipCatalog& ships,
                        const SystemCatalog& systems);

// The detail rows the check adds for one use of a missing class or planet; `systemName` is
// unused for the player and the escort. The overview finds the uses it marks by them.
std::string ShipDetailRow(const std::string& shipClass, ShipRole role,
                          const std::string& systemName);
std::string PlanetDetailRow(const std::string& planet, ShipRole role,
                            const std::string& systemName);

}  // namespace vk7
