#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "battle/battle_config.h"

namespace vk7 {

// Turns a BattleConfig into the text of a ".vk7" battle file in the layout the game and the
// editor expect: header, then one section per group of values, CR LF line ends, every line
// cut to 255 characters. Values are written exactly as held; nothing is checked here, and
// nothing touches the disk (SafeSave checks the bytes, atomic_file.h puts them in place).
class BattleFileWriter {
 public:
  struct Output {
    std::string bytes;
    // 1-based numbers of the lines that were longer than 255 characters and were cut.
    std::vector<std::uint32_t> cutLines;
    // Where the values begin (after the header and the remarks) and where each system's
    // part begins, as byte offsets; Render fills them.
    std::size_t valuesStart{};
    std::vector<std::size_t> systemStarts;
  };

  static Output Render(const BattleConfig& config);
  // The parts of Render: the values before the first system, and one system. They append
  // to `out`; their cut-line numbers count from the first line they append.
  static void RenderGlobals(const BattleConfig& config, Output& out);
  static void RenderSystem(const StarSystem& system, Output& out);
};

}  // namespace vk7
