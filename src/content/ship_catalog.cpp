#include "content/ship_catalog.h"

#include "battle/string_helpers.h"

namespace vk7 {

bool ShipCatalog::Load(const GameFolder& game, Reporter& reporter) {
  if (IsLoaded()) return true;
  return LoadFile(game.ScriptFile(kFileName), reporter);
}

bool ShipCatalog::LoadFile(const std::filesystem::path& file, Reporter& reporter) {
  if (IsLoaded()) return true;
  TextLineFile source;
  if (!source.OpenForReadOnly(file)) {
    reporter.Error("Error", "Cannot open vkships.txt file!");
    return false;
  }
  Read(source);
  return true;
}

void ShipCatalog::Read(TextLineFile& source) {
  std::string line;
  while (source.ReadLine(line)) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    ShipEntry entry;
    entry.name = Trim(std::string_view(line).substr(0, equals));
    entry.shipClass = Trim(std::string_view(line).substr(equals + 1));
    entry.hasClass = entry.hasName = true;
    byClass_.try_emplace(ToLowerAscii(entry.shipClass), entries_.size());
    entries_.push_back(std::move(entry));
  }
}

std::optional<std::string> ShipCatalog::NameAt(std::size_t position) const {
  if (position >= entries_.size()) return std::nullopt;
  return entries_[position].shipClass;
}

const ShipEntry* ShipCatalog::FindShipClass(std::string_view shipClass) const {
  const auto found = byClass_.find(ToLowerAscii(shipClass));
  return found == byClass_.end() ? nullptr : &entries_[found->second];
}

void ShipCatalog::FillShipClassList(std::vector<std::string>& rows) const {
  rows.reserve(rows.size() + entries_.size());
  for (const ShipEntry& entry : entries_)
    rows.push_back(entry.shipClass + "   (" + entry.name + ")");
}

}  // namespace vk7
