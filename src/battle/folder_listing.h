#pragma once

#include <filesystem>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace vk7 {

// The names in one folder, read once, for finding many files whatever their letter case
// without listing the folder again for each. Names asked for are Windows-1252 (see
// windows_1252.h for their spellings on disk).
class FolderListing {
 public:
  explicit FolderListing(std::filesystem::path dir);

  // The name as spelled on disk when the folder holds it so (NativeSpellings, in order); else
  // the (smallest) name of the folder that equals it with letter case ignored as Windows
  // ignores it; else `dir` / NativeFileName(name), where it would be created.
  std::filesystem::path Resolve(const std::string& name) const;

 private:
  using NativeName = std::filesystem::path::string_type;

  std::filesystem::path dir_;
  std::unordered_set<NativeName> names_;
  std::unordered_map<std::string, NativeName> byFoldedName_;
};

}  // namespace vk7
