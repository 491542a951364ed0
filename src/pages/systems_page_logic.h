#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "battle/battle_config.h"
#include "battle/reporter.h"
#include "content/system_catalog.h"

// What the Systems page shows and what its buttons do to the battle's systems, free of any
// toolkit. The page changes the battle at once; there is no "Ok" of its own.
namespace vk7 {

inline constexpr const char* kSystemAlreadyContained =
    "This system is already contained in your battle configuration!";

struct SystemsPageView {
  std::string title;
  std::vector<std::string> systemRows;  // row k is system k + 1
  bool operator==(const SystemsPageView&) const = default;
};

SystemsPageView OpenSystemsPage(const BattleConfig& config);

// Which buttons may be pressed, given whether a row of "Available Systems" and a row of
// "Systems" are selected.
struct SystemsPageButtons {
  bool add = false;
  bool replace = false;
  bool remove = false;
  bool edit = false;
  bool up = false;
  bool down = false;
  bool next = false;
  bool finish = false;
  bool operator==(const SystemsPageButtons&) const = default;
};

SystemsPageButtons SystemsPageEnables(const BattleConfig& config, bool catalogRowSelected,
                                      bool systemRowSelected);

// "Add -->": appends the catalog system at `catalogRow` as a new, empty system. False when
// there is no such row or the battle is full, and, with an error reported, when the battle
// already has a system of that name (case ignored) or memory runs out.
bool AddSystem(BattleConfig& config, const SystemCatalog& systems, std::size_t catalogRow,
               Reporter& reporter);

// "Replace -->" asks before it replaces; this is what it would ask about.
struct SystemReplacement {
  std::size_t index = 0;  // in `systems`, from 0
  std::string newName;
  std::string question;  // "Old by New ?"
  std::string note;      // what replacing drops
  bool operator==(const SystemReplacement&) const = default;
};

// Nothing when there is nothing to ask: no such rows, the same name in other letter case, or
// a name already in the battle (that error is reported).
std::optional<SystemReplacement> PrepareSystemReplacement(const BattleConfig& config,
                                                          const SystemCatalog& systems,
                                                          std::size_t catalogRow,
                                                          std::size_t systemIndex,
                                                          Reporter& reporter);

// After "Yes": the system takes the new name and loses the positions given by planets;
// its ships, dialog lines, options and coordinates stay.
void ReplaceSystem(BattleConfig& config, SystemReplacement replacement);

// The object text of DELETEBOX for system `index`.
std::string RemoveSystemQuestion(const BattleConfig& config, std::size_t index);

// After "Yes": removes system `index` with everything in it. False when there is none.
bool RemoveSystem(BattleConfig& config, std::size_t index);

// "Up" / "Down": swaps system `index` with its neighbour and returns its new index; nothing
// when it already stands first (last) or does not exist.
std::optional<std::size_t> MoveSystemUp(BattleConfig& config, std::size_t index);
std::optional<std::size_t> MoveSystemDown(BattleConfig& config, std::size_t index);

}  // namespace vk7
