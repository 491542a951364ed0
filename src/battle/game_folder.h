#pragma once

#include <filesystem>
#include <string>

#include "battle/battle_syntax.h"

namespace vk7 {

// The game's installation folder and the files below it. Game files come from Windows, where
// letter case does not matter ("Scripts\VKSHIPS.TXT" is common), so a name is found whatever
// its case when the exact spelling is absent. File names given here are Windows-1252, as the
// game spells them; on disk they are spelled as windows_1252.h tells.
class GameFolder {
 public:
  explicit GameFolder(std::filesystem::path root) : root_(std::move(root)) {}

  const std::filesystem::path& Root() const { return root_; }
  std::filesystem::path ScriptsDir() const;
  // A file of the scripts folder; the exact name when nothing matches (so it can be created).
  std::filesystem::path ScriptFile(const std::string& fileName) const;
  std::filesystem::path BattleFile(const std::string& battleName) const {
    return ScriptFile(BattleFileName(battleName));
  }

 private:
  std::filesystem::path root_;
};

// `name` in `dir` as spelled on disk: one of its spellings when `dir` holds it so; else the
// entry of `dir` whose name equals `name` with letter case ignored (the smallest such name, so
// the choice is stable); else `dir` / NativeFileName(name). FolderListing::Resolve, for a
// single name.
std::filesystem::path FindPathIgnoringCase(const std::filesystem::path& dir,
                                           const std::string& name);

}  // namespace vk7
