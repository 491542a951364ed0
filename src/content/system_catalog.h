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

// A system of the catalog with its planets, in file order.
struct CatalogSystem {
  std::string name;
  std::vector<std::string> planets;

  // Letter case ignored.
  bool HasPlanet(std::string_view planet) const;
  bool operator==(const CatalogSystem&) const = default;
};

// The systems the game knows, from "vk7sys.txt": one "System = Planet = Planet ..." a line.
// Entries keep file order, duplicates included; lookups ignore letter case and find the first.
class SystemCatalog {
 public:
  static constexpr const char* kFileName = "vk7sys.txt";

  bool Load(const GameFolder& game, Reporter& reporter);
  bool LoadFile(const std::filesystem::path& file, Reporter& reporter);
  void Read(TextLineFile& source);

  bool IsLoaded() const { return !systems_.empty(); }
  const std::vector<CatalogSystem>& Systems() const { return systems_; }
  std::optional<std::string> NameAt(std::size_t position) const;
  const CatalogSystem* FindSystem(std::string_view name) const;
  // One row per system name.
  void FillSystemList(std::vector<std::string>& rows) const;
  // One row per planet of the catalog system named like `system`; none when it is unknown.
  void FillPlanetList(const StarSystem& system, std::vector<std::string>& rows) const;

 private:
  std::vector<CatalogSystem> systems_;
  HashSlots byName_;  // name (case ignored) -> first system
};

}  // namespace vk7
