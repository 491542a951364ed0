#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "battle/battle_config.h"

namespace vk7 {

// A battle written down whole, for the editor's recovery files. Unlike a battle file it keeps
// every value byte for byte and every defined flag, also what no battle file can hold: a text
// ending in a double quote or holding "//", a line over the format's limits, a battle without
// systems. One line per value, "key value", in a fixed order; control bytes and the backslash
// are escaped as "\xHH" and "\\", every other byte is kept as it is.
class BattleRecord {
 public:
  static std::string Write(const BattleConfig& battle);
  // Nothing when the text is damaged: a line missing, out of order, malformed or left over.
  // Lines may end in CR LF (a record that went through a Windows text editor).
  static std::optional<BattleConfig> Read(std::string_view text);
};

}  // namespace vk7
