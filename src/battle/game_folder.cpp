#include "battle/game_folder.h"

#include <system_error>

#include "battle/folder_listing.h"
#include "battle/windows_1252.h"

namespace vk7 {

std::filesystem::path FindPathIgnoringCase(const std::filesystem::path& dir,
                                           const std::string& name) {
  // The folder is listed only when no spelling of the name is there as it stands.
  std::error_code ec;
  for (const std::filesystem::path& spelling : NativeSpellings(name)) {
    if (std::filesystem::exists(dir / spelling, ec)) return dir / spelling;
  }
  return FolderListing(dir).Resolve(name);
}

std::filesystem::path GameFolder::ScriptsDir() const {
  return FindPathIgnoringCase(root_, "scripts");
}

std::filesystem::path GameFolder::ScriptFile(const std::string& fileName) const {
  return FindPathIgnoringCase(ScriptsDir(), fileName);
}

}  // namespace vk7
