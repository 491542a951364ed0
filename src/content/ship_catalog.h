#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "battle/battle_config.h"
#include "battle/game_folder.h"
#include "battle/hash_slots.h"
#include "battle/reporter.h"
#include "battle/text_line_file.h"

namespace vk7 {

// The ship classes the game knows, from "vkships.txt": one "Label = CLASS" a line. An entry's
// `shipClass` is the key battle files use, its `name` the label that is only shown. Entries
// keep file order, duplicates included; lookups ignore letter case and find the first entry.
class ShipCatalog {
 public:
  static constexpr const char* kFileName = "vkships.txt";

  // Loads the scripts folder's catalog unless this one already holds an entry. On failure the
  // error box "Error" has been shown and the catalog stays as it was.
  bool Load(const GameFolder& game, Reporter& reporter);
  bool LoadFile(const std::filesystem::path& file, Reporter& reporter);
  // Appends the entries of an opened source (no "already loaded" test).
  void Read(TextLineFile& source);

  bool IsLoaded() const { return !entries_.empty(); }
  const std::vector<ShipEntry>& Entries() const { return entries_; }
  // The class at `position`, in catalog order.
  std::optional<std::string> NameAt(std::size_t position) const;
  const ShipEntry* FindShipClass(std::string_view shipClass) const;
  // Appends one row per entry: "CLASS   (Label)".
  void FillShipClassList(std::vector<std::string>& rows) const;

 private:
  std::vector<ShipEntry> entries_;
  HashSlots byClass_;  // class (case ignored) -> first entry
};

}  // namespace vk7
