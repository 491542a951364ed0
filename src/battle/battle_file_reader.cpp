#include "battle/battle_file_reader.h"

#include <array>
#include <cstring>
#include <new>
#include <optional>
#include <span>
#include <stdexcept>
#include <utility>

#include "battle/consistency_rules.h"
#include "battle/hash_slots.h"
#include "battle/string_helpers.h"

namespace vk7 {

enum class BattleFileReader::Keyword {
  Player,
  Escort,
  Friend,
  Enemy,
  Neutral,
  Hulk,
  System,
  PlayerPosition,
  FriendPosition,
  EnemyPosition,
  NeutralPosition,
  HulkPosition,
  Stardate,
  BattleMode,
  ShipChange,
  PerfectCloak,
  WarpOut,
  Collision,
  Title,
  TitleLine,
  Dialog,
  NeutralBehavior,
  WarpDisable,
  FriendAction,
  EnemyAction,
  NeutralAction,
};

namespace {

using Keyword = BattleFileReader::Keyword;

struct KeywordInfo {
  std::string_view text;
  Keyword keyword;
  DialogEvent event = DialogEvent::StartingDialog;
};

constexpr std::array<KeywordInfo, 36> kKeywords = {{
    {"Player", Keyword::Player},
    {"Escort", Keyword::Escort},
    {"Friend", Keyword::Friend},
    {"Enemy", Keyword::Enemy},
    {"Neutral", Keyword::Neutral},
    {"Hulk", Keyword::Hulk},
    {"System", Keyword::System},
    {"PlayerPosition", Keyword::PlayerPosition},
    {"FriendPosition", Keyword::FriendPosition},
    {"EnemyPosition", Keyword::EnemyPosition},
    {"NeutralPosition", Keyword::NeutralPosition},
    {"HulkPosition", Keyword::HulkPosition},
    {"Stardate", Keyword::Stardate},
    {"BattleMode", Keyword::BattleMode},
    {"ShipChange", Keyword::ShipChange},
    {"PerfectCloak", Keyword::PerfectCloak},
    {"WarpOut", Keyword::WarpOut},
    {"Collision", Keyword::Collision},
    {"Title", Keyword::Title},
    {"TitleLine", Keyword::TitleLine},
    {"StartingDialog", Keyword::Dialog, DialogEvent::StartingDialog},
    {"EndingDialog", Keyword::Dialog, DialogEvent::EndingDialog},
    {"FriendWarpInDialog", Keyword::Dialog, DialogEvent::FriendWarpInDialog},
    {"EnemyWarpInDialog", Keyword::Dialog, DialogEvent::EnemyWarpInDialog},
    {"NeutralWarpInDialog", Keyword::Dialog, DialogEvent::NeutralWarpInDialog},
    {"FriendWarpOutDialog", Keyword::Dialog, DialogEvent::FriendWarpOutDialog},
    {"EnemyWarpOutDialog", Keyword::Dialog, DialogEvent::EnemyWarpOutDialog},
    {"NeutralWarpOutDialog", Keyword::Dialog, DialogEvent::NeutralWarpOutDialog},
    {"FriendJoinEscortDialog", Keyword::Dialog, DialogEvent::FriendJoinEscortDialog},
    {"NeutralToFriendDialog", Keyword::Dialog, DialogEvent::NeutralToFriendDialog},
    {"NeutralToEnemyDialog", Keyword::Dialog, DialogEvent::NeutralToEnemyDialog},
    {"NeutralBehavior", Keyword::NeutralBehavior},
    {"WarpDisable", Keyword::WarpDisable},
    {"FriendAction", Keyword::FriendAction},
    {"EnemyAction", Keyword::EnemyAction},
    {"NeutralAction", Keyword::NeutralAction},
}};

// Keywords grouped by length, so a lookup compares with a handful of candidates at most.
constexpr std::size_t kLongestKeyword = 22;

struct KeywordsByLength {
  std::array<std::array<std::int8_t, 8>, kLongestKeyword + 1> index{};
  KeywordsByLength() {
    for (auto& row : index) row.fill(-1);
    for (std::size_t k = 0; k < kKeywords.size(); ++k) {
      auto& row = index[kKeywords[k].text.size()];
      std::size_t i = 0;
      while (row[i] >= 0) ++i;
      row[i] = static_cast<std::int8_t>(k);
    }
  }
};

const KeywordInfo* FindKeyword(std::string_view keyword) {
  static const KeywordsByLength byLength;
  if (keyword.empty() || keyword.size() > kLongestKeyword) return nullptr;
  for (const std::int8_t k : byLength.index[keyword.size()]) {
    if (k < 0) break;
    const KeywordInfo& info = kKeywords[static_cast<std::size_t>(k)];
    if (info.text[0] == keyword[0] && info.text == keyword) return &info;
  }
  return nullptr;
}

constexpr std::size_t kNameBlockSize = std::size_t{1} << 20;
// Battle lines hold at most 255 characters, so eight bits hold the length of any name.
static_assert(kMaxBattleLine <= 255);
// Files from this size on are counted ahead (see CountLists).
constexpr std::uint64_t kCountFrom = std::uint64_t{1} << 20;

// The order of the four lists of a system in counts and spares.
constexpr std::array<ShipRole, 4> kRoles = {ShipRole::Friend, ShipRole::Enemy, ShipRole::Neutral,
                                            ShipRole::Hulk};

// A quick hash of a ship name, eight bytes at a time (names are short and there are many).
std::uint32_t NameHash(std::string_view text) {
  std::uint64_t h = 0x9E3779B97F4A7C15ULL ^ text.size();
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, text.data() + i, 8);
    h = (h ^ word) * 0xFF51AFD7ED558CCDULL;
    h ^= h >> 32;
  }
  std::uint64_t tail = 0;
  for (; i < text.size(); ++i) tail = (tail << 8) | static_cast<unsigned char>(text[i]);
  h = (h ^ tail) * 0xC4CEB9FE1A85EC53ULL;
  h ^= h >> 29;
  h *= 0xBF58476D1CE4E5B9ULL;
  return static_cast<std::uint32_t>(h >> 32);
}

// A reservation is only a hint: one that cannot be had is left to the reading itself.
template <typename T>
void ReserveQuietly(std::vector<T>& list, std::size_t extra) {
  try {
    list.reserve(list.size() + extra);
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
}

// A word-valued parameter: the index of the word it equals exactly, or nothing.
template <std::size_t N>
std::optional<std::int32_t> WordIndex(std::string_view param,
                                      const std::array<std::string_view, N>& words) {
  for (std::size_t i = 0; i < N; ++i) {
    if (param == words[i]) return static_cast<std::int32_t>(i);
  }
  return std::nullopt;
}

bool HasHash(std::string_view text) {
  return text.find('#') != std::string_view::npos;
}

}  // namespace

BattleFileReader::BattleFileReader(BattleConfig& config, Reporter& reporter)
    : config_(config), reporter_(reporter) {}

bool BattleFileReader::Read(const std::string& name, const std::filesystem::path& file,
                            bool skipRemarks, Access access) {
  config_.name = name;  // for the title of "Cannot open file!"
  TextLineFile source;
  const bool opened =
      access == Access::ReadOnly ? source.OpenForReadOnly(file) : source.OpenForRead(file);
  if (!opened) return Fail("Cannot open file!", false);
  return ReadFrom(name, source, skipRemarks);
}

bool BattleFileReader::ReadFrom(const std::string& name, TextLineFile& source, bool skipRemarks) {
  config_.name = name;
  lineNumber_ = 0;
  current_ = nullptr;
  collectingRemarks_ = true;
  bool ok = false;
  try {
    // Room for every system a battle may have.
    config_.systems.reserve(config_.systems.size() + kMaxSystems);
    CountLists(source);
    if (escortCount_ > 0) ReserveQuietly(config_.escorts, escortCount_);
    std::uint64_t ships = escortCount_ + 1;
    for (const auto& counts : counts_) {
      for (const std::uint32_t n : counts) ships += n;
    }
    // Without a count (a small file, a pipe) the file's size predicts it: a named ship takes
    // a line of 25 characters at the least and about 45 as the editor writes it.
    if (ships == escortCount_ + 1) ships = source.SizeHint() / 40;
    PrepareNames(source, ships);
    ok = ReadLines(source, skipRemarks);
  } catch (const std::bad_alloc&) {
    ok = Fail("Out of memory!", false);
  }
  names_.clear();
  names_.shrink_to_fit();
  nameBlocks_.clear();
  nameBlocks_.shrink_to_fit();
  spareShips_ = {};
  spareDialogs_ = {};
  source.Close();
  return ok;
}

void BattleFileReader::PrepareNames(const TextLineFile& source, std::uint64_t expected) {
  nameBlocks_.clear();
  nameBlockUsed_ = kNameBlockSize;
  names_.clear();
  namesChecked_ = 0;
  // Offsets in the source must fit a reference.
  nameSource_ = source.SizeHint() <= UINT32_MAX ? source.StableBytes() : nullptr;
  nameStore_ = nameSource_ != nullptr ? NameStore::Source
               : sectionEnd_          ? NameStore::Blocks
                                      : NameStore::Model;
  ReserveQuietly(names_, static_cast<std::size_t>(std::min<std::uint64_t>(expected, 1u << 26)));
}

// A model reference: the position in the list above five bits for the list (0 the player,
// 1 the escorts, then four per system in the order friends, enemies, neutrals, hulks).
std::string_view BattleFileReader::NameAt(const NameRecord& record) const {
  const std::size_t size = record.hashAndSize & 0xFF;
  const std::uint32_t ref = record.ref;
  switch (nameStore_) {
    case NameStore::Source:
      return std::string_view(nameSource_ + ref, size);
    case NameStore::Blocks:
      return std::string_view(nameBlocks_[ref / kNameBlockSize].get() + ref % kNameBlockSize, size);
    case NameStore::Model:
      break;
  }
  const std::uint32_t list = ref & 31;
  const std::size_t index = ref >> 5;
  if (list == 0) return config_.player.name;
  if (list == 1) return config_.escorts[index].name;
  const StarSystem& system = config_.systems[(list - 2) / 4];
  switch ((list - 2) % 4) {
    case 0:
      return system.friends[index].name;
    case 1:
      return system.enemies[index].name;
    case 2:
      return system.neutrals[index].name;
    default:
      return system.hulks[index].name;
  }
}

void BattleFileReader::AddShipName(std::string_view name, std::uint32_t list, std::size_t index) {
  std::uint32_t ref = 0;
  switch (nameStore_) {
    case NameStore::Source:
      ref = static_cast<std::uint32_t>(name.data() - nameSource_);
      break;
    case NameStore::Model:
      if (index >= (std::size_t{1} << 27)) throw std::bad_alloc();
      ref = static_cast<std::uint32_t>(index << 5) | list;
      break;
    case NameStore::Blocks:
      if (nameBlockUsed_ + name.size() > kNameBlockSize) {
        if (nameBlocks_.size() >= UINT32_MAX / kNameBlockSize) throw std::bad_alloc();
        nameBlocks_.push_back(std::unique_ptr<char[]>(new char[kNameBlockSize]));
        nameBlockUsed_ = 0;
      }
      std::memcpy(nameBlocks_.back().get() + nameBlockUsed_, name.data(), name.size());
      ref = static_cast<std::uint32_t>((nameBlocks_.size() - 1) * kNameBlockSize + nameBlockUsed_);
      nameBlockUsed_ += name.size();
      break;
  }
  const std::uint32_t hash = (NameHash(name) << 8) | static_cast<std::uint32_t>(name.size());
  names_.push_back(NameRecord{hash, lineNumber_, ref});
}

void BattleFileReader::CountLists(TextLineFile& source) {
  counts_ = {};
  dialogCounts_ = {};
  escortCount_ = 0;
  // A small file is read in a block or two: counting would save nothing there. A pipe cannot
  // be read twice. A reading that drops each system as it ends reuses its lists instead.
  if (source.SizeHint() < kCountFrom || sectionEnd_ || !source.Rewind()) return;
  // A keyword followed by a blank or "=" (the count need not be exact, only quick).
  const auto starts = [](std::string_view text, std::string_view word) {
    return text.size() > word.size() && text.substr(0, word.size()) == word &&
           (IsBlank(text[word.size()]) || text[word.size()] == '=');
  };
  std::size_t system = 0;  // systems begun so far
  std::string_view line;
  while (source.ReadLine(line)) {
    std::size_t i = 0;
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size()) continue;
    const std::string_view text = line.substr(i);
    int role = -1;
    switch (text[0]) {
      case 'F':
        if (starts(text, "Friend")) role = 0;
        break;
      case 'E':
        if (starts(text, "Enemy")) role = 1;
        if (starts(text, "Escort")) ++escortCount_;
        break;
      case 'N':
        if (starts(text, "Neutral")) role = 2;
        break;
      case 'H':
        if (starts(text, "Hulk")) role = 3;
        break;
      case 'S':
        if (starts(text, "System")) ++system;
        break;
      default:
        break;
    }
    if (system == 0 || system > kMaxSystems) continue;
    if (role >= 0) {
      ++counts_[system - 1][static_cast<std::size_t>(role)];
    } else if (text.size() > 12 && text.find("Dialog") != std::string_view::npos) {
      // Dialog keywords end with "Dialog"; the rare other lines get here too.
      std::size_t end = 0;
      while (end < text.size() && !IsBlank(text[end]) && text[end] != '=') ++end;
      const KeywordInfo* info = FindKeyword(text.substr(0, end));
      if (info != nullptr && info->keyword == Keyword::Dialog) {
        ++dialogCounts_[system - 1][static_cast<std::size_t>(info->event)];
      }
    }
  }
  source.Rewind();
}

void BattleFileReader::ReserveLists(StarSystem& system, std::size_t index) {
  for (std::size_t r = 0; r < spareShips_.size(); ++r) {
    system.Ships(kRoles[r]).swap(spareShips_[r]);
  }
  for (std::size_t e = 0; e < kDialogEventCount; ++e) system.dialogs[e].swap(spareDialogs_[e]);
  if (index >= kMaxSystems) return;
  const std::array<std::uint32_t, 4>& counts = counts_[index];
  for (std::size_t r = 0; r < kRoles.size(); ++r) {
    if (counts[r] > 0) ReserveQuietly(system.Ships(kRoles[r]), counts[r]);
  }
  for (std::size_t e = 0; e < kDialogEventCount; ++e) {
    const std::uint32_t count = dialogCounts_[index][e];
    if (count > 0) ReserveQuietly(system.dialogs[e], count);
  }
}

// Reports the first line whose ship name an earlier line already had, if there is one.
bool BattleFileReader::FailOnRepeatedName() {
  if (namesChecked_ == names_.size()) return false;
  namesChecked_ = names_.size();
  const std::size_t n = names_.size();
  // Buckets by the top bits of the hash keep their lines in file order; within a bucket the
  // first repeat is the bucket's earliest, and the earliest over all buckets wins.
  int bits = 0;
  while (bits < 16 && (n >> bits) > 1024) ++bits;
  const std::size_t buckets = std::size_t{1} << bits;
  const auto bucketOf = [&](const NameRecord& r) {
    return bits == 0 ? 0 : static_cast<std::size_t>(r.hashAndSize >> (32 - bits));
  };
  std::vector<std::uint32_t> starts(buckets + 1, 0);
  for (const NameRecord& r : names_) ++starts[bucketOf(r) + 1];
  for (std::size_t b = 0; b < buckets; ++b) starts[b + 1] += starts[b];
  // Left uninitialised: every record is written below.
  const std::unique_ptr<NameRecord[]> sorted(new NameRecord[n]);
  {
    std::vector<std::uint32_t> next(starts.begin(), starts.end() - 1);
    for (const NameRecord& r : names_) sorted[next[bucketOf(r)]++] = r;
  }
  std::optional<NameRecord> repeat;
  struct Slot {
    std::uint32_t hash;
    std::uint32_t at;  // position in the bucket plus one; 0: empty
  };
  std::vector<Slot> table;
  for (std::size_t b = 0; b < buckets; ++b) {
    const std::span<const NameRecord> bucket(sorted.get() + starts[b], starts[b + 1] - starts[b]);
    if (bucket.size() < 2) continue;
    int capacityBits = 2;
    while ((std::size_t{1} << capacityBits) < 2 * bucket.size()) ++capacityBits;
    table.assign(std::size_t{1} << capacityBits, Slot{0, 0});
    const std::size_t mask = table.size() - 1;
    for (std::size_t k = 0; k < bucket.size(); ++k) {
      const NameRecord& r = bucket[k];
      if (repeat && r.line >= repeat->line) break;
      // Mixed, as the top bits chose the bucket and the low ones hold the length.
      std::size_t i = (r.hashAndSize * 0x9E3779B1u) >> (32 - capacityBits);
      bool seen = false;
      for (; table[i].at != 0; i = (i + 1) & mask) {
        if (table[i].hash == r.hashAndSize && NameAt(bucket[table[i].at - 1]) == NameAt(r)) {
          seen = true;
          break;
        }
      }
      if (seen) {
        repeat = r;
        break;
      }
      table[i] = Slot{r.hashAndSize, static_cast<std::uint32_t>(k + 1)};
    }
  }
  if (!repeat) return false;
  const std::string title = BattleFileErrorTitle(config_.name);
  reporter_.ErrorAtLine(title,
                        "Redefinition of ship name " + std::string(NameAt(*repeat)) + " in line " +
                            std::to_string(repeat->line),
                        repeat->line);
  return true;
}

bool BattleFileReader::ReadLines(TextLineFile& source, bool skipRemarks) {
  std::string_view line;
  if (!source.ReadLine(line) || line != "VK7 Battle" || !source.ReadLine(line)) {
    return Fail("Not a valid vk7 battle file!", false);
  }
  if (line != "File Format Version 1.0" && line != "File Format Version 1.1" &&
      line != "File Format Version 1.2") {
    return Fail("Invalid version of vk7 battle file!", false);
  }
  lineNumber_ = 3;
  while (source.ReadLine(line)) {
    if (line.size() > kMaxBattleLine) return FailAtLine("Too long line ");
    if (!skipRemarks) CollectRemark(line);
    const std::string_view content = CutComment(line);
    const std::size_t equals = content.find('=');
    std::string_view keyword;
    std::string_view params;
    if (equals == std::string_view::npos) {
      params = TrimView(content);
    } else {
      keyword = TrimView(content.substr(0, equals));
      params = TrimView(content.substr(equals + 1));
    }
    if (!HandleLine(keyword, params)) return false;
    ++lineNumber_;
  }
  // A file is closed before any message is shown; names may still be read from memory.
  if (source.StableBytes() == nullptr) source.Close();
  if (FailOnRepeatedName()) return false;
  if (current_ != nullptr && !CheckSectionEnd()) return false;
  if (current_ == nullptr) return Fail("No system defined", false);
  if (!config_.player.hasClass) return Fail("No player ship defined", false);
  return true;
}

bool BattleFileReader::HandleLine(std::string_view keyword, std::string_view params) {
  const KeywordInfo* found = FindKeyword(keyword);
  if (found == nullptr) {
    if (!keyword.empty()) return FailAtLine("Unknown keyword in line ");
    if (!params.empty()) return FailAtLine("Invalid line ");
    return true;
  }
  const Keyword kw = found->keyword;
  switch (kw) {
    case Keyword::Player:
    case Keyword::Escort:
    case Keyword::Friend:
    case Keyword::Enemy:
    case Keyword::Neutral:
    case Keyword::Hulk:
      return ReadShip(kw, params);
    case Keyword::System:
      return ReadSystem(params);
    case Keyword::PlayerPosition:
    case Keyword::FriendPosition:
    case Keyword::EnemyPosition:
    case Keyword::NeutralPosition:
    case Keyword::HulkPosition:
      return ReadPosition(kw, params);
    case Keyword::Stardate:
      return ReadStardate(params);
    case Keyword::BattleMode:
      return ReadBattleMode(params);
    case Keyword::ShipChange:
    case Keyword::PerfectCloak:
    case Keyword::WarpOut:
    case Keyword::Collision:
      return ReadOption(kw, params);
    case Keyword::Title:
      return ReadTitle(params);
    case Keyword::TitleLine:
      return ReadTitleLine(params);
    case Keyword::Dialog:
      return ReadDialog(found->event, params);
    case Keyword::NeutralBehavior:
      return ReadNeutralBehavior(params);
    case Keyword::WarpDisable:
      return ReadWarpDisable(params);
    case Keyword::FriendAction:
    case Keyword::EnemyAction:
    case Keyword::NeutralAction:
      return ReadAction(kw, params);
  }
  return true;
}

void BattleFileReader::CollectRemark(std::string_view line) {
  if (config_.remarks.empty() && line != "// Created by Velkor Editor") {
    reporter_.Message("Warning", kForeignFileWarning);
    config_.remarks.emplace_back(kCreatedByRemark);
  }
  if (!collectingRemarks_) return;
  const std::string_view stripped = TrimView(line);
  if (stripped.substr(0, 2) != "//") {
    collectingRemarks_ = false;
    return;
  }
  config_.remarks.emplace_back(stripped.substr(2));
}

bool BattleFileReader::CheckSectionEnd() {
  if (auto message = StatisticModeViolation(*current_)) return Fail(*message, false);
  if (auto message = FriendExitViolation(*current_)) return Fail(*message, false);
  if (sectionEnd_) {
    sectionEnd_(*current_, static_cast<std::size_t>(current_ - config_.systems.data()));
    // Lists the hook emptied but kept serve the next system: a reading that drops each
    // system as it ends then allocates them once.
    for (std::size_t r = 0; r < spareShips_.size(); ++r) {
      auto& list = current_->Ships(kRoles[r]);
      if (list.empty() && list.capacity() > spareShips_[r].capacity()) list.swap(spareShips_[r]);
    }
    for (std::size_t e = 0; e < kDialogEventCount; ++e) {
      auto& list = current_->dialogs[e];
      if (list.empty() && list.capacity() > spareDialogs_[e].capacity()) {
        list.swap(spareDialogs_[e]);
      }
    }
  }
  return true;
}

bool BattleFileReader::Fail(const std::string& message, bool withLine) {
  // A repeated ship name on an earlier line is the first error of the file.
  try {
    if (FailOnRepeatedName()) return false;
  } catch (const std::bad_alloc&) {
  }
  const std::string title = BattleFileErrorTitle(config_.name);
  if (withLine) {
    reporter_.ErrorAtLine(title, message + std::to_string(lineNumber_), lineNumber_);
  } else {
    reporter_.Error(title, message);
  }
  return false;
}

bool BattleFileReader::CommonCheck(std::string_view param) {
  if (param.empty()) return FailAtLine("Parameter expected in line ");
  if (param.front() == '"' || param.back() == '"') return FailAtLine("\" not allowed in line ");
  if (param.front() == '=') return FailAtLine("Invalid = in line ");
  return true;
}

bool BattleFileReader::RequireSystem() {
  if (current_ == nullptr) return FailAtLine("System definition expected in line ");
  return true;
}

bool BattleFileReader::ReadShip(Keyword keyword, std::string_view params) {
  const std::size_t equals = params.find('=');
  const std::string_view shipClass = TrimView(params.substr(0, equals));
  std::optional<std::string_view> shipName;
  if (equals != std::string_view::npos) {
    shipName = TrimView(params.substr(equals + 1));
    if (shipName->empty()) return FailAtLine("Parameter expected in line ");
  }
  if (keyword == Keyword::Player) {
    if (config_.player.hasClass) return FailAtLine("Player redefinition in line ");
  } else if (keyword != Keyword::Escort && !RequireSystem()) {
    return false;
  }
  if (!CommonCheck(shipClass)) return false;
  if (shipName && !CommonCheck(*shipName)) return false;
  // Built whole and moved in: cheaper than assigning to an empty entry.
  ShipEntry entry{std::string(shipClass), shipName ? std::string(*shipName) : std::string(), true,
                  shipName.has_value()};
  std::vector<ShipEntry>* list = nullptr;
  std::uint32_t listNumber = 0;
  if (keyword == Keyword::Player) {
    config_.player = std::move(entry);
  } else {
    if (keyword == Keyword::Escort) {
      list = &config_.escorts;
      listNumber = 1;
    } else {
      const auto role =
          static_cast<std::uint32_t>(keyword) - static_cast<std::uint32_t>(Keyword::Friend);
      list = role == 0   ? &current_->friends
             : role == 1 ? &current_->enemies
             : role == 2 ? &current_->neutrals
                         : &current_->hulks;
      listNumber = 2 + 4 * static_cast<std::uint32_t>(current_ - config_.systems.data()) + role;
    }
    list->push_back(std::move(entry));
  }
  if (shipName) AddShipName(*shipName, listNumber, list != nullptr ? list->size() - 1 : 0);
  return true;
}

bool BattleFileReader::ReadSystem(std::string_view params) {
  if (!CommonCheck(params)) return false;
  const std::string systemName(params);
  if (config_.HasSystem(systemName)) return FailAtLine("System redefinition in line ");
  if (config_.systems.size() >= kMaxSystems) {
    return FailAtLine("Maximum number of systems exceeded in line ");
  }
  if (current_ != nullptr && !CheckSectionEnd()) return false;
  StarSystem& system = config_.systems.emplace_back();
  ReserveLists(system, config_.systems.size() - 1);
  system.name = systemName;
  system.nameDefined = true;
  current_ = &system;
  return true;
}

bool BattleFileReader::ReadPosition(Keyword keyword, std::string_view params) {
  if (!CommonCheck(params) || !RequireSystem()) return false;
  StarSystem& s = *current_;
  ShipPosition* position = &s.playerPosition;
  bool* coords = &s.playerCoordsDefined;
  bool* planet = &s.playerPlanetDefined;
  const char* redefinition = "Player position redefinition for the current system in line ";
  switch (keyword) {
    case Keyword::FriendPosition:
      position = &s.friendPosition;
      coords = &s.friendCoordsDefined;
      planet = &s.friendPlanetDefined;
      redefinition = "Friend position redefinition for the current system in line ";
      break;
    case Keyword::EnemyPosition:
      position = &s.enemyPosition;
      coords = &s.enemyCoordsDefined;
      planet = &s.enemyPlanetDefined;
      redefinition = "Enemy position redefinition for the current system in line ";
      break;
    case Keyword::NeutralPosition:
      position = &s.neutralPosition;
      coords = &s.neutralCoordsDefined;
      planet = &s.neutralPlanetDefined;
      redefinition = "Neutral position redefinition for the current system in line ";
      break;
    case Keyword::HulkPosition:
      position = &s.hulkPosition;
      coords = &s.hulkCoordsDefined;
      planet = &s.hulkPlanetDefined;
      redefinition = "Hulk position redefinition for the current system in line ";
      break;
    default:
      break;
  }
  if (*coords || *planet) return FailAtLine(redefinition);
  if (TokenView(params, 1) == "Planet") {
    const std::string_view planetName = TrimView(params.substr(6));
    if (!CommonCheck(planetName)) return false;
    position->planet = planetName;
    *planet = true;
    return true;
  }
  std::array<std::int32_t, 3> values{};
  for (int i = 0; i < 3; ++i) {
    if (!ParseNumber(TokenView(params, i + 1), values[static_cast<std::size_t>(i)])) {
      return FailAtLine("Invalid position parameters in line ");
    }
  }
  if (!TokenView(params, 4).empty()) return FailAtLine("Too many parameters in line ");
  position->x = values[0];
  position->y = values[1];
  position->z = values[2];
  *coords = true;
  return true;
}

bool BattleFileReader::ReadStardate(std::string_view params) {
  if (!CommonCheck(params) || !RequireSystem()) return false;
  if (current_->stardateDefined) {
    return FailAtLine("Stardate redefinition for the current system in line ");
  }
  if (!ParseNumber(params, current_->stardate)) return FailAtLine("Invalid stardate in line ");
  current_->stardateDefined = true;
  return true;
}

bool BattleFileReader::ReadBattleMode(std::string_view params) {
  if (!CommonCheck(params) || !RequireSystem()) return false;
  if (current_->battleModeDefined) {
    return FailAtLine("BattleMode redefinition for the current system in line ");
  }
  static constexpr std::array<std::string_view, 2> kWords = {"AI", "Stat"};
  const auto value = WordIndex(params, kWords);
  if (!value) return FailAtLine("Invalid battle mode in line ");
  current_->battleMode = static_cast<BattleMode>(*value);
  current_->battleModeDefined = true;
  return true;
}

bool BattleFileReader::ReadOption(Keyword keyword, std::string_view params) {
  if (!CommonCheck(params)) return false;
  BattleOptions& o = config_.options;
  std::optional<std::int32_t> value;
  switch (keyword) {
    case Keyword::ShipChange: {
      if (o.shipChangeDefined) return FailAtLine("ShipChange redefinition in line ");
      static constexpr std::array<std::string_view, 3> kWords = {"Off", "On", "Auto"};
      if (!(value = WordIndex(params, kWords))) break;
      o.shipChange = static_cast<ShipChangeMode>(*value);
      o.shipChangeDefined = true;
      return true;
    }
    case Keyword::PerfectCloak: {
      if (o.perfectCloakDefined) return FailAtLine("PerfectCloak redefinition in line ");
      static constexpr std::array<std::string_view, 2> kWords = {"Off", "On"};
      if (!(value = WordIndex(params, kWords))) break;
      o.perfectCloak = *value;
      o.perfectCloakDefined = true;
      return true;
    }
    case Keyword::WarpOut: {
      if (o.warpOutDefined) return FailAtLine("WarpOut redefinition in line ");
      static constexpr std::array<std::string_view, 3> kWords = {"Anytime", "WhenCleared",
                                                                 "Sequential"};
      if (!(value = WordIndex(params, kWords))) break;
      o.warpOut = static_cast<WarpOutMode>(*value);
      o.warpOutDefined = true;
      return true;
    }
    default: {
      if (o.collisionDefined) return FailAtLine("Collision redefinition in line ");
      static constexpr std::array<std::string_view, 3> kWords = {"On", "Off", "OffForAll"};
      if (!(value = WordIndex(params, kWords))) break;
      o.collision = static_cast<CollisionMode>(*value);
      o.collisionDefined = true;
      return true;
    }
  }
  return FailAtLine("Invalid parameter in line ");
}

bool BattleFileReader::ReadTitle(std::string_view params) {
  if (!CommonCheck(params)) return false;
  BattleTitle& t = config_.title;
  if (t.titleDefined) return FailAtLine("Title redefinition in line ");
  if (params.size() > kMaxTitle) return FailAtLine("Title too long in line ");
  if (HasHash(params)) return FailAtLine("# not allowed in line ");
  t.title = params;
  t.titleDefined = true;
  return true;
}

bool BattleFileReader::ReadTitleLine(std::string_view params) {
  if (!CommonCheck(params)) return false;
  const VoiceSplit split = SplitVoicePart(params);
  if (split.rest.size() > kMaxTitleLine) return FailAtLine("TitleLine too long in line ");
  if (split.rest.empty()) {
    return FailAtLine("TitleLine contains a voice file, but no text in line ");
  }
  if (HasHash(split.rest) || HasHash(split.voice)) return FailAtLine("# not allowed in line ");
  config_.title.titleLines.emplace_back(split.rest);
  config_.title.titleLineVoices.emplace_back(split.voice);
  return true;
}

bool BattleFileReader::ReadDialog(DialogEvent event, std::string_view params) {
  if (!CommonCheck(params) || !RequireSystem()) return false;
  const VoiceSplit split = SplitVoicePart(params);
  const std::size_t colon = split.rest.find(':');
  if (colon == std::string_view::npos) return FailAtLine("No speaker defined in line ");
  const std::string_view speaker = TrimView(split.rest.substr(0, colon));
  const std::string_view text = TrimView(split.rest.substr(colon + 1));
  if (speaker.empty()) return FailAtLine("No speaker defined in line ");
  if (text.empty()) return FailAtLine("No dialog line defined in line ");
  if (speaker.size() > kMaxSpeaker) return FailAtLine("Speaker too long in line ");
  if (text.size() > kMaxDialogText) return FailAtLine("Dialog line too long in line ");
  if (HasHash(speaker) || HasHash(text) || HasHash(split.voice)) {
    return FailAtLine("# not allowed in line ");
  }
  DialogLine line;
  line.speaker = speaker;
  line.text = text;
  line.voice = split.voice;
  line.hasSpeaker = line.hasText = line.hasVoice = true;
  current_->Dialogs(event).push_back(std::move(line));
  return true;
}

bool BattleFileReader::ReadNeutralBehavior(std::string_view params) {
  if (!CommonCheck(params) || !RequireSystem()) return false;
  StarSystem& s = *current_;
  if (s.neutralBehaviorDefined) {
    return FailAtLine("NeutralBehavior redefinition for the current system in line ");
  }
  if (params == "EnemyWhenAttacked") {
    s.neutralBehavior = NeutralBehavior::EnemyWhenAttacked;
    s.neutralBehaviorDefined = true;
  } else {
    static constexpr std::array<std::string_view, 3> kWords = {"EnemyAfter", "FriendAfter",
                                                               "Random"};
    const auto word = WordIndex(TokenView(params, 1), kWords);
    if (!word) return FailAtLine("Invalid NeutralBehavior in line ");
    s.neutralBehavior = static_cast<NeutralBehavior>(*word + 1);
    s.neutralBehaviorDefined = true;
    if (s.neutralBehavior != NeutralBehavior::Random) {
      if (!ParseNumber(TokenView(params, 2), s.neutralBehaviorTime)) {
        return FailAtLine("Invalid NeutralBehavior in line ");
      }
      s.neutralBehaviorTimeDefined = true;
    }
  }
  if (!TokenView(params, 3).empty()) return FailAtLine("Too many parameters in line ");
  return true;
}

bool BattleFileReader::ReadWarpDisable(std::string_view params) {
  if (!CommonCheck(params) || !RequireSystem()) return false;
  StarSystem& s = *current_;
  bool* value = nullptr;
  bool* defined = nullptr;
  if (params == "Enemy") {
    value = &s.warpDisableEnemy;
    defined = &s.warpDisableEnemyDefined;
  } else if (params == "Friend") {
    value = &s.warpDisableFriend;
    defined = &s.warpDisableFriendDefined;
  } else if (params == "Neutral") {
    value = &s.warpDisableNeutral;
    defined = &s.warpDisableNeutralDefined;
  } else if (params == "Player") {
    value = &s.warpDisablePlayer;
    defined = &s.warpDisablePlayerDefined;
  } else {
    return FailAtLine("Invalid parameter in line ");
  }
  if (*defined) {
    return Fail(
        "WarpDisable = " + std::string(params) + " redefinition for the current system in line ",
        true);
  }
  *value = true;
  *defined = true;
  return true;
}

bool BattleFileReader::ReadAction(Keyword keyword, std::string_view params) {
  if (!CommonCheck(params) || !RequireSystem()) return false;
  StarSystem& s = *current_;
  const std::string_view action = TokenView(params, 1);
  const std::string_view time = TokenView(params, 2);
  std::int32_t value = 0;
  const bool isNumber = ParseNumber(time, value);
  const bool warpIn = action == "WarpInAfter";
  const bool warpOut = action == "WarpOutAfter";
  const bool joinEscort = action == "JoinEscortAfter";
  if (warpIn) {
    if (!isNumber) return FailAtLine("Invalid action in line ");
  } else if (warpOut || joinEscort) {
    if (time == "Cleared") {
      value = kCleared;
    } else if (!isNumber) {
      return FailAtLine("Invalid action in line ");
    }
  } else {
    return FailAtLine("Invalid action in line ");
  }
  if (joinEscort && keyword != Keyword::FriendAction) {
    return FailAtLine(
        "JoinEscortAfter cannot be specified for EnemyAction or NeutralAction in line ");
  }
  std::int32_t* target = nullptr;
  bool* defined = nullptr;
  std::string group = "FriendAction";
  if (keyword == Keyword::FriendAction) {
    target = warpIn    ? &s.friendWarpInAfter
             : warpOut ? &s.friendWarpOutAfter
                       : &s.friendJoinEscortAfter;
    defined = warpIn    ? &s.friendWarpInDefined
              : warpOut ? &s.friendWarpOutDefined
                        : &s.friendJoinEscortDefined;
  } else if (keyword == Keyword::EnemyAction) {
    group = "EnemyAction";
    target = warpIn ? &s.enemyWarpInAfter : &s.enemyWarpOutAfter;
    defined = warpIn ? &s.enemyWarpInDefined : &s.enemyWarpOutDefined;
  } else {
    group = "NeutralAction";
    target = warpIn ? &s.neutralWarpInAfter : &s.neutralWarpOutAfter;
    defined = warpIn ? &s.neutralWarpInDefined : &s.neutralWarpOutDefined;
  }
  if (*defined) {
    return Fail(
        group + " = " + std::string(action) + " redefinition for the current system in line ",
        true);
  }
  *target = value;
  *defined = true;
  if (!TokenView(params, 3).empty()) return FailAtLine("Too many parameters in line ");
  return true;
}

}  // namespace vk7
