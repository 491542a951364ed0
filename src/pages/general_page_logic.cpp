#include "pages/general_page_logic.h"

#include <iterator>
#include <new>

#include "content/dialog_text.h"

namespace vk7 {

GeneralPageView OpenGeneralPage(const BattleConfig& config) {
  GeneralPageView view;
  view.title = "Battle Configuration <" + config.name + ">  -  General Parameters";
  if (config.player.hasClass) {
    view.playerRow = FormatShipEntry(config.player);
    view.nextEnabled = true;
  }
  view.escortRows.reserve(config.escorts.size());
  for (const ShipEntry& escort : config.escorts) view.escortRows.push_back(FormatShipEntry(escort));
  view.finishEnabled = !config.systems.empty();
  return view;
}

bool SelectPlayerClass(BattleConfig& config, const ShipCatalog& ships, std::size_t row) {
  std::optional<std::string> shipClass = ships.NameAt(row);
  if (!shipClass) return false;
  config.player.shipClass = std::move(*shipClass);
  config.player.hasClass = true;
  return true;
}

bool AddEscort(BattleConfig& config, const ShipCatalog& ships, std::size_t row,
               Reporter& reporter) {
  try {
    std::optional<std::string> shipClass = ships.NameAt(row);
    if (!shipClass) return false;
    ShipEntry escort;
    escort.shipClass = std::move(*shipClass);
    escort.hasClass = true;
    // push_back leaves the list as it was when it throws.
    config.escorts.push_back(std::move(escort));
  } catch (const std::bad_alloc&) {
    reporter.Error("Error", "Out of memory!");
    return false;
  }
  return true;
}

bool RemoveEscort(BattleConfig& config, std::size_t row) {
  if (row >= config.escorts.size()) return false;
  config.escorts.erase(std::next(config.escorts.begin(), static_cast<std::ptrdiff_t>(row)));
  return true;
}

}  // namespace vk7
