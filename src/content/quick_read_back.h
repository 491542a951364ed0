#pragma once

#include <string>

#include "battle/battle_config.h"
#include "content/battle_file_writer.h"
#include "content/safe_save.h"

namespace vk7 {

// The save's read-back check made fast for the usual battle: rather than a second model and a
// second rendering of the whole file, each system read back is compared with the one it was
// rendered from as soon as its section ends, and then dropped. Where that proof fails it asks
// SafeSave::ReadBack, so its verdict is always that check's.
class QuickReadBack {
 public:
  static ReadBackVerdict Verdict(const BattleConfig& config,
                                 const BattleFileWriter::Output& written, const std::string& name);
  // Whether the proof alone shows that `written` reads back unchanged, as it should for every
  // battle whose remarks hold no line break and whose values all read back; false hands the
  // verdict to the full check.
  static bool Proves(const BattleConfig& config, const BattleFileWriter::Output& written,
                     const std::string& name);
  // For tests: when on, every verdict is also reached by SafeSave::ReadBack, and a verdict that
  // differs throws std::logic_error.
  static void CompareWithFullCheck(bool on);
};

}  // namespace vk7
