#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "battle/battle_config.h"
#include "battle/text_line_file.h"

namespace vk7 {

// Sizes the lists of a battle that is being read, so that each is allocated once at its final
// size: growing a list copies every ship in it and touches twice the memory. A quick pass over
// a large file counts the ships and dialog lines of each list ahead of the reading. The counts
// are only a hint: a miscount merely lets a list grow, and never changes what is read.
class ListPresizer {
 public:
  // Counts the lists of `source` and rewinds it. A small file (read in a block or two anyway)
  // and a source that cannot be read twice are not counted.
  void Count(TextLineFile& source);
  // How many named ships the reading may meet: the count, or else a guess from the size.
  std::uint64_t ExpectedShips(const TextLineFile& source) const;

  // Room for the escorts counted.
  void SizeEscorts(std::vector<ShipEntry>& escorts) const;
  // Gives the system at `index` (below kMaxSystems) its lists: those of an earlier system that were
  // emptied with their room kept (see TakeEmptied), with room for what was counted.
  void SizeSystem(StarSystem& system, std::size_t index);
  // Keeps the lists of an ended system that were emptied (StarSystem::ClearListsKeepingRoom)
  // for the next one, so that a reading that drops each system allocates them once.
  void TakeEmptied(StarSystem& system);
  // Forgets the counts and frees the lists kept.
  void Clear();

 private:
  std::array<std::array<std::uint32_t, kResidentRoles.size()>, kMaxSystems> ships_{};
  std::array<std::array<std::uint32_t, kDialogEventCount>, kMaxSystems> dialogs_{};
  std::uint32_t escorts_ = 0;
  std::array<std::vector<ShipEntry>, kResidentRoles.size()> spareShips_;
  std::array<std::vector<DialogLine>, kDialogEventCount> spareDialogs_;
};

}  // namespace vk7
