// Feeds arbitrary bytes to both catalog loaders; every loaded name must be found again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "battle/string_helpers.h"
#include "battle/text_line_file.h"
#include "content/ship_catalog.h"
#include "content/system_catalog.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  vk7::TextLineFile source;
  source.OpenMemory(input);
  vk7::ShipCatalog ships;
  ships.Read(source);
  for (std::size_t i = 0; i < ships.Entries().size(); ++i) {
    const vk7::ShipEntry* found = ships.FindShipClass(*ships.NameAt(i));
    if (found == nullptr || !vk7::EqualsIgnoreCase(found->shipClass, *ships.NameAt(i)))
      std::abort();
    if (found > &ships.Entries()[i]) std::abort();  // the first match wins
  }
  if (ships.NameAt(ships.Entries().size())) std::abort();

  source.OpenMemory(input);
  vk7::SystemCatalog systems;
  systems.Read(source);
  for (const vk7::CatalogSystem& system : systems.Systems()) {
    if (system.name.empty() || systems.FindSystem(system.name) == nullptr) std::abort();
    for (const std::string& planet : system.planets) {
      if (planet.empty() || !system.HasPlanet(planet)) std::abort();
    }
  }
  return 0;
}
