#include "battle/folder_listing.h"

#include <system_error>

#include "battle/string_helpers.h"

namespace vk7 {

FolderListing::FolderListing(std::filesystem::path dir) : dir_(std::move(dir)) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(dir_, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    auto [slot, added] = byLowerName_.try_emplace(ToLowerAscii(name), name);
    if (!added && name < slot->second) slot->second = name;
    names_.insert(std::move(name));
  }
}

std::filesystem::path FolderListing::Resolve(const std::string& name) const {
  if (names_.count(name) != 0) return dir_ / name;
  const auto found = byLowerName_.find(ToLowerAscii(name));
  return dir_ / (found == byLowerName_.end() ? name : found->second);
}

}  // namespace vk7
