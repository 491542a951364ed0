#include "pages/edit_ship_name.h"

#include "battle/string_helpers.h"
#include "widgets/box_reporter.h"
#include "widgets/name_box.h"

namespace vk7 {

namespace {

const char* HolderText(ShipRole role) {
  switch (role) {
    case ShipRole::Player:
      return "the player ship";
    case ShipRole::Escort:
      return "an escort ship";
    case ShipRole::Friend:
      return "a friendly ship";
    case ShipRole::Enemy:
      return "an enemy ship";
    case ShipRole::Neutral:
      return "a neutral ship";
    case ShipRole::Hulk:
      return "a hulked ship";
  }
  return "";
}

}  // namespace

std::string ShipNamePrompt(const ShipEntry& ship, const std::string& roleText) {
  return "Set the name of the " + ship.shipClass + roleText;
}

bool ApplyShipName(ShipEntry& ship, BattleConfig& config, const std::optional<std::string>& entered,
                   Reporter& reporter) {
  if (!entered) return false;
  const std::string oldName = ship.hasName ? ship.name : std::string();
  // Lowered first, so that the ship's own old name does not count as taken.
  ship.hasName = false;
  const std::string name = Trim(*entered);
  if (name.empty()) return true;
  ShipLocation holder;
  if (config.CheckShipName(name, false, &holder)) {
    ship.name = name;
    ship.hasName = true;
    return true;
  }
  std::string text = "Ship name " + name + " already used for " + HolderText(holder.role);
  if (holder.systemNumber != 0) text += " in system " + std::to_string(holder.systemNumber);
  reporter.Error("Error", text);
  if (!oldName.empty()) {
    ship.name = oldName;
    ship.hasName = true;
  }
  return false;
}

bool EditShipName(QWidget* parent, ShipEntry& ship, BattleConfig& config,
                  const std::string& roleText) {
  const std::optional<std::string> initial =
      ship.hasName ? std::optional<std::string>(ship.name) : std::nullopt;
  const std::optional<std::string> entered =
      NameBox::Ask(parent, ShipNamePrompt(ship, roleText), initial);
  BoxReporter reporter(parent);
  return ApplyShipName(ship, config, entered, reporter);
}

}  // namespace vk7
