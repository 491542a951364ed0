#include "battle/game_folder.h"

#include "battle/folder_listing.h"

namespace vk7 {

std::filesystem::path FindPathIgnoringCase(const std::filesystem::path& dir,
                                           const std::string& name) {
  // Always from the listing: where letter case does not matter (Windows), a file found by the
  // name asked for would be spelled as asked, not as on disk, which is how users must see it.
  return FolderListing(dir).Resolve(name);
}

std::filesystem::path GameFolder::ScriptsDir() const {
  return FindPathIgnoringCase(root_, "scripts");
}

std::filesystem::path GameFolder::ScriptFile(const std::string& fileName) const {
  return FindPathIgnoringCase(ScriptsDir(), fileName);
}

}  // namespace vk7
