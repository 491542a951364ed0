#include "content/system_catalog.h"

#include "battle/string_helpers.h"

namespace vk7 {

bool CatalogSystem::HasPlanet(std::string_view planet) const {
  for (const std::string& p : planets) {
    if (EqualsIgnoreCase(p, planet)) return true;
  }
  return false;
}

bool SystemCatalog::Load(const GameFolder& game, Reporter& reporter) {
  return LoadFile(game.ScriptFile(kFileName), reporter);
}

bool SystemCatalog::LoadFile(const std::filesystem::path& file, Reporter& reporter) {
  if (IsLoaded()) return true;
  TextLineFile source;
  if (!source.OpenForReadOnly(file)) {
    reporter.Error("Error", "Cannot open vk7sys.txt file!");
    return false;
  }
  Read(source);
  return true;
}

void SystemCatalog::Read(TextLineFile& source) {
  // A catalog line takes some 30 characters or more; room for that many systems up front.
  const std::size_t expected = systems_.size() + static_cast<std::size_t>(source.SizeHint() / 32);
  systems_.reserve(expected);
  const auto firstId = static_cast<std::uint32_t>(systems_.size());
  std::vector<std::uint32_t> hashes;
  hashes.reserve(expected - systems_.size());
  std::string_view line;
  while (source.ReadLine(line)) {
    std::size_t equals = line.find('=');
    const std::string_view name = TrimView(line.substr(0, equals));
    if (name.empty()) continue;
    CatalogSystem& system = systems_.emplace_back();
    system.name.assign(name);
    std::size_t planets = 0;
    for (std::size_t at = equals; at != std::string_view::npos; at = line.find('=', at + 1)) {
      ++planets;
    }
    system.planets.reserve(planets);
    while (equals != std::string_view::npos) {
      const std::size_t next = line.find('=', equals + 1);
      const std::string_view planet = TrimView(line.substr(equals + 1, next - equals - 1));
      if (!planet.empty()) system.planets.emplace_back(planet);
      equals = next;
    }
    hashes.push_back(HashIgnoringCase(system.name));
  }
  byName_.InsertAll(hashes, firstId, [&](std::uint32_t a, std::uint32_t b) {
    return EqualsIgnoreCase(systems_[a].name, systems_[b].name);
  });
}

std::optional<std::string> SystemCatalog::NameAt(std::size_t position) const {
  if (position >= systems_.size()) return std::nullopt;
  return systems_[position].name;
}

const CatalogSystem* SystemCatalog::FindSystem(std::string_view name) const {
  const auto found = byName_.Find(HashIgnoringCase(name), [&](std::uint32_t other) {
    return EqualsIgnoreCase(systems_[other].name, name);
  });
  return found ? &systems_[*found] : nullptr;
}

void SystemCatalog::FillSystemList(std::vector<std::string>& rows) const {
  rows.reserve(rows.size() + systems_.size());
  for (const CatalogSystem& system : systems_) rows.push_back(system.name);
}

void SystemCatalog::FillPlanetList(const StarSystem& system, std::vector<std::string>& rows) const {
  const CatalogSystem* found = FindSystem(system.name);
  if (found == nullptr) return;
  rows.insert(rows.end(), found->planets.begin(), found->planets.end());
}

}  // namespace vk7
