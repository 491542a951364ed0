#include "battle/battle_file_reader.h"

#include <algorithm>
#include <new>
#include <optional>
#include <utility>

#include "battle/battle_syntax.h"
#include "battle/consistency_rules.h"
#include "battle/string_helpers.h"

namespace vk7 {

namespace {

constexpr const char* kInvalidParameter = "Invalid parameter in line ";

// Names the register reserves room for at most, whatever the file's size suggests.
constexpr std::uint64_t kMostNamesReserved = std::uint64_t{1} << 26;

bool HasHash(std::string_view text) {
  return text.find('#') != std::string_view::npos;
}

bool IsCreatedByLine(std::string_view line) {
  return line.starts_with(kCommentMarker) && line.substr(kCommentMarker.size()) == kCreatedByRemark;
}

// Stores a word-valued option, when the word named a value.
template <typename Value>
bool Take(std::optional<Value> value, Value& field, bool& defined) {
  if (!value) return false;
  field = *value;
  defined = true;
  return true;
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
  current_ = nullptr;
  collectingRemarks_ = true;
  const bool ok = ReadSized(source, skipRemarks);
  names_.Clear();
  presizer_.Clear();
  source.Close();
  return ok;
}

bool BattleFileReader::ReadSized(TextLineFile& source, bool skipRemarks) {
  try {
    // A reading that drops each system as it ends reuses its lists instead.
    if (!sectionEnd_) presizer_.Count(source);
    presizer_.SizeEscorts(config_.escorts);
    names_.Reserve(
        static_cast<std::size_t>(std::min(presizer_.ExpectedShips(source), kMostNamesReserved)));
    return ReadLines(source, skipRemarks);
  } catch (const std::bad_alloc&) {
    return Fail("Out of memory!", false);
  }
}

bool BattleFileReader::ReadLines(TextLineFile& source, bool skipRemarks) {
  std::string_view line;
  if (!source.ReadLine(line) || line != kBattleFileHeader || !source.ReadLine(line)) {
    return Fail("Not a valid vk7 battle file!", false);
  }
  if (std::find(kFormatVersions.begin(), kFormatVersions.end(), line) == kFormatVersions.end()) {
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
  // A file is closed before any message is shown (the names checked next are the register's
  // own copies).
  source.Close();
  if (FailOnRepeatedName()) return false;
  if (current_ != nullptr && !CheckSectionEnd()) return false;
  if (current_ == nullptr) return Fail("No system defined", false);
  if (!config_.player.hasClass) return Fail("No player ship defined", false);
  return true;
}

bool BattleFileReader::HandleLine(std::string_view keyword, std::string_view params) {
  const std::optional<Keyword> found = FindKeyword(keyword);
  if (!found) {
    if (!keyword.empty()) return FailAtLine("Unknown keyword in line ");
    if (!params.empty()) return FailAtLine("Invalid line ");
    return true;
  }
  switch (*found) {
    case Keyword::Title:
      return ReadTitle(params);
    case Keyword::TitleLine:
      return ReadTitleLine(params);
    case Keyword::WarpOut:
    case Keyword::Collision:
    case Keyword::ShipChange:
    case Keyword::PerfectCloak:
      return ReadOption(*found, params);
    case Keyword::System:
      return ReadSystem(params);
    case Keyword::Stardate:
      return ReadStardate(params);
    case Keyword::NeutralBehavior:
      return ReadNeutralBehavior(params);
    case Keyword::WarpDisable:
      return ReadWarpDisable(params);
    case Keyword::BattleMode:
      return ReadBattleMode(params);
    case Keyword::Player:
    case Keyword::Escort:
    case Keyword::Friend:
    case Keyword::Enemy:
    case Keyword::Neutral:
    case Keyword::Hulk:
      return ReadShip(RoleOf(*found), params);
    case Keyword::PlayerPosition:
    case Keyword::FriendPosition:
    case Keyword::EnemyPosition:
    case Keyword::NeutralPosition:
    case Keyword::HulkPosition:
      return ReadPosition(RoleOf(*found), params);
    case Keyword::FriendAction:
    case Keyword::EnemyAction:
    case Keyword::NeutralAction:
      return ReadAction(RoleOf(*found), params);
    default:
      return ReadDialog(EventOf(*found), params);
  }
}

void BattleFileReader::CollectRemark(std::string_view line) {
  if (config_.remarks.empty() && !IsCreatedByLine(line)) {
    reporter_.Message("Warning", kForeignFileWarning);
    config_.remarks.emplace_back(kCreatedByRemark);
  }
  if (!collectingRemarks_) return;
  const std::string_view stripped = TrimView(line);
  if (!stripped.starts_with(kCommentMarker)) {
    collectingRemarks_ = false;
    return;
  }
  config_.remarks.emplace_back(stripped.substr(kCommentMarker.size()));
}

bool BattleFileReader::CheckSectionEnd() {
  if (auto message = StatisticModeViolation(*current_)) return Fail(*message, false);
  if (auto message = FriendExitViolation(*current_)) return Fail(*message, false);
  if (sectionEnd_) {
    sectionEnd_(*current_, static_cast<std::size_t>(current_ - config_.systems.data()));
    current_->ClearListsKeepingRoom();
    presizer_.TakeEmptied(*current_);
  }
  return true;
}

// Reports the first line whose ship name an earlier line already had, if there is one.
bool BattleFileReader::FailOnRepeatedName() {
  const std::optional<ShipNameRegister::Repeat> repeat = names_.FirstRepeat();
  if (!repeat) return false;
  reporter_.ErrorAtLine(
      BattleFileErrorTitle(config_.name),
      "Redefinition of ship name " + repeat->name + " in line " + std::to_string(repeat->line),
      repeat->line);
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

// "Class" or "Class = Name", for the player, an escort or a resident of the current system.
bool BattleFileReader::ReadShip(ShipRole role, std::string_view params) {
  const std::size_t equals = params.find('=');
  const std::string_view shipClass = TrimView(params.substr(0, equals));
  std::optional<std::string_view> shipName;
  if (equals != std::string_view::npos) {
    shipName = TrimView(params.substr(equals + 1));
    if (shipName->empty()) return FailAtLine("Parameter expected in line ");
  }
  if (role == ShipRole::Player) {
    if (config_.player.hasClass) return FailAtLine("Player redefinition in line ");
  } else if (role != ShipRole::Escort && !RequireSystem()) {
    return false;
  }
  if (!CommonCheck(shipClass)) return false;
  if (shipName && !CommonCheck(*shipName)) return false;
  // Built whole and moved in: cheaper than assigning to an empty entry.
  ShipEntry entry{std::string(shipClass), shipName ? std::string(*shipName) : std::string(), true,
                  shipName.has_value()};
  if (role == ShipRole::Player) {
    config_.player = std::move(entry);
  } else if (role == ShipRole::Escort) {
    config_.escorts.push_back(std::move(entry));
  } else {
    current_->Ships(role).push_back(std::move(entry));
  }
  if (shipName) names_.Add(*shipName, lineNumber_);
  return true;
}

bool BattleFileReader::ReadOption(Keyword keyword, std::string_view params) {
  if (!CommonCheck(params)) return false;
  BattleOptions& o = config_.options;
  switch (keyword) {
    case Keyword::WarpOut:
      if (o.warpOutDefined) return FailAtLine("WarpOut redefinition in line ");
      return Take(FromWord<WarpOutMode>(params), o.warpOut, o.warpOutDefined) ||
             FailAtLine(kInvalidParameter);
    case Keyword::Collision:
      if (o.collisionDefined) return FailAtLine("Collision redefinition in line ");
      return Take(FromWord<CollisionMode>(params), o.collision, o.collisionDefined) ||
             FailAtLine(kInvalidParameter);
    case Keyword::ShipChange:
      if (o.shipChangeDefined) return FailAtLine("ShipChange redefinition in line ");
      return Take(FromWord<ShipChangeMode>(params), o.shipChange, o.shipChangeDefined) ||
             FailAtLine(kInvalidParameter);
    default:
      if (o.perfectCloakDefined) return FailAtLine("PerfectCloak redefinition in line ");
      return Take(PerfectCloakFromWord(params), o.perfectCloak, o.perfectCloakDefined) ||
             FailAtLine(kInvalidParameter);
  }
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
  presizer_.SizeSystem(system, config_.systems.size() - 1);
  system.name = systemName;
  system.nameDefined = true;
  current_ = &system;
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

// Three coordinates, or the planet word and a planet name.
bool BattleFileReader::ReadPosition(ShipRole role, std::string_view params) {
  if (!CommonCheck(params) || !RequireSystem()) return false;
  const PositionFields<false> p = current_->Position(role);
  if (p.coordsDefined || p.planetDefined) {
    static constexpr const char* kRedefinition[] = {
        "Player position redefinition for the current system in line ",
        "",
        "Friend position redefinition for the current system in line ",
        "Enemy position redefinition for the current system in line ",
        "Neutral position redefinition for the current system in line ",
        "Hulk position redefinition for the current system in line "};
    return FailAtLine(kRedefinition[static_cast<std::size_t>(role)]);
  }
  if (TokenView(params, 1) == kPlanetWord) {
    const std::string_view planetName = TrimView(params.substr(kPlanetWord.size()));
    if (!CommonCheck(planetName)) return false;
    p.position.planet = planetName;
    p.planetDefined = true;
    return true;
  }
  // A read that fails is dropped whole, so a position may be left half parsed.
  if (!ParseNumber(TokenView(params, 1), p.position.x) ||
      !ParseNumber(TokenView(params, 2), p.position.y) ||
      !ParseNumber(TokenView(params, 3), p.position.z)) {
    return FailAtLine("Invalid position parameters in line ");
  }
  if (!TokenView(params, 4).empty()) return FailAtLine("Too many parameters in line ");
  p.coordsDefined = true;
  return true;
}

// An action word and its time; a warp-out or join-escort may wait for the system to be
// cleared instead.
bool BattleFileReader::ReadAction(ShipRole role, std::string_view params) {
  if (!CommonCheck(params) || !RequireSystem()) return false;
  const std::string_view word = TokenView(params, 1);
  const std::string_view time = TokenView(params, 2);
  const std::optional<ShipAction> action = FromWord<ShipAction>(word);
  std::int32_t value = 0;
  const bool isNumber = ParseNumber(time, value);
  if (action && *action != ShipAction::WarpIn && time == kClearedWord) {
    value = kCleared;
  } else if (!action || !isNumber) {
    return FailAtLine("Invalid action in line ");
  }
  if (*action == ShipAction::JoinEscort && role != ShipRole::Friend) {
    return FailAtLine(
        "JoinEscortAfter cannot be specified for EnemyAction or NeutralAction in line ");
  }
  const TimeFields<false> target = current_->ActionTime(role, *action);
  if (target.defined) {
    return Fail(std::string(Word(ActionKeyword(role))) + " = " + std::string(word) +
                    " redefinition for the current system in line ",
                true);
  }
  target.after = value;
  target.defined = true;
  if (!TokenView(params, 3).empty()) return FailAtLine("Too many parameters in line ");
  return true;
}

// A behaviour word, with a time for the two behaviours that change after one.
bool BattleFileReader::ReadNeutralBehavior(std::string_view params) {
  if (!CommonCheck(params) || !RequireSystem()) return false;
  StarSystem& s = *current_;
  if (s.neutralBehaviorDefined) {
    return FailAtLine("NeutralBehavior redefinition for the current system in line ");
  }
  const auto behavior = FromWord<NeutralBehavior>(TokenView(params, 1));
  // The behaviour without a time stands alone on its line.
  if (!behavior || (*behavior == NeutralBehavior::EnemyWhenAttacked && params != Word(*behavior))) {
    return FailAtLine("Invalid NeutralBehavior in line ");
  }
  s.neutralBehavior = *behavior;
  s.neutralBehaviorDefined = true;
  if (*behavior == NeutralBehavior::EnemyAfter || *behavior == NeutralBehavior::FriendAfter) {
    if (!ParseNumber(TokenView(params, 2), s.neutralBehaviorTime)) {
      return FailAtLine("Invalid NeutralBehavior in line ");
    }
    s.neutralBehaviorTimeDefined = true;
  }
  if (!TokenView(params, 3).empty()) return FailAtLine("Too many parameters in line ");
  return true;
}

// "[voice] Speaker: text", the voice part optional.
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

bool BattleFileReader::ReadWarpDisable(std::string_view params) {
  if (!CommonCheck(params) || !RequireSystem()) return false;
  const std::optional<ShipRole> role = WarpDisableFromWord(params);
  if (!role) return FailAtLine(kInvalidParameter);
  const SwitchFields<false> warpDisable = current_->WarpDisable(*role);
  if (warpDisable.defined) {
    return Fail(
        "WarpDisable = " + std::string(params) + " redefinition for the current system in line ",
        true);
  }
  warpDisable.value = true;
  warpDisable.defined = true;
  return true;
}

bool BattleFileReader::ReadBattleMode(std::string_view params) {
  if (!CommonCheck(params) || !RequireSystem()) return false;
  if (current_->battleModeDefined) {
    return FailAtLine("BattleMode redefinition for the current system in line ");
  }
  if (!Take(FromWord<BattleMode>(params), current_->battleMode, current_->battleModeDefined)) {
    return FailAtLine("Invalid battle mode in line ");
  }
  return true;
}

}  // namespace vk7
