#include "battle/battle_file_reader.h"

#include <array>
#include <cstring>
#include <new>
#include <optional>
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
    if (info.text == keyword) return &info;
  }
  return nullptr;
}

constexpr std::size_t kNameBlockSize = std::size_t{1} << 20;
// Battle lines hold at most 255 characters, so a length byte does for any name.
static_assert(kMaxBattleLine <= 255);

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
  config_.name = name;
  lineNumber_ = 0;
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
    PrepareNames(source.SizeHint());
    // Room for every system a battle may have.
    config_.systems.reserve(config_.systems.size() + kMaxSystems);
    ok = ReadLines(source, skipRemarks);
  } catch (const std::bad_alloc&) {
    ok = Fail("Out of memory!", false);
  }
  names_.clear();
  names_.shrink_to_fit();
  namesChecked_ = 0;
  nameBlocks_.clear();
  nameBlocks_.shrink_to_fit();
  source.Close();
  return ok;
}

void BattleFileReader::PrepareNames(std::uint64_t sizeHint) {
  names_.clear();
  namesChecked_ = 0;
  nameBlocks_.clear();
  nameBlockUsed_ = kNameBlockSize;
  // A named ship takes a line of 25 characters at the least and about 45 as the editor
  // writes it.
  names_.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(sizeHint / 40, 1u << 26)));
}

std::string_view BattleFileReader::StoredName(std::uint32_t id) const {
  const char* at = nameBlocks_[id / kNameBlockSize].get() + id % kNameBlockSize;
  return std::string_view(at + 1, static_cast<unsigned char>(at[0]));
}

void BattleFileReader::AddShipName(std::string_view name) {
  if (nameBlockUsed_ + 1 + name.size() > kNameBlockSize) {
    if (nameBlocks_.size() >= UINT32_MAX / kNameBlockSize) throw std::bad_alloc();
    nameBlocks_.push_back(std::unique_ptr<char[]>(new char[kNameBlockSize]));
    nameBlockUsed_ = 0;
  }
  char* at = nameBlocks_.back().get() + nameBlockUsed_;
  at[0] = static_cast<char>(name.size());
  std::memcpy(at + 1, name.data(), name.size());
  const auto id =
      static_cast<std::uint32_t>((nameBlocks_.size() - 1) * kNameBlockSize + nameBlockUsed_);
  nameBlockUsed_ += 1 + name.size();
  names_.push_back(NameRecord{HashSlots::Hash(name), lineNumber_, id});
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
    return bits == 0 ? 0 : static_cast<std::size_t>(r.hash >> (32 - bits));
  };
  std::vector<std::uint32_t> starts(buckets + 1, 0);
  for (const NameRecord& r : names_) ++starts[bucketOf(r) + 1];
  for (std::size_t b = 0; b < buckets; ++b) starts[b + 1] += starts[b];
  std::vector<NameRecord> sorted(n);
  {
    std::vector<std::uint32_t> next(starts.begin(), starts.end() - 1);
    for (const NameRecord& r : names_) sorted[next[bucketOf(r)]++] = r;
  }
  std::optional<NameRecord> repeat;
  struct Slot {
    std::uint32_t hash;
    std::uint32_t at;  // position in `sorted` plus one; 0: empty
  };
  std::vector<Slot> table;
  for (std::size_t b = 0; b < buckets; ++b) {
    const std::size_t size = starts[b + 1] - starts[b];
    if (size < 2) continue;
    std::size_t capacity = 4;
    while (capacity < 2 * size) capacity *= 2;
    table.assign(capacity, Slot{0, 0});
    const std::size_t mask = capacity - 1;
    for (std::size_t k = starts[b]; k < starts[b + 1]; ++k) {
      const NameRecord& r = sorted[k];
      if (repeat && r.line >= repeat->line) break;
      std::size_t i = r.hash & mask;
      bool seen = false;
      for (; table[i].at != 0; i = (i + 1) & mask) {
        if (table[i].hash == r.hash && StoredName(sorted[table[i].at - 1].id) == StoredName(r.id)) {
          seen = true;
          break;
        }
      }
      if (seen) {
        repeat = r;
        break;
      }
      table[i] = Slot{r.hash, static_cast<std::uint32_t>(k + 1)};
    }
  }
  if (!repeat) return false;
  const std::string title = "Error in battle file " + config_.name + ".vk7";
  reporter_.ErrorAtLine(title,
                        "Redefinition of ship name " + std::string(StoredName(repeat->id)) +
                            " in line " + std::to_string(repeat->line),
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
  source.Close();
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
  }
  return true;
}

bool BattleFileReader::Fail(const std::string& message, bool withLine) {
  // A repeated ship name on an earlier line is the first error of the file.
  try {
    if (FailOnRepeatedName()) return false;
  } catch (const std::bad_alloc&) {
  }
  const std::string title = "Error in battle file " + config_.name + ".vk7";
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
  if (shipName) {
    if (!CommonCheck(*shipName)) return false;
    AddShipName(*shipName);
  }
  ShipEntry* ship = &config_.player;
  switch (keyword) {
    case Keyword::Player:
      config_.player = ShipEntry{};
      break;
    case Keyword::Escort:
      ship = &config_.escorts.emplace_back();
      break;
    case Keyword::Friend:
      ship = &current_->friends.emplace_back();
      break;
    case Keyword::Enemy:
      ship = &current_->enemies.emplace_back();
      break;
    case Keyword::Neutral:
      ship = &current_->neutrals.emplace_back();
      break;
    default:
      ship = &current_->hulks.emplace_back();
      break;
  }
  ship->shipClass.assign(shipClass);
  ship->hasClass = true;
  if (shipName) {
    ship->name.assign(*shipName);
    ship->hasName = true;
  }
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
