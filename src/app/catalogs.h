#pragma once

#include "battle/game_folder.h"
#include "battle/reporter.h"
#include "content/ship_catalog.h"
#include "content/system_catalog.h"

namespace vk7 {

// The program's two catalogs: read once, on first need, and kept for the rest of the run.
struct Catalogs {
  ShipCatalog ships;
  SystemCatalog systems;

  // Ship classes first; false after the failing catalog showed its error.
  bool Load(const GameFolder& game, Reporter& reporter) {
    return ships.Load(game, reporter) && systems.Load(game, reporter);
  }
};

}  // namespace vk7
