#pragma once

#include <filesystem>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace vk7 {

// The names in one folder, read once, for finding many files whatever their letter case
// without listing the folder again for each.
class FolderListing {
 public:
  explicit FolderListing(std::filesystem::path dir);

  // The exact name when the folder holds it; else the (smallest) name that equals it with
  // letter case ignored; else `dir` / `name`.
  std::filesystem::path Resolve(const std::string& name) const;

 private:
  std::filesystem::path dir_;
  std::unordered_set<std::string> names_;
  std::unordered_map<std::string, std::string> byLowerName_;
};

}  // namespace vk7
