#pragma once

#include <optional>
#include <string>

#include "battle/battle_config.h"
#include "battle/reporter.h"

namespace vk7 {

// Lets a battle be saved only when the written file reads back to the same game data. Values that
// users type easily can otherwise break a file: a dialog line ending with a double quote
// makes the file unreadable, a "//" inside a text starts a comment, a long value pushes a
// line past 255 characters, where the writer cuts it. Such a save is refused with an error
// that names the line and the value, before any file is touched.
class SafeSave {
 public:
  // The bytes the battle would be saved as, or nothing after the error was reported.
  static std::optional<std::string> Prepare(const BattleConfig& config, const std::string& name,
                                            Reporter& reporter);
};

}  // namespace vk7
