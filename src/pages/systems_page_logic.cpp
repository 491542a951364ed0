#include "pages/systems_page_logic.h"

#include <iterator>
#include <new>
#include <utility>

#include "battle/string_helpers.h"
#include "content/dialog_text.h"

namespace vk7 {

SystemsPageView OpenSystemsPage(const BattleConfig& config) {
  SystemsPageView view;
  view.title = "Battle Configuration <" + config.name + ">  -  Systems ";
  view.systemRows.reserve(config.systems.size());
  for (const StarSystem& system : config.systems) {
    view.systemRows.push_back(FormatStarSystem(system));
  }
  return view;
}

SystemsPageButtons SystemsPageEnables(const BattleConfig& config, bool catalogRowSelected,
                                      bool systemRowSelected) {
  SystemsPageButtons buttons;
  buttons.add = catalogRowSelected && config.systems.size() < kMaxSystems;
  buttons.replace = catalogRowSelected && systemRowSelected;
  buttons.remove = buttons.edit = buttons.up = buttons.down = buttons.next = systemRowSelected;
  buttons.finish = !config.systems.empty();
  return buttons;
}

bool AddSystem(BattleConfig& config, const SystemCatalog& systems, std::size_t catalogRow,
               Reporter& reporter) {
  // The button is disabled then; a battle never grows past its limit all the same.
  if (config.systems.size() >= kMaxSystems) return false;
  try {
    std::optional<std::string> name = systems.NameAt(catalogRow);
    if (!name) return false;
    if (config.HasSystem(*name)) {
      reporter.Error("Error", kSystemAlreadyContained);
      return false;
    }
    StarSystem system;
    system.name = std::move(*name);
    system.nameDefined = true;
    // push_back leaves the list as it was when it throws.
    config.systems.push_back(std::move(system));
  } catch (const std::bad_alloc&) {
    reporter.Error("Error", "Out of memory!");
    return false;
  }
  return true;
}

std::optional<SystemReplacement> PrepareSystemReplacement(const BattleConfig& config,
                                                          const SystemCatalog& systems,
                                                          std::size_t catalogRow,
                                                          std::size_t systemIndex,
                                                          Reporter& reporter) {
  if (systemIndex >= config.systems.size()) return std::nullopt;
  try {
    std::optional<std::string> newName = systems.NameAt(catalogRow);
    if (!newName) return std::nullopt;
    const std::string& oldName = config.systems[systemIndex].name;
    if (EqualsIgnoreCase(oldName, *newName)) return std::nullopt;
    if (config.HasSystem(*newName)) {
      reporter.Error("Error", kSystemAlreadyContained);
      return std::nullopt;
    }
    SystemReplacement replacement;
    replacement.index = systemIndex;
    replacement.question = oldName + " by " + *newName + " ?";
    replacement.note = " (This will delete all positions given by planets in this system!)";
    replacement.newName = std::move(*newName);
    return replacement;
  } catch (const std::bad_alloc&) {
    reporter.Error("Error", "Out of memory!");
    return std::nullopt;
  }
}

void ReplaceSystem(BattleConfig& config, SystemReplacement replacement) {
  if (replacement.index >= config.systems.size()) return;
  StarSystem& system = config.systems[replacement.index];
  system.name = std::move(replacement.newName);
  system.nameDefined = true;
  // The planets belonged to the old system; coordinates mean the same anywhere.
  for (const ShipRole role : kPositionRoles) system.Position(role).planetDefined = false;
}

std::string RemoveSystemQuestion(const BattleConfig& config, std::size_t index) {
  if (index >= config.systems.size()) return {};
  return config.systems[index].name + " and all its contents ?";
}

bool RemoveSystem(BattleConfig& config, std::size_t index) {
  if (index >= config.systems.size()) return false;
  config.systems.erase(std::next(config.systems.begin(), static_cast<std::ptrdiff_t>(index)));
  return true;
}

std::optional<std::size_t> MoveSystemUp(BattleConfig& config, std::size_t index) {
  if (index == 0 || index >= config.systems.size()) return std::nullopt;
  std::swap(config.systems[index - 1], config.systems[index]);
  return index - 1;
}

std::optional<std::size_t> MoveSystemDown(BattleConfig& config, std::size_t index) {
  if (index + 1 >= config.systems.size()) return std::nullopt;
  std::swap(config.systems[index], config.systems[index + 1]);
  return index + 1;
}

}  // namespace vk7
