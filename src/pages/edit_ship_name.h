#pragma once

#include <optional>
#include <string>

#include "battle/battle_config.h"
#include "battle/reporter.h"

class QWidget;

namespace vk7 {

// Gives a ship its own name, or takes it away, through NAMEBOX. `roleText` ends the prompt
// ("Set the name of the " + class + roleText), e.g. " class escort". True when the user
// confirmed and the name was set or cleared; false after "Cancel" or a refused name.
bool EditShipName(QWidget* parent, ShipEntry& ship, BattleConfig& config,
                  const std::string& roleText);

// What EditShipName does with the text the user entered (nothing: "Cancel"). The clash error
// goes to `reporter`; on a clash the ship keeps the name it had.
bool ApplyShipName(ShipEntry& ship, BattleConfig& config, const std::optional<std::string>& entered,
                   Reporter& reporter);

// "Set the name of the " + class + role text.
std::string ShipNamePrompt(const ShipEntry& ship, const std::string& roleText);

}  // namespace vk7
