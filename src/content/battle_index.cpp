#include "content/battle_index.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <utility>

#include "battle/atomic_file.h"
#include "battle/battle_syntax.h"
#include "battle/battle_words.h"
#include "battle/folder_listing.h"
#include "battle/recording_reporter.h"
#include "battle/string_helpers.h"
#include "battle/windows_1252.h"

namespace vk7 {

namespace {

// Nothing when the file cannot be read, a folder put in its place included. (Read through the
// stream, which turns a failed read into a state; an iterator over the buffer would throw.)
std::optional<std::string> ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string bytes;
  char buffer[16384];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
  }
  if (!in.eof()) return std::nullopt;
  return bytes;
}

bool Listed(const std::vector<std::string>& names, std::string_view name) {
  return std::ranges::any_of(names, [name](const std::string& n) { return SameFileName(n, name); });
}

void Forget(std::vector<std::string>& names, std::string_view name) {
  std::erase_if(names, [name](const std::string& n) { return SameFileName(n, name); });
}

}  // namespace

bool BattleIndex::Load(const GameFolder& game, Reporter& reporter,
                       BattleFileReader::Access access) {
  changed_ = false;
  entries_.clear();
  const std::filesystem::path scripts = game.ScriptsDir();
  const FolderListing listing(scripts);
  file_ = listing.Resolve(kFileName);
  // Read before the lines are: a change in between is then merged rather than lost.
  baseBytes_ = ReadAll(file_);
  TextLineFile source;
  const bool opened = access == BattleFileReader::Access::ReadOnly ? source.OpenForReadOnly(file_)
                                                                   : source.OpenForRead(file_);
  if (!opened) {
    reporter.Error("Error", "Cannot open vk7.txt file!");
    return false;
  }
  return Read(
      source,
      [&listing](const std::string& name) {
        return IsSafeName(name) && IsBattleFile(listing.Resolve(BattleFileName(name)));
      },
      reporter);
}

bool BattleIndex::Read(TextLineFile& source,
                       const std::function<bool(const std::string&)>& isBattle,
                       Reporter& reporter) {
  changed_ = false;
  entries_.clear();
  std::string line;
  if (!source.ReadLine(line) || line != kIndexHeader || !source.ReadLine(line)) {
    reporter.Error("Error", "No valid vk7.txt file!");
    return false;
  }
  if (line != kIndexFormatVersion) {
    reporter.Error("Error", "Invalid version of vk7.txt file!");
    return false;
  }
  while (source.ReadLine(line)) {
    std::string name = Trim(line);
    if (IsSafeName(name) && isBattle(name)) entries_.push_back(std::move(name));
  }
  base_ = entries_;
  added_.clear();
  return true;
}

bool BattleIndex::Save(Reporter& reporter) {
  // A battle saved again may have been taken off the list on disk meanwhile: looked at too.
  if (!changed_ && added_.empty()) return true;
  const std::optional<std::string> onDisk = file_.empty() ? std::nullopt : ReadAll(file_);
  MergeChangesOnDisk(onDisk);
  std::string bytes =
      std::string(kIndexHeader) + "\r\n" + std::string(kIndexFormatVersion) + "\r\n";
  for (const std::string& entry : entries_) bytes += entry + "\r\n";
  // A list that comes out as the file already is, is not written.
  if (bytes != onDisk && CommitFileAtomically(file_, bytes) != CommitResult::Ok) {
    reporter.Error("Error", "Cannot write vk7.txt file!");
    return false;
  }
  changed_ = false;
  base_ = entries_;
  baseBytes_ = bytes;
  added_.clear();
  return true;
}

void BattleIndex::MergeChangesOnDisk(const std::optional<std::string>& now) {
  // Gone, or unreadable as an index: this list is all there is to write.
  if (!now || now == baseBytes_) return;
  TextLineFile source;
  source.OpenMemory(*now);
  BattleIndex theirs;
  RecordingReporter quiet;
  const FolderListing listing(file_.parent_path());
  const auto isBattle = [&listing](const std::string& name) {
    return IsBattleFile(listing.Resolve(BattleFileName(name)));
  };
  if (theirs.Read(source, isBattle, quiet)) Merge(theirs.entries_);
}

void BattleIndex::Merge(const std::vector<std::string>& theirs) {
  std::vector<std::string> merged;
  for (const std::string& name : entries_) {
    if (Listed(base_, name) && !Listed(theirs, name) && !Listed(added_, name)) continue;
    merged.push_back(name);
  }
  // Their names are battles whose files are there: one this list deleted that is listed again
  // was made anew, and stays.
  for (const std::string& name : theirs) {
    if (Listed(base_, name) || Listed(merged, name)) continue;
    merged.push_back(name);
  }
  entries_ = std::move(merged);
}

std::optional<std::size_t> BattleIndex::Contains(std::string_view name) const {
  // As the file names compare: two entries "café" and "CAFÉ" would name one file.
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (SameFileName(entries_[i], name)) return i;
  }
  return std::nullopt;
}

bool BattleIndex::Add(const std::string& name) {
  if (!Listed(added_, name)) added_.push_back(name);
  if (Contains(name)) return false;
  entries_.push_back(name);
  changed_ = true;
  return true;
}

void BattleIndex::RemoveAt(std::size_t i) {
  if (i >= entries_.size()) return;
  Forget(added_, entries_[i]);
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
  changed_ = true;
}

std::size_t BattleIndex::RenameAt(std::size_t i, std::string newName) {
  RemoveAt(i);
  changed_ = true;
  added_.push_back(newName);
  if (const auto existing = Contains(newName)) return *existing;
  i = std::min(i, entries_.size());
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(i), std::move(newName));
  return i;
}

std::optional<std::size_t> BattleIndex::MoveUp(std::size_t i) {
  if (i == 0 || i >= entries_.size()) return std::nullopt;
  std::swap(entries_[i - 1], entries_[i]);
  changed_ = true;
  return i - 1;
}

std::optional<std::size_t> BattleIndex::MoveDown(std::size_t i) {
  if (i + 1 >= entries_.size()) return std::nullopt;
  std::swap(entries_[i], entries_[i + 1]);
  changed_ = true;
  return i + 1;
}

bool BattleIndex::IsSafeName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  if (name.find_first_of("/\\") != std::string_view::npos) return false;
#ifdef _WIN32
  // "C:name" would be taken as a path on drive C.
  if (name.find(':') != std::string_view::npos) return false;
#endif
  return true;
}

bool BattleIndex::IsBattleFile(const std::filesystem::path& file) {
  // Read-only is enough: a write-protected battle is still one the game plays, and dropping
  // it here would drop it from vk7.txt at the next save.
  TextLineFile battle;
  if (!battle.OpenForReadOnly(file)) return false;
  std::string first;
  return battle.ReadLine(first) && first == kBattleFileHeader;
}

}  // namespace vk7
