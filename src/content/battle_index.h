#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "battle/battle_file_reader.h"
#include "battle/game_folder.h"
#include "battle/reporter.h"
#include "battle/text_line_file.h"

namespace vk7 {

// The battles on offer, in their order, from "vk7.txt" in the scripts folder:
//   VK7 Available Battles
//   File Format Version 1.0
//   one battle name a line
// Only names whose battle file exists and starts with the battle file header line are kept. The
// file is written back, only when something changed, by Save; what another program wrote to it
// meanwhile is merged in, not overwritten.
class BattleIndex {
 public:
  static constexpr const char* kFileName = "vk7.txt";

  // On failure the error box "Error" has been shown. The editor opens the index for update,
  // so that one it could not write back is refused at once; a reader that never writes it
  // opens it read-only.
  bool Load(const GameFolder& game, Reporter& reporter,
            BattleFileReader::Access access = BattleFileReader::Access::ReadWrite);
  // Reads an opened index; `isBattle` tells whether a name stands for a valid battle file.
  bool Read(TextLineFile& source, const std::function<bool(const std::string&)>& isBattle,
            Reporter& reporter);
  // Writes the file when this list changed, or saved a battle again (safely: the old file
  // stays on failure, which is reported). When the file no longer holds what was loaded, the
  // list is merged with it first (Merge); a list that comes out as the file is is not
  // written. True when nothing needed writing or the write succeeded.
  bool Save(Reporter& reporter);
  // Merges this list's changes since loading with `theirs`, the valid names another program
  // wrote meanwhile (their battle files are there): their additions are kept after this list's
  // entries, in their order, also of a name this list deleted (made anew since); their
  // removals hold unless this list added or saved that name; this list's own additions,
  // removals, renames and order hold. Names compare as Contains compares them.
  void Merge(const std::vector<std::string>& theirs);

  const std::vector<std::string>& Entries() const { return entries_; }
  // The index file as found on disk by the last Load (any letter case).
  const std::filesystem::path& File() const { return file_; }
  bool Changed() const { return changed_; }
  void MarkChanged() { changed_ = true; }

  // The first entry equal to `name` with letter case ignored (as Windows ignores it).
  std::optional<std::size_t> Contains(std::string_view name) const;
  // Appends `name` unless it is listed; true when it was appended.
  bool Add(const std::string& name);
  void RemoveAt(std::size_t i);
  // Replaces entry i by `newName`, or, when that is listed already, just removes entry i.
  // Returns the position that becomes current.
  // `newName` is taken by value: it may be an entry of this very list.
  std::size_t RenameAt(std::size_t i, std::string newName);
  // Exchange with the neighbour; the new position, or nothing at the edge.
  std::optional<std::size_t> MoveUp(std::size_t i);
  std::optional<std::size_t> MoveDown(std::size_t i);

  // Whether `name` can only stand for a file inside the scripts folder: not empty, no folder
  // separator, not "." or "..".
  static bool IsSafeName(std::string_view name);
  // Whether `file` exists and begins with the battle file header line.
  static bool IsBattleFile(const std::filesystem::path& file);

 private:
  void MergeChangesOnDisk(const std::optional<std::string>& now);

  std::vector<std::string> entries_;
  bool changed_ = false;
  std::filesystem::path file_;
  // The entries and the file's bytes as loaded or last saved, and the names this list added
  // (or saved again) since: what Merge needs to tell its changes from others'.
  std::vector<std::string> base_;
  std::optional<std::string> baseBytes_;
  std::vector<std::string> added_;
};

}  // namespace vk7
