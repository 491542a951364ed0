#pragma once

#include <optional>
#include <string>

#include "battle/battle_config.h"
#include "battle/reporter.h"
#include "content/battle_file_writer.h"

namespace vk7 {

// Whether a battle rendered for saving reads back as it was entered: nothing when it does,
// else the message that names the line and the value.
using ReadBackVerdict = std::optional<std::string>;

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

  // The check itself: `written` (rendered from `config`) is read back and rendered again, and
  // every value line must come back as it was written. Needs only the bytes; QuickReadBack
  // reaches the same verdict faster with the help of `config`.
  static ReadBackVerdict ReadBack(const BattleConfig& config,
                                  const BattleFileWriter::Output& written, const std::string& name);
};

}  // namespace vk7
