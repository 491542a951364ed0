#include "support/random_battle.h"

#include <algorithm>
#include <array>
#include <climits>
#include <set>
#include <string>
#include <string_view>

namespace vk7::test {

std::uint64_t Rng::Next() {
  std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  return z ^ (z >> 31);
}

std::uint32_t Rng::Below(std::uint32_t n) {
  return static_cast<std::uint32_t>(Next() % n);
}

std::int32_t Rng::Between(std::int32_t lo, std::int32_t hi) {
  const auto span = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo) + 1;
  return static_cast<std::int32_t>(lo + static_cast<std::int64_t>(Next() % span));
}

namespace {

// Everything a value may hold: the characters the format gives a meaning somewhere ("=", ":",
// "[", "]", "/", the double quote, the tab) appear inside values too, but "#" never does.
constexpr std::string_view kAlphabet =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
    "      \t.,;!?'-()*+=:[]/\"~";

// Width of "Keyword<spaces>= " of each dialog kind, in DialogEvent order: a dialog line must
// fit into 255 characters with it.
constexpr std::array<std::size_t, kDialogEventCount> kDialogPrefix = {18, 18, 23, 23, 23, 23,
                                                                      23, 23, 25, 24, 24};

bool IsBlankChar(char c) {
  return c == ' ' || c == '\t';
}

class BattleMaker {
 public:
  explicit BattleMaker(std::uint64_t seed) : rng_(seed) {}

  BattleConfig Make() {
    BattleConfig config;
    config.remarks.emplace_back(kCreatedByRemark);
    for (std::uint32_t n = rng_.Below(4); n > 0; --n) config.remarks.push_back(Remark());

    if (rng_.Chance(70)) {
      config.title.title = Text(1, kMaxTitle);
      config.title.titleDefined = true;
    }
    for (std::uint32_t n = Count(3); n > 0; --n) {
      config.title.titleLineVoices.push_back(rng_.Chance(50) ? Text(1, 20, "]") : "");
      config.title.titleLines.push_back(Text(1, kMaxTitleLine, "", true));
    }

    BattleOptions& o = config.options;
    if ((o.warpOutDefined = rng_.Chance(50))) o.warpOut = static_cast<WarpOutMode>(rng_.Below(3));
    if ((o.collisionDefined = rng_.Chance(50))) {
      o.collision = static_cast<CollisionMode>(rng_.Below(3));
    }
    if ((o.shipChangeDefined = rng_.Chance(50))) {
      o.shipChange = static_cast<ShipChangeMode>(rng_.Below(3));
    }
    if ((o.perfectCloakDefined = rng_.Chance(50))) {
      o.perfectCloak = static_cast<std::int32_t>(rng_.Below(2));
    }

    config.player = Ship();
    for (std::uint32_t n = Count(4); n > 0; --n) config.escorts.push_back(Ship());

    const std::uint32_t systems = rng_.Chance(15) ? 6 : 1 + rng_.Below(3);
    for (std::uint32_t n = 0; n < systems; ++n) config.systems.push_back(System());
    return config;
  }

 private:
  // Mostly small counts, now and then none or the maximum.
  std::uint32_t Count(std::uint32_t max) { return rng_.Chance(40) ? 0 : 1 + rng_.Below(max); }

  std::size_t Length(std::size_t lo, std::size_t hi) {
    if (rng_.Chance(10)) return hi;
    const std::size_t top = rng_.Chance(75) ? std::min(hi, lo + 11) : hi;
    return lo + rng_.Below(static_cast<std::uint32_t>(top - lo + 1));
  }

  std::int32_t AnyNumber() {
    switch (rng_.Below(6)) {
      case 0:
        return INT32_MIN;
      case 1:
        return INT32_MAX;
      case 2:
        return 0;
      case 3:
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(rng_.Next()));
      default:
        return rng_.Between(-100000, 100000);
    }
  }

  // A warp-out or join-escort time: -1 (cleared) or a number of seconds.
  std::int32_t ExitTime() { return rng_.Chance(30) ? kCleared : rng_.Between(0, INT32_MAX); }

  char Pick() { return kAlphabet[rng_.Below(static_cast<std::uint32_t>(kAlphabet.size()))]; }

  // A value of lo to hi characters none of which is in `forbidden`, which the reader takes
  // back unchanged.
  std::string Text(std::size_t lo, std::size_t hi, std::string_view forbidden = {},
                   bool noLeadingBracket = false) {
    const std::size_t length = Length(lo, hi);
    std::string text;
    while (text.size() < length) {
      const char c = Pick();
      const bool first = text.empty();
      const bool last = text.size() + 1 == length;
      if (forbidden.find(c) != std::string_view::npos) continue;
      if ((first || last) && (IsBlankChar(c) || c == '"')) continue;
      if (first && (c == '=' || (noLeadingBracket && c == '['))) continue;
      if (c == '/' && !first && text.back() == '/') continue;
      text.push_back(c);
    }
    return text;
  }

  // A header comment: anything goes after the "//" but blanks at its end.
  std::string Remark() {
    std::string remark(rng_.Below(3), ' ');
    const std::size_t length = remark.size() + Length(0, kMaxBattleLine - 2 - remark.size());
    while (remark.size() < length) {
      const char c = rng_.Chance(5) ? '#' : Pick();
      if (remark.size() + 1 == length && IsBlankChar(c)) continue;
      remark.push_back(c);
    }
    if (remark.find_first_not_of(' ') == std::string::npos) remark.clear();
    return remark;
  }

  std::string UniqueShipName() {
    for (;;) {
      std::string name = Text(1, 30);
      if (shipNames_.insert(name).second) return name;
    }
  }

  ShipEntry Ship() {
    ShipEntry ship;
    ship.shipClass = Text(1, 24, "=");
    ship.hasClass = true;
    if (rng_.Chance(50)) {
      ship.name = UniqueShipName();
      ship.hasName = true;
    }
    return ship;
  }

  void Position(ShipPosition& position, bool& coords, bool& planet) {
    switch (rng_.Below(3)) {
      case 0:
        position.x = AnyNumber();
        position.y = AnyNumber();
        position.z = AnyNumber();
        coords = true;
        break;
      case 1:
        position.planet = Text(1, 30);
        planet = true;
        break;
      default:
        break;
    }
  }

  DialogLine Dialog(DialogEvent event) {
    DialogLine line;
    line.voice = rng_.Chance(50) ? Text(1, 20, "]") : "";
    line.speaker = Text(1, kMaxSpeaker, ":", true);
    const std::size_t room = kMaxBattleLine - kDialogPrefix[static_cast<std::size_t>(event)] -
                             (line.voice.empty() ? 0 : line.voice.size() + 3) -
                             line.speaker.size() - 2;
    line.text = Text(1, std::min(kMaxDialogText, room));
    line.hasSpeaker = line.hasText = line.hasVoice = true;
    return line;
  }

  StarSystem System() {
    StarSystem s;
    for (;;) {
      s.name = Text(1, 30);
      std::string folded = s.name;
      for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      }
      if (systemNames_.insert(folded).second) break;
    }
    s.nameDefined = true;
    if ((s.stardateDefined = rng_.Chance(60))) s.stardate = AnyNumber();
    for (ShipRole role : {ShipRole::Friend, ShipRole::Enemy, ShipRole::Neutral, ShipRole::Hulk}) {
      for (std::uint32_t n = Count(4); n > 0; --n) s.Ships(role).push_back(Ship());
    }
    Position(s.playerPosition, s.playerCoordsDefined, s.playerPlanetDefined);
    Position(s.friendPosition, s.friendCoordsDefined, s.friendPlanetDefined);
    Position(s.enemyPosition, s.enemyCoordsDefined, s.enemyPlanetDefined);
    Position(s.neutralPosition, s.neutralCoordsDefined, s.neutralPlanetDefined);
    Position(s.hulkPosition, s.hulkCoordsDefined, s.hulkPlanetDefined);

    if ((s.friendWarpInDefined = rng_.Chance(30))) s.friendWarpInAfter = AnyNumber();
    if ((s.enemyWarpInDefined = rng_.Chance(30))) s.enemyWarpInAfter = AnyNumber();
    if ((s.neutralWarpInDefined = rng_.Chance(30))) s.neutralWarpInAfter = AnyNumber();
    switch (rng_.Below(3)) {  // never both: the reader refuses that
      case 0:
        s.friendWarpOutDefined = true;
        s.friendWarpOutAfter = ExitTime();
        break;
      case 1:
        s.friendJoinEscortDefined = true;
        s.friendJoinEscortAfter = ExitTime();
        break;
      default:
        break;
    }
    if ((s.enemyWarpOutDefined = rng_.Chance(30))) s.enemyWarpOutAfter = ExitTime();
    if ((s.neutralWarpOutDefined = rng_.Chance(30))) s.neutralWarpOutAfter = ExitTime();

    if ((s.neutralBehaviorDefined = rng_.Chance(50))) {
      s.neutralBehavior = static_cast<NeutralBehavior>(rng_.Below(4));
      if (s.neutralBehavior == NeutralBehavior::EnemyAfter ||
          s.neutralBehavior == NeutralBehavior::FriendAfter) {
        s.neutralBehaviorTime = AnyNumber();
        s.neutralBehaviorTimeDefined = true;
      }
    }
    for (std::size_t k = 0; k < kDialogEventCount; ++k) {
      if (!rng_.Chance(30)) continue;
      for (std::uint32_t n = 1 + rng_.Below(3); n > 0; --n) {
        s.dialogs[k].push_back(Dialog(static_cast<DialogEvent>(k)));
      }
    }
    s.warpDisablePlayer = s.warpDisablePlayerDefined = rng_.Chance(25);
    s.warpDisableFriend = s.warpDisableFriendDefined = rng_.Chance(25);
    s.warpDisableEnemy = s.warpDisableEnemyDefined = rng_.Chance(25);
    s.warpDisableNeutral = s.warpDisableNeutralDefined = rng_.Chance(25);

    switch (rng_.Below(3)) {
      case 0:
        s.battleModeDefined = true;
        break;
      case 1:
        MakeStatistic(s);
        break;
      default:
        break;
    }
    return s;
  }

  // Statistic battle mode: a friend and an enemy at least, at most one of the friend, enemy
  // and neutral positions, no friend warp-in and no join-escort.
  void MakeStatistic(StarSystem& s) {
    if (s.friends.empty()) s.friends.push_back(Ship());
    if (s.enemies.empty()) s.enemies.push_back(Ship());
    const bool keepFriend = s.friendCoordsDefined || s.friendPlanetDefined;
    const bool keepEnemy = !keepFriend && (s.enemyCoordsDefined || s.enemyPlanetDefined);
    if (!keepFriend) {
      s.friendPosition = {};
      s.friendCoordsDefined = s.friendPlanetDefined = false;
    }
    if (!keepEnemy) {
      s.enemyPosition = {};
      s.enemyCoordsDefined = s.enemyPlanetDefined = false;
    }
    if (keepFriend || keepEnemy) {
      s.neutralPosition = {};
      s.neutralCoordsDefined = s.neutralPlanetDefined = false;
    }
    s.friendWarpInAfter = 0;
    s.friendWarpInDefined = false;
    s.friendJoinEscortAfter = 0;
    s.friendJoinEscortDefined = false;
    s.battleMode = BattleMode::Stat;
    s.battleModeDefined = true;
  }

  Rng rng_;
  std::set<std::string> shipNames_;
  std::set<std::string> systemNames_;
};

}  // namespace

BattleConfig RandomBattle(std::uint64_t seed) {
  return BattleMaker(seed).Make();
}

}  // namespace vk7::test
