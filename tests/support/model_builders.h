#pragma once

#include <string>

#include "battle/battle_config.h"

namespace vk7::test {

// A ship with its class up, and its own name when one is given.
inline ShipEntry Ship(const std::string& shipClass, const std::string& name = "") {
  return ShipEntry{shipClass, name, true, !name.empty()};
}

// A system with its name defined and nothing else.
inline StarSystem System(const std::string& name) {
  StarSystem system;
  system.name = name;
  system.nameDefined = true;
  return system;
}

}  // namespace vk7::test
