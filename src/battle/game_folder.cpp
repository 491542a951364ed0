#include "battle/game_folder.h"

#include <optional>
#include <system_error>

#include "battle/string_helpers.h"

namespace vk7 {

std::filesystem::path FindPathIgnoringCase(const std::filesystem::path& dir,
                                           const std::string& name) {
  std::filesystem::path exact = dir / name;
  std::error_code ec;
  if (std::filesystem::exists(exact, ec)) return exact;
  std::optional<std::filesystem::path> best;
  for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::filesystem::path entry = it->path().filename();
    if (EqualsIgnoreCase(entry.string(), name) && (!best || entry < *best)) best = entry;
  }
  return best ? dir / *best : exact;
}

std::filesystem::path GameFolder::ScriptsDir() const {
  return FindPathIgnoringCase(root_, "scripts");
}

std::filesystem::path GameFolder::ScriptFile(const std::string& fileName) const {
  return FindPathIgnoringCase(ScriptsDir(), fileName);
}

}  // namespace vk7
