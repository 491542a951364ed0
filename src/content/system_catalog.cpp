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
  if (IsLoaded()) return true;
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
  std::string line;
  while (source.ReadLine(line)) {
    std::string_view rest(line);
    const std::size_t equals = rest.find('=');
    CatalogSystem system;
    system.name = Trim(rest.substr(0, equals));
    if (system.name.empty()) continue;
    while (rest.size() > 0 && rest.find('=') != std::string_view::npos) {
      rest.remove_prefix(rest.find('=') + 1);
      const std::string_view planet = TrimView(rest.substr(0, rest.find('=')));
      if (!planet.empty()) system.planets.emplace_back(planet);
    }
    byName_.try_emplace(ToLowerAscii(system.name), systems_.size());
    systems_.push_back(std::move(system));
  }
}

std::optional<std::string> SystemCatalog::NameAt(std::size_t position) const {
  if (position >= systems_.size()) return std::nullopt;
  return systems_[position].name;
}

const CatalogSystem* SystemCatalog::FindSystem(std::string_view name) const {
  const auto found = byName_.find(ToLowerAscii(name));
  return found == byName_.end() ? nullptr : &systems_[found->second];
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
