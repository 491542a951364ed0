#include "content/battle_overview.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_set>
#include <utility>

#include "battle/battle_syntax.h"
#include "battle/battle_words.h"
#include "battle/windows_1252.h"
#include "content/ship_catalog.h"
#include "content/system_catalog.h"

namespace vk7 {

namespace {

constexpr std::uint32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string T(const std::string& bytes) {
  return Cp1252ToShownUtf8(bytes);
}

// Catalog file names, as the finding badges name them.
const std::string kShipsLack = std::string("not in ") + ShipCatalog::kFileName;
const std::string kSystemsLack = std::string("not in ") + SystemCatalog::kFileName;

// The marks a check result asks for: its detail rows, and the systems it did not find.
class Findings {
 public:
  explicit Findings(const CheckResult* check) {
    if (check == nullptr) return;
    ships_.insert(check->shipDetails.begin(), check->shipDetails.end());
    planets_.insert(check->planetDetails.begin(), check->planetDetails.end());
    systems_.insert(check->missingSystems.begin(), check->missingSystems.end());
  }

  std::string Ship(const ShipEntry& ship, ShipRole role, const std::string& system) const {
    return ships_.count(ShipDetailRow(ship.shipClass, role, system)) ? kShipsLack : "";
  }
  std::string Planet(const std::string& planet, ShipRole role, const std::string& system) const {
    return planets_.count(PlanetDetailRow(planet, role, system)) ? kSystemsLack : "";
  }
  std::string System(const std::string& system) const {
    return systems_.count(system) ? kSystemsLack : "";
  }

 private:
  std::unordered_set<std::string> ships_;
  std::unordered_set<std::string> planets_;
  std::unordered_set<std::string> systems_;
};

std::string ShipText(const ShipEntry& ship) {
  std::string text = ship.shipClass.empty() ? std::string("(no class)") : T(ship.shipClass);
  if (ship.hasName) text += " \"" + T(ship.name) + "\"";
  return text;
}

std::string Seconds(std::int32_t seconds) {
  return "after " + std::to_string(seconds) + " s";
}

// The label of an enumeration value; labels that are the file's own words come from there.
template <typename Enum>
std::string Label(Enum value, std::initializer_list<std::string_view> words) {
  const auto index = static_cast<std::size_t>(value);
  if (index < words.size()) return std::string(*(words.begin() + index));
  return "unknown (" + std::to_string(static_cast<std::int32_t>(value)) + ")";
}

std::string Option(const char* label, const std::string& value, bool defined) {
  return std::string(label) + ": " + value + (defined ? "" : " (not set)");
}

std::string BehaviorText(const StarSystem& s) {
  switch (s.neutralBehavior) {
    case NeutralBehavior::EnemyWhenAttacked:
      return "Enemy when attacked";
    case NeutralBehavior::EnemyAfter:
      return "Enemy " + Seconds(s.neutralBehaviorTime);
    case NeutralBehavior::FriendAfter:
      return "Friend " + Seconds(s.neutralBehaviorTime);
    case NeutralBehavior::Random:
      return std::string(Word(NeutralBehavior::Random));
  }
  return Label(s.neutralBehavior, {});
}

std::string DialogRow(const DialogLine& line) {
  std::string row = T(line.speaker) + ": " + T(line.text);
  if (!line.voice.empty()) row += " [" + T(line.voice) + "]";
  return row;
}

// Where a group starts: a planet (marked when the catalog lacks it) or coordinates.
std::optional<BattleOverview::Item> Start(const StarSystem& s, ShipRole role,
                                          const Findings& findings) {
  const PositionFields<true> p = s.Position(role);
  if (p.Kind() == StartKind::Planet) {
    return BattleOverview::Item{"planet " + T(p.position.planet),
                                findings.Planet(p.position.planet, role, s.name)};
  }
  if (p.Kind() == StartKind::Coordinates) {
    return BattleOverview::Item{"x " + std::to_string(p.position.x) + ", y " +
                                    std::to_string(p.position.y) + ", z " +
                                    std::to_string(p.position.z),
                                {}};
  }
  return std::nullopt;
}

// When an event happens, as a sort key and as the words shown.
enum class Phase { Start, Initially, Timed, Conditional, Cleared, Never, End };
struct Timing {
  Phase phase;
  std::int32_t seconds;
  std::string when;
};

Timing Timed(std::int32_t seconds) {
  return {Phase::Timed, seconds, Seconds(seconds)};
}
Timing WarpIn(TimeFields<true> time) {
  return time.defined ? Timed(time.after) : Timing{Phase::Initially, 0, "initially"};
}
Timing WarpOut(TimeFields<true> time) {
  if (!time.defined) return {Phase::Never, 0, "never"};
  if (time.after == kCleared) return {Phase::Cleared, 0, "when cleared"};
  return Timed(time.after);
}

// Stardate, battle mode and who may not warp out.
std::string SystemDetails(const StarSystem& s) {
  std::string details;
  if (s.stardateDefined) details = "Stardate " + std::to_string(s.stardate) + " \xC2\xB7 ";
  details += Label(s.battleMode, {Word(BattleMode::AI), "Statistic"}) + " battle";
  std::string disabled;
  for (const auto& [role, who] :
       {std::pair{ShipRole::Player, "player"}, std::pair{ShipRole::Friend, "friends"},
        std::pair{ShipRole::Enemy, "enemies"}, std::pair{ShipRole::Neutral, "neutrals"}}) {
    if (s.WarpDisable(role).On()) disabled += (disabled.empty() ? "" : ", ") + std::string(who);
  }
  if (!disabled.empty()) details += " \xC2\xB7 no warping out for " + disabled;
  return details;
}

// The ships of each resident role, with where they start and how the neutrals behave.
std::vector<BattleOverview::Group> ShipGroups(const StarSystem& s, const Findings& findings) {
  constexpr auto kHeadings =
      std::to_array<const char*>({"Friends", "Enemies", "Neutrals", "Hulks"});
  std::vector<BattleOverview::Group> groups;
  for (std::size_t r = 0; r < kResidentRoles.size(); ++r) {
    const ShipRole role = kResidentRoles[r];
    BattleOverview::Group group{role, kHeadings[r], {}, {}};
    if (auto start = Start(s, role, findings)) {
      start->text = "starts at " + start->text;
      group.notes.push_back(*start);
    }
    const std::vector<ShipEntry>& ships = s.Ships(role);
    if (role == ShipRole::Neutral && (!ships.empty() || s.neutralBehaviorDefined)) {
      group.notes.push_back({"behavior: " + BehaviorText(s), {}});
    }
    for (const ShipEntry& ship : ships) {
      group.items.push_back({ShipText(ship), findings.Ship(ship, role, s.name)});
    }
    if (ships.empty()) group.items.push_back({"none", {}, true});
    groups.push_back(std::move(group));
  }
  return groups;
}

// A moment the time line may show.
struct Candidate {
  DialogEvent dialog;
  ShipRole role;
  std::string what;
  Timing timing;
  bool relevant;  // set by the battle, or concerning ships it has
};

// When the neutrals turn hostile and when friendly.
std::pair<Timing, Timing> NeutralTurns(const StarSystem& s) {
  Timing toEnemy{Phase::Never, 0, "never"};
  Timing toFriend{Phase::Never, 0, "never"};
  switch (s.neutralBehavior) {
    case NeutralBehavior::EnemyWhenAttacked:
      toEnemy = {Phase::Conditional, 0, "when attacked"};
      break;
    case NeutralBehavior::EnemyAfter:
      toEnemy = Timed(s.neutralBehaviorTime);
      break;
    case NeutralBehavior::FriendAfter:
      toFriend = Timed(s.neutralBehaviorTime);
      break;
    case NeutralBehavior::Random:
      toEnemy = toFriend = {Phase::Conditional, 0, "at random"};
      break;
  }
  return {toEnemy, toFriend};
}

std::vector<Candidate> Candidates(const StarSystem& s, const std::string& begins) {
  const auto [toEnemy, toFriend] = NeutralTurns(s);
  const bool neutralsBehave = !s.neutrals.empty() || s.neutralBehaviorDefined;
  const auto time = [&](ShipRole role, ShipAction action) { return s.ActionTime(role, action); };
  const auto warpsIn = [&](ShipRole role) { return time(role, ShipAction::WarpIn).defined; };
  const auto defined = [&](ShipRole role, ShipAction action) { return time(role, action).defined; };
  return {
      {DialogEvent::StartingDialog, ShipRole::Player, begins, {Phase::Start, 0, "start"}, true},
      {DialogEvent::FriendWarpInDialog, ShipRole::Friend,
       warpsIn(ShipRole::Friend) ? "Friends warp in" : "Friends are in the system",
       WarpIn(time(ShipRole::Friend, ShipAction::WarpIn)),
       !s.friends.empty() || warpsIn(ShipRole::Friend)},
      {DialogEvent::EnemyWarpInDialog, ShipRole::Enemy,
       warpsIn(ShipRole::Enemy) ? "Enemies warp in" : "Enemies are in the system",
       WarpIn(time(ShipRole::Enemy, ShipAction::WarpIn)),
       !s.enemies.empty() || warpsIn(ShipRole::Enemy)},
      {DialogEvent::NeutralWarpInDialog, ShipRole::Neutral,
       warpsIn(ShipRole::Neutral) ? "Neutrals warp in" : "Neutrals are in the system",
       WarpIn(time(ShipRole::Neutral, ShipAction::WarpIn)),
       !s.neutrals.empty() || warpsIn(ShipRole::Neutral)},
      {DialogEvent::FriendWarpOutDialog, ShipRole::Friend, "Friends warp out",
       WarpOut(time(ShipRole::Friend, ShipAction::WarpOut)),
       defined(ShipRole::Friend, ShipAction::WarpOut)},
      {DialogEvent::EnemyWarpOutDialog, ShipRole::Enemy, "Enemies warp out",
       WarpOut(time(ShipRole::Enemy, ShipAction::WarpOut)),
       !s.enemies.empty() || defined(ShipRole::Enemy, ShipAction::WarpOut)},
      {DialogEvent::NeutralWarpOutDialog, ShipRole::Neutral, "Neutrals warp out",
       WarpOut(time(ShipRole::Neutral, ShipAction::WarpOut)),
       defined(ShipRole::Neutral, ShipAction::WarpOut)},
      {DialogEvent::FriendJoinEscortDialog, ShipRole::Friend, "Friends join the escort",
       WarpOut(time(ShipRole::Friend, ShipAction::JoinEscort)),
       defined(ShipRole::Friend, ShipAction::JoinEscort)},
      {DialogEvent::NeutralToFriendDialog, ShipRole::Neutral, "Neutrals turn friendly", toFriend,
       neutralsBehave && toFriend.phase != Phase::Never},
      {DialogEvent::NeutralToEnemyDialog, ShipRole::Neutral, "Neutrals turn hostile", toEnemy,
       neutralsBehave && toEnemy.phase != Phase::Never},
      {DialogEvent::EndingDialog, ShipRole::Player, "System ends", {Phase::End, 0, "end"}, true},
  };
}

// Every event that the battle sets, or that has ships it concerns, or that has dialog, in the
// order they happen.
std::vector<BattleOverview::Event> TimeLine(const StarSystem& s, const Findings& findings) {
  std::string begins = "System begins";
  std::string playerFinding;
  if (auto start = Start(s, ShipRole::Player, findings)) {
    begins += "; the player starts at " + start->text;
    playerFinding = start->finding;
  }
  const std::vector<Candidate> candidates = Candidates(s, begins);
  std::vector<const Candidate*> shown;
  for (const Candidate& c : candidates) {
    if (c.relevant || !s.Dialogs(c.dialog).empty()) shown.push_back(&c);
  }
  std::stable_sort(shown.begin(), shown.end(), [](const Candidate* a, const Candidate* b) {
    if (a->timing.phase != b->timing.phase) return a->timing.phase < b->timing.phase;
    return a->timing.seconds < b->timing.seconds;
  });
  std::vector<BattleOverview::Event> events;
  for (const Candidate* c : shown) {
    BattleOverview::Event event{c->timing.when, c->what, c->role, {}, {}};
    if (c->dialog == DialogEvent::StartingDialog) event.finding = playerFinding;
    for (const DialogLine& line : s.Dialogs(c->dialog)) event.dialog.push_back(DialogRow(line));
    events.push_back(std::move(event));
  }
  return events;
}

BattleOverview::System BuildSystem(const StarSystem& s, std::size_t number,
                                   const Findings& findings) {
  BattleOverview::System out;
  out.heading = "System " + std::to_string(number) + ": " + T(s.name);
  out.finding = findings.System(s.name);
  out.details = SystemDetails(s);
  out.groups = ShipGroups(s, findings);
  out.events = TimeLine(s, findings);
  return out;
}

}  // namespace

std::string Cp1252ToShownUtf8(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    // Control characters, and the bytes the code page leaves undefined (which keep their own
    // value as characters), are not shown as they are.
    const std::uint32_t code = Cp1252ToUnicode(c);
    const bool control = code < 0x20 || (code >= 0x7F && code < 0xA0);
    AppendUtf8(out, control && c != '\t' ? kReplacement : code);
  }
  return out;
}

BattleOverview BuildOverview(const BattleConfig& config, const CheckResult* check) {
  const Findings findings(check);
  BattleOverview out;
  out.title = config.title.titleDefined ? T(config.title.title) : T(config.name);
  out.fileName = T(BattleFileName(config.name));
  for (std::size_t i = 0; i < config.title.titleLines.size(); ++i) {
    std::string line = T(config.title.titleLines[i]);
    if (i < config.title.titleLineVoices.size() && !config.title.titleLineVoices[i].empty()) {
      line += " [" + T(config.title.titleLineVoices[i]) + "]";
    }
    out.titleLines.push_back(std::move(line));
  }

  BattleOverview::Group player{ShipRole::Player, std::string(Word(Keyword::Player)), {}, {}};
  player.items.push_back(
      {ShipText(config.player), findings.Ship(config.player, ShipRole::Player, {})});
  BattleOverview::Group escort{ShipRole::Escort, std::string(Word(Keyword::Escort)), {}, {}};
  for (const ShipEntry& ship : config.escorts) {
    escort.items.push_back({ShipText(ship), findings.Ship(ship, ShipRole::Escort, {})});
  }
  if (config.escorts.empty()) escort.items.push_back({"none", {}, true});
  const BattleOptions& o = config.options;
  // The options take the plain grey of the hulks.
  BattleOverview::Group options{ShipRole::Hulk, "General Options", {}, {}};
  options.items = {
      {Option("Warp Out",
              Label(o.warpOut,
                    {Word(WarpOutMode::Anytime), "When Cleared", Word(WarpOutMode::Sequential)}),
              o.warpOutDefined),
       {}},
      {Option("Collisions",
              Label(o.collision, {Word(CollisionMode::On), "Off for Player", "Off for All"}),
              o.collisionDefined),
       {}},
      {Option("Ship Change",
              Label(o.shipChange, {Word(ShipChangeMode::Off), "Manual", "Automatic"}),
              o.shipChangeDefined),
       {}},
      {Option("Perfect Cloak", Label(o.perfectCloak, {PerfectCloakWord(0), PerfectCloakWord(1)}),
              o.perfectCloakDefined),
       {}}};
  out.general = {std::move(player), std::move(escort), std::move(options)};

  for (std::size_t i = 0; i < config.systems.size(); ++i) {
    out.systems.push_back(BuildSystem(config.systems[i], i + 1, findings));
  }

  if (check != nullptr) {
    std::vector<std::string> rows;
    for (const std::string& row : check->shipDetails) rows.push_back(T(row));
    for (const std::string& row : check->planetDetails) rows.push_back(T(row));
    for (const std::string& name : check->missingSystems) {
      rows.push_back("System " + T(name) + " is " + kSystemsLack);
    }
    out.findings = std::move(rows);
  }
  return out;
}

}  // namespace vk7
