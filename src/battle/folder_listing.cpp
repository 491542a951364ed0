#include "battle/folder_listing.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "battle/windows_1252.h"

namespace vk7 {

FolderListing::FolderListing(std::filesystem::path dir) : dir_(std::move(dir)) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(dir_, ec), end; !ec && it != end; it.increment(ec)) {
    const std::filesystem::path fileName = it->path().filename();
    NativeName native = fileName.native();
    // A name no Windows-1252 name can equal is only found by its exact spelling.
    if (const std::optional<std::string> name = Cp1252FileName(fileName)) {
      auto [slot, added] = byFoldedName_.try_emplace(FoldCaseCp1252(*name), native);
      if (!added) slot->second = std::min(slot->second, native);
    }
    names_.insert(std::move(native));
  }
}

std::filesystem::path FolderListing::Resolve(const std::string& name) const {
  const std::vector<std::filesystem::path> spellings = NativeSpellings(name);
  for (const std::filesystem::path& spelling : spellings) {
    if (names_.count(spelling.native()) != 0) return dir_ / spelling;
  }
  const auto found = byFoldedName_.find(FoldCaseCp1252(name));
  return found == byFoldedName_.end() ? dir_ / spellings.front() : dir_ / found->second;
}

}  // namespace vk7
