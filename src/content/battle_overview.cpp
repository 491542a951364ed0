#include "content/battle_overview.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

#include "content/ship_catalog.h"
#include "content/system_catalog.h"

namespace vk7 {

namespace {

// Unicode code points of the bytes 0x80 to 0x9F; 0 where the code page defines nothing.
constexpr std::uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
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

template <typename Enum>
std::string Word(Enum value, std::initializer_list<const char*> words) {
  const auto index = static_cast<std::size_t>(value);
  if (index < words.size()) return *(words.begin() + index);
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
      return "Random";
  }
  return Word(s.neutralBehavior, {});
}

std::string DialogRow(const DialogLine& line) {
  std::string row = T(line.speaker) + ": " + T(line.text);
  if (!line.voice.empty()) row += " [" + T(line.voice) + "]";
  return row;
}

// Where a group starts: a planet (marked when the catalog lacks it) or coordinates.
std::optional<BattleOverview::Item> Start(const StarSystem& s, const ShipPosition& position,
                                          bool coords, bool planet, ShipRole role,
                                          const Findings& findings) {
  if (planet) {
    return BattleOverview::Item{"planet " + T(position.planet),
                                findings.Planet(position.planet, role, s.name)};
  }
  if (coords) {
    return BattleOverview::Item{"x " + std::to_string(position.x) + ", y " +
                                    std::to_string(position.y) + ", z " +
                                    std::to_string(position.z),
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
Timing WarpIn(bool defined, std::int32_t seconds) {
  return defined ? Timed(seconds) : Timing{Phase::Initially, 0, "initially"};
}
Timing WarpOut(bool defined, std::int32_t seconds) {
  if (!defined) return {Phase::Never, 0, "never"};
  if (seconds == kCleared) return {Phase::Cleared, 0, "when cleared"};
  return Timed(seconds);
}

BattleOverview::System BuildSystem(const StarSystem& s, std::size_t number,
                                   const Findings& findings) {
  BattleOverview::System out;
  out.heading = "System " + std::to_string(number) + ": " + T(s.name);
  out.finding = findings.System(s.name);
  if (s.stardateDefined) out.details = "Stardate " + std::to_string(s.stardate) + " \xC2\xB7 ";
  out.details += Word(s.battleMode, {"AI", "Statistic"}) + " battle";
  std::string disabled;
  for (const auto& [flag, who] :
       {std::pair{s.warpDisablePlayer, "player"}, std::pair{s.warpDisableFriend, "friends"},
        std::pair{s.warpDisableEnemy, "enemies"}, std::pair{s.warpDisableNeutral, "neutrals"}}) {
    if (flag) disabled += (disabled.empty() ? "" : ", ") + std::string(who);
  }
  if (!disabled.empty()) out.details += " \xC2\xB7 no warping out for " + disabled;

  struct RoleGroup {
    ShipRole role;
    const char* heading;
    const ShipPosition& position;
    bool coords;
    bool planet;
  };
  const RoleGroup roles[] = {
      {ShipRole::Friend, "Friends", s.friendPosition, s.friendCoordsDefined, s.friendPlanetDefined},
      {ShipRole::Enemy, "Enemies", s.enemyPosition, s.enemyCoordsDefined, s.enemyPlanetDefined},
      {ShipRole::Neutral, "Neutrals", s.neutralPosition, s.neutralCoordsDefined,
       s.neutralPlanetDefined},
      {ShipRole::Hulk, "Hulks", s.hulkPosition, s.hulkCoordsDefined, s.hulkPlanetDefined}};
  for (const RoleGroup& r : roles) {
    BattleOverview::Group group{r.role, r.heading, {}, {}};
    if (auto start = Start(s, r.position, r.coords, r.planet, r.role, findings)) {
      start->text = "starts at " + start->text;
      group.notes.push_back(*start);
    }
    const std::vector<ShipEntry>& ships = s.Ships(r.role);
    if (r.role == ShipRole::Neutral && (!ships.empty() || s.neutralBehaviorDefined)) {
      group.notes.push_back({"behavior: " + BehaviorText(s), {}});
    }
    for (const ShipEntry& ship : ships) {
      group.items.push_back({ShipText(ship), findings.Ship(ship, r.role, s.name)});
    }
    if (ships.empty()) group.items.push_back({"none", {}, true});
    out.groups.push_back(std::move(group));
  }

  // Every event that the battle sets, or that has ships it concerns, or that has dialog.
  struct Candidate {
    DialogEvent dialog;
    ShipRole role;
    std::string what;
    Timing timing;
    bool relevant;
  };
  const NeutralBehavior behavior = s.neutralBehavior;
  const bool neutralsBehave = !s.neutrals.empty() || s.neutralBehaviorDefined;
  Timing toEnemy{Phase::Never, 0, "never"};
  if (behavior == NeutralBehavior::EnemyWhenAttacked) {
    toEnemy = {Phase::Conditional, 0, "when attacked"};
  } else if (behavior == NeutralBehavior::EnemyAfter) {
    toEnemy = Timed(s.neutralBehaviorTime);
  }
  Timing toFriend{Phase::Never, 0, "never"};
  if (behavior == NeutralBehavior::FriendAfter) toFriend = Timed(s.neutralBehaviorTime);
  if (behavior == NeutralBehavior::Random) {
    toEnemy = toFriend = {Phase::Conditional, 0, "at random"};
  }

  std::string begins = "System begins";
  std::string playerFinding;
  if (auto start = Start(s, s.playerPosition, s.playerCoordsDefined, s.playerPlanetDefined,
                         ShipRole::Player, findings)) {
    begins += "; the player starts at " + start->text;
    playerFinding = start->finding;
  }
  const std::vector<Candidate> candidates = {
      {DialogEvent::StartingDialog, ShipRole::Player, begins, {Phase::Start, 0, "start"}, true},
      {DialogEvent::FriendWarpInDialog, ShipRole::Friend,
       s.friendWarpInDefined ? "Friends warp in" : "Friends are in the system",
       WarpIn(s.friendWarpInDefined, s.friendWarpInAfter),
       !s.friends.empty() || s.friendWarpInDefined},
      {DialogEvent::EnemyWarpInDialog, ShipRole::Enemy,
       s.enemyWarpInDefined ? "Enemies warp in" : "Enemies are in the system",
       WarpIn(s.enemyWarpInDefined, s.enemyWarpInAfter),
       !s.enemies.empty() || s.enemyWarpInDefined},
      {DialogEvent::NeutralWarpInDialog, ShipRole::Neutral,
       s.neutralWarpInDefined ? "Neutrals warp in" : "Neutrals are in the system",
       WarpIn(s.neutralWarpInDefined, s.neutralWarpInAfter),
       !s.neutrals.empty() || s.neutralWarpInDefined},
      {DialogEvent::FriendWarpOutDialog, ShipRole::Friend, "Friends warp out",
       WarpOut(s.friendWarpOutDefined, s.friendWarpOutAfter), s.friendWarpOutDefined},
      {DialogEvent::EnemyWarpOutDialog, ShipRole::Enemy, "Enemies warp out",
       WarpOut(s.enemyWarpOutDefined, s.enemyWarpOutAfter),
       !s.enemies.empty() || s.enemyWarpOutDefined},
      {DialogEvent::NeutralWarpOutDialog, ShipRole::Neutral, "Neutrals warp out",
       WarpOut(s.neutralWarpOutDefined, s.neutralWarpOutAfter), s.neutralWarpOutDefined},
      {DialogEvent::FriendJoinEscortDialog, ShipRole::Friend, "Friends join the escort",
       WarpOut(s.friendJoinEscortDefined, s.friendJoinEscortAfter), s.friendJoinEscortDefined},
      {DialogEvent::NeutralToFriendDialog, ShipRole::Neutral, "Neutrals turn friendly", toFriend,
       neutralsBehave && toFriend.phase != Phase::Never},
      {DialogEvent::NeutralToEnemyDialog, ShipRole::Neutral, "Neutrals turn hostile", toEnemy,
       neutralsBehave && toEnemy.phase != Phase::Never},
      {DialogEvent::EndingDialog, ShipRole::Player, "System ends", {Phase::End, 0, "end"}, true},
  };
  std::vector<const Candidate*> shown;
  for (const Candidate& c : candidates) {
    if (c.relevant || !s.Dialogs(c.dialog).empty()) shown.push_back(&c);
  }
  std::stable_sort(shown.begin(), shown.end(), [](const Candidate* a, const Candidate* b) {
    if (a->timing.phase != b->timing.phase) return a->timing.phase < b->timing.phase;
    return a->timing.seconds < b->timing.seconds;
  });
  for (const Candidate* c : shown) {
    BattleOverview::Event event{c->timing.when, c->what, c->role, {}, {}};
    if (c->dialog == DialogEvent::StartingDialog) event.finding = playerFinding;
    for (const DialogLine& line : s.Dialogs(c->dialog)) event.dialog.push_back(DialogRow(line));
    out.events.push_back(std::move(event));
  }
  return out;
}

}  // namespace

std::string Cp1252ToShownUtf8(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    std::uint32_t code = byte;
    if ((byte < 0x20 && byte != '\t') || byte == 0x7F) {
      code = kReplacement;
    } else if (byte >= 0x80 && byte < 0xA0) {
      code = kHighControls[byte - 0x80] != 0 ? kHighControls[byte - 0x80] : kReplacement;
    }
    AppendUtf8(out, code);
  }
  return out;
}

BattleOverview BuildOverview(const BattleConfig& config, const CheckResult* check) {
  const Findings findings(check);
  BattleOverview out;
  out.title = config.title.titleDefined && !config.title.title.empty() ? T(config.title.title)
                                                                       : T(config.name);
  out.fileName = T(config.name) + ".vk7";
  for (std::size_t i = 0; i < config.title.titleLines.size(); ++i) {
    std::string line = T(config.title.titleLines[i]);
    if (i < config.title.titleLineVoices.size() && !config.title.titleLineVoices[i].empty()) {
      line += " [" + T(config.title.titleLineVoices[i]) + "]";
    }
    out.titleLines.push_back(std::move(line));
  }

  BattleOverview::Group player{ShipRole::Player, "Player", {}, {}};
  player.items.push_back(
      {ShipText(config.player), findings.Ship(config.player, ShipRole::Player, {})});
  BattleOverview::Group escort{ShipRole::Escort, "Escort", {}, {}};
  for (const ShipEntry& ship : config.escorts) {
    escort.items.push_back({ShipText(ship), findings.Ship(ship, ShipRole::Escort, {})});
  }
  if (config.escorts.empty()) escort.items.push_back({"none", {}, true});
  const BattleOptions& o = config.options;
  // The options take the plain grey of the hulks.
  BattleOverview::Group options{ShipRole::Hulk, "General Options", {}, {}};
  options.items = {
      {Option("Warp Out", Word(o.warpOut, {"Anytime", "When Cleared", "Sequential"}),
              o.warpOutDefined),
       {}},
      {Option("Collisions", Word(o.collision, {"On", "Off for Player", "Off for All"}),
              o.collisionDefined),
       {}},
      {Option("Ship Change", Word(o.shipChange, {"Off", "Manual", "Automatic"}),
              o.shipChangeDefined),
       {}},
      {Option("Perfect Cloak", Word(o.perfectCloak, {"Off", "On"}), o.perfectCloakDefined), {}}};
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
