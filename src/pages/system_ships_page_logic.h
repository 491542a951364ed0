#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "battle/battle_config.h"
#include "battle/reporter.h"
#include "content/ship_catalog.h"

// What the two system ships pages (friends and enemies, neutrals and hulks) show and what
// their buttons do to the model, free of any toolkit so that it can be checked on its own.
namespace vk7 {

enum class SystemShipsKind { FriendsEnemies, NeutralsHulks };

// One of a page's two ship lists.
struct ShipsSide {
  ShipRole role;
  const char* label;     // the list's label, also its accessible name
  const char* roleText;  // ends the ship-name prompt
};

struct SystemShipsLayout {
  ShipsSide upper;
  ShipsSide lower;
  const char* titleEnding;
};

const SystemShipsLayout& LayoutOf(SystemShipsKind kind);

// The system at 1-based `systemNumber`, or nullptr when there is none.
StarSystem* SystemAt(BattleConfig& config, int systemNumber);

// What the page shows when it opens. Without a system it shows nothing at all and keeps the
// title of its template (empty `title`).
struct SystemShipsView {
  bool hasSystem = false;
  std::string title;
  std::vector<std::string> upperRows;
  std::vector<std::string> lowerRows;
  std::vector<std::string> catalogRows;
};

SystemShipsView OpenSystemShips(const BattleConfig& config, int systemNumber, SystemShipsKind kind,
                                const ShipCatalog& catalog);

// "Battle Configuration <name>  -  System n of m <system" + the page's title ending.
std::string SystemShipsTitle(const BattleConfig& config, int systemNumber, SystemShipsKind kind);

// "Add -->": appends an unnamed ship of the class at `catalogRow` and returns its row text.
// Nothing when the row is no catalog entry, or when memory ran out ("Out of memory!" has
// been reported); `ships` is unchanged then.
std::optional<std::string> AddShip(std::vector<ShipEntry>& ships, const ShipCatalog& catalog,
                                   std::size_t catalogRow, Reporter& reporter);

// "Remove <--": destroys the ship at `row`; false when there is none.
bool RemoveShip(std::vector<ShipEntry>& ships, std::size_t row);

}  // namespace vk7
