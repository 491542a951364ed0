#include "content/ship_catalog.h"

#include "battle/string_helpers.h"

namespace vk7 {

bool ShipCatalog::Load(const GameFolder& game, Reporter& reporter) {
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
  // A catalog line takes some 30 characters or more; room for that many entries up front.
  const std::size_t expected = entries_.size() + static_cast<std::size_t>(source.SizeHint() / 32);
  entries_.reserve(expected);
  const auto firstId = static_cast<std::uint32_t>(entries_.size());
  std::vector<std::uint32_t> hashes;
  hashes.reserve(expected - entries_.size());
  std::string_view line;
  while (source.ReadLine(line)) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    ShipEntry& entry = entries_.emplace_back();
    entry.name.assign(TrimView(line.substr(0, equals)));
    entry.shipClass.assign(TrimView(line.substr(equals + 1)));
    entry.hasClass = entry.hasName = true;
    hashes.push_back(HashIgnoringCase(entry.shipClass));
  }
  byClass_.InsertAll(hashes, firstId, [&](std::uint32_t a, std::uint32_t b) {
    return EqualsIgnoreCase(entries_[a].shipClass, entries_[b].shipClass);
  });
}

std::optional<std::string> ShipCatalog::NameAt(std::size_t position) const {
  if (position >= entries_.size()) return std::nullopt;
  return entries_[position].shipClass;
}

const ShipEntry* ShipCatalog::FindShipClass(std::string_view shipClass) const {
  const auto found = byClass_.Find(HashIgnoringCase(shipClass), [&](std::uint32_t other) {
    return EqualsIgnoreCase(entries_[other].shipClass, shipClass);
  });
  return found ? &entries_[*found] : nullptr;
}

void ShipCatalog::FillShipClassList(std::vector<std::string>& rows) const {
  rows.reserve(rows.size() + entries_.size());
  for (const ShipEntry& entry : entries_)
    rows.push_back(entry.shipClass + "   (" + entry.name + ")");
}

}  // namespace vk7
