#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "battle/battle_config.h"
#include "battle/reporter.h"
#include "content/ship_catalog.h"

// What the General page shows and what its buttons do to the battle, free of any toolkit.
// The page changes the battle at once; there is no "Ok" of its own.
namespace vk7 {

// The page as it opens on a battle.
struct GeneralPageView {
  std::string title;
  std::optional<std::string> playerRow;  // none until the player ship has a class
  std::vector<std::string> escortRows;
  bool nextEnabled = false;
  bool finishEnabled = false;
  bool operator==(const GeneralPageView&) const = default;
};

GeneralPageView OpenGeneralPage(const BattleConfig& config);

// "Select -->": the class at catalog row `row` becomes the player ship's class; its own name
// stays. False (nothing changed) when there is no such row.
bool SelectPlayerClass(BattleConfig& config, const ShipCatalog& ships, std::size_t row);

// "Add -->": appends an unnamed escort of the class at catalog row `row`. False when there is
// no such row, or, with "Out of memory!" reported, when the escort cannot be made.
bool AddEscort(BattleConfig& config, const ShipCatalog& ships, std::size_t row, Reporter& reporter);

// "Remove <--": removes escort `row` (from 0). False when there is no such escort.
bool RemoveEscort(BattleConfig& config, std::size_t row);

}  // namespace vk7
