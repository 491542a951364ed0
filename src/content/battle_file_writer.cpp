#include "content/battle_file_writer.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <string_view>

namespace vk7 {

namespace {

struct DialogKind {
  std::string_view keyword;
  std::string_view spaces;
  std::string_view comment;
};

// In DialogEvent order. Only the first two line up with the other keywords.
constexpr std::array<DialogKind, kDialogEventCount> kDialogKinds = {{
    {"StartingDialog", "  ", "// The starting dialog in the system"},
    {"EndingDialog", "    ", "// The ending dialog in the system"},
    {"FriendWarpInDialog", "   ", "// The friends warp in dialog in the system"},
    {"EnemyWarpInDialog", "    ", "// The enemies warp in dialog in the system"},
    {"NeutralWarpInDialog", "  ", "// The neutrals warp in dialog in the system"},
    {"FriendWarpOutDialog", "  ", "// The friends warp out dialog in the system"},
    {"EnemyWarpOutDialog", "   ", "// The enemies warp out dialog in the system"},
    {"NeutralWarpOutDialog", " ", "// The neutrals warp out dialog in the system"},
    {"FriendJoinEscortDialog", " ", "// The friends join escort dialog in the system"},
    {"NeutralToFriendDialog", " ", "// The neutrals become friends dialog in the system"},
    {"NeutralToEnemyDialog", "  ", "// The neutrals become enemies dialog in the system"},
}};

constexpr std::size_t kValueColumn = 16;
constexpr std::string_view kSpaces = "                ";

// A signed decimal number without allocation.
class Decimal {
 public:
  explicit Decimal(std::int32_t value) {
    const auto result = std::to_chars(digits_.data(), digits_.data() + digits_.size(), value);
    size_ = static_cast<std::size_t>(result.ptr - digits_.data());
  }
  operator std::string_view() const { return std::string_view(digits_.data(), size_); }

 private:
  std::array<char, 12> digits_{};
  std::size_t size_ = 0;
};

// Appends lines straight to the output: a line is put together in place, then cut to 255
// characters if it must be, then ended with CR LF.
class LineBuilder {
 public:
  explicit LineBuilder(BattleFileWriter::Output& out) : out_(out) {}

  template <typename... Parts>
  void Line(const Parts&... parts) {
    const std::size_t start = out_.bytes.size();
    (out_.bytes.append(std::string_view(parts)), ...);
    End(start);
  }

  // Opens a section: an empty line and its comment.
  void Section(std::string_view comment) {
    Line();
    Line(comment);
  }

  // keyword, spaces up to the common column, "= ", value parts.
  template <typename... Parts>
  void Value(std::string_view keyword, const Parts&... parts) {
    const std::size_t pad = keyword.size() < kValueColumn ? kValueColumn - keyword.size() : 1;
    Line(keyword, kSpaces.substr(0, pad), "= ", parts...);
  }

  template <typename... Parts>
  void ValueWithSpaces(std::string_view keyword, std::string_view spaces, const Parts&... parts) {
    Line(keyword, spaces, "= ", parts...);
  }

 private:
  void End(std::size_t start) {
    ++count_;
    if (out_.bytes.size() - start > kMaxBattleLine) {
      out_.bytes.resize(start + kMaxBattleLine);
      out_.cutLines.push_back(count_);
    }
    out_.bytes.append("\r\n");
  }

  BattleFileWriter::Output& out_;
  std::uint32_t count_ = 0;
};

void WriteShip(LineBuilder& b, std::string_view keyword, const ShipEntry& ship) {
  if (ship.hasName) {
    b.Value(keyword, ship.shipClass, " = ", ship.name);
  } else {
    b.Value(keyword, ship.shipClass);
  }
}

// Warp-out and join-escort times: any negative time means "after the system is cleared".
void WriteExitTime(LineBuilder& b, std::string_view keyword, std::string_view action,
                   std::int32_t seconds) {
  if (seconds < 0) {
    b.Value(keyword, action, " Cleared");
  } else {
    b.Value(keyword, action, " ", Decimal(seconds));
  }
}

void WriteShips(LineBuilder& b, std::string_view comment, std::string_view keyword,
                const std::vector<ShipEntry>& ships) {
  if (ships.empty()) return;
  b.Section(comment);
  for (const ShipEntry& ship : ships) WriteShip(b, keyword, ship);
}

void WriteSystem(LineBuilder& b, const StarSystem& s) {
  if (s.nameDefined) {
    b.Section("// Define a system -------------------------------------------");
    b.Value("System", s.name);
  }
  if (s.stardateDefined) {
    b.Section("// The stardate in the system");
    b.Value("Stardate", Decimal(s.stardate));
  }
  WriteShips(b, "// The friends in the system", "Friend", s.friends);
  WriteShips(b, "// The enemies in the system", "Enemy", s.enemies);
  WriteShips(b, "// The neutrals in the system", "Neutral", s.neutrals);
  WriteShips(b, "// The hulks in the system", "Hulk", s.hulks);

  struct Position {
    std::string_view keyword;
    const ShipPosition& position;
    bool coords;
    bool planet;
  };
  const std::array<Position, 5> positions = {{
      {"PlayerPosition", s.playerPosition, s.playerCoordsDefined, s.playerPlanetDefined},
      {"FriendPosition", s.friendPosition, s.friendCoordsDefined, s.friendPlanetDefined},
      {"EnemyPosition", s.enemyPosition, s.enemyCoordsDefined, s.enemyPlanetDefined},
      {"NeutralPosition", s.neutralPosition, s.neutralCoordsDefined, s.neutralPlanetDefined},
      {"HulkPosition", s.hulkPosition, s.hulkCoordsDefined, s.hulkPlanetDefined},
  }};
  bool anyPosition = false;
  for (const Position& p : positions) anyPosition = anyPosition || p.coords || p.planet;
  if (anyPosition) {
    b.Section("// The positions in the system");
    for (const Position& p : positions) {
      if (p.coords) {
        b.Value(p.keyword, Decimal(p.position.x), " ", Decimal(p.position.y), " ",
                Decimal(p.position.z));
      } else if (p.planet) {
        b.Value(p.keyword, "Planet ", p.position.planet);
      }
    }
  }

  if (s.friendWarpInDefined || s.friendWarpOutDefined || s.friendJoinEscortDefined) {
    b.Section("// The friend actions in the system");
    if (s.friendWarpInDefined) {
      b.Value("FriendAction", "WarpInAfter ", Decimal(s.friendWarpInAfter));
    }
    if (s.friendWarpOutDefined) {
      WriteExitTime(b, "FriendAction", "WarpOutAfter", s.friendWarpOutAfter);
    }
    if (s.friendJoinEscortDefined) {
      WriteExitTime(b, "FriendAction", "JoinEscortAfter", s.friendJoinEscortAfter);
    }
  }
  if (s.enemyWarpInDefined || s.enemyWarpOutDefined) {
    b.Section("// The enemy actions in the system");
    if (s.enemyWarpInDefined) {
      b.Value("EnemyAction", "WarpInAfter ", Decimal(s.enemyWarpInAfter));
    }
    if (s.enemyWarpOutDefined) {
      WriteExitTime(b, "EnemyAction", "WarpOutAfter", s.enemyWarpOutAfter);
    }
  }
  if (s.neutralWarpInDefined || s.neutralWarpOutDefined) {
    b.Section("// The neutral actions in the system");
    if (s.neutralWarpInDefined) {
      b.Value("NeutralAction", "WarpInAfter ", Decimal(s.neutralWarpInAfter));
    }
    if (s.neutralWarpOutDefined) {
      WriteExitTime(b, "NeutralAction", "WarpOutAfter", s.neutralWarpOutAfter);
    }
  }
  if (s.neutralBehaviorDefined) {
    b.Section("// The neutral behavior in the system");
    const Decimal time(s.neutralBehaviorTime);
    switch (s.neutralBehavior) {
      case NeutralBehavior::EnemyWhenAttacked:
        b.Value("NeutralBehavior", "EnemyWhenAttacked");
        break;
      case NeutralBehavior::EnemyAfter:
        b.Value("NeutralBehavior", "EnemyAfter ", time);
        break;
      case NeutralBehavior::FriendAfter:
        b.Value("NeutralBehavior", "FriendAfter ", time);
        break;
      default:
        b.Value("NeutralBehavior", "Random");
        break;
    }
  }
  for (std::size_t k = 0; k < kDialogEventCount; ++k) {
    const std::vector<DialogLine>& lines = s.dialogs[k];
    if (lines.empty()) continue;
    const DialogKind& kind = kDialogKinds[k];
    b.Section(kind.comment);
    for (const DialogLine& line : lines) {
      if (line.voice.empty()) {
        b.ValueWithSpaces(kind.keyword, kind.spaces, line.speaker, ": ", line.text);
      } else {
        b.ValueWithSpaces(kind.keyword, kind.spaces, "[", line.voice, "] ", line.speaker, ": ",
                          line.text);
      }
    }
  }
  if (s.warpDisablePlayerDefined || s.warpDisableFriendDefined || s.warpDisableEnemyDefined ||
      s.warpDisableNeutralDefined) {
    b.Section("// The warp disables in the system");
    if (s.warpDisablePlayerDefined) b.Value("WarpDisable", "Player");
    if (s.warpDisableFriendDefined) b.Value("WarpDisable", "Friend");
    if (s.warpDisableEnemyDefined) b.Value("WarpDisable", "Enemy");
    if (s.warpDisableNeutralDefined) b.Value("WarpDisable", "Neutral");
  }
  if (s.battleModeDefined) {
    b.Section("// The battle mode in the system");
    b.Value("BattleMode", s.battleMode == BattleMode::Stat ? "Stat" : "AI");
  }
}

// Title, player, escort and options: everything before the first system.
void WriteGlobals(LineBuilder& b, const BattleConfig& config) {
  const BattleTitle& t = config.title;
  if (t.titleDefined) {
    b.Section("// The title of the battle");
    b.Value("Title", t.title);
  }
  if (!t.titleLines.empty()) {
    b.Section("// Some title lines");
    for (std::size_t i = 0; i < t.titleLines.size() && i < t.titleLineVoices.size(); ++i) {
      if (t.titleLineVoices[i].empty()) {
        b.Value("TitleLine", t.titleLines[i]);
      } else {
        b.Value("TitleLine", "[", t.titleLineVoices[i], "] ", t.titleLines[i]);
      }
    }
  }
  if (config.player.hasClass) {
    b.Section("// The player ship");
    WriteShip(b, "Player", config.player);
  }
  WriteShips(b, "// The player's escort", "Escort", config.escorts);

  const BattleOptions& o = config.options;
  if (o.warpOutDefined) {
    b.Section("// The warp out mode");
    b.Value("WarpOut", o.warpOut == WarpOutMode::Anytime       ? "Anytime"
                       : o.warpOut == WarpOutMode::WhenCleared ? "WhenCleared"
                                                               : "Sequential");
  }
  if (o.collisionDefined) {
    b.Section("// The collision mode");
    b.Value("Collision", o.collision == CollisionMode::On    ? "On"
                         : o.collision == CollisionMode::Off ? "Off"
                                                             : "OffForAll");
  }
  if (o.shipChangeDefined) {
    b.Section("// The ship change mode");
    b.Value("ShipChange", o.shipChange == ShipChangeMode::Off  ? "Off"
                          : o.shipChange == ShipChangeMode::On ? "On"
                                                               : "Auto");
  }
  if (o.perfectCloakDefined) {
    b.Section("// The perfect cloak mode");
    b.Value("PerfectCloak", o.perfectCloak == 1 ? "On" : "Off");
  }
}

// Room for the whole file, so that it is put together without moving: every list entry
// with its keyword and line end, plus a margin for the sections and single values.
std::size_t PredictedSize(const BattleConfig& config) {
  constexpr std::size_t kLine = kValueColumn + 2 + 2;
  std::size_t size = 4096;
  for (const std::string& remark : config.remarks) size += remark.size() + 4;
  for (std::size_t i = 0; i < config.title.titleLines.size(); ++i) {
    size += kLine + 3 + config.title.titleLines[i].size();
    if (i < config.title.titleLineVoices.size()) size += config.title.titleLineVoices[i].size();
  }
  const auto ships = [&](const std::vector<ShipEntry>& list) {
    for (const ShipEntry& ship : list) size += kLine + 3 + ship.shipClass.size() + ship.name.size();
  };
  ships(config.escorts);
  for (const StarSystem& system : config.systems) {
    size += 2048 + system.name.size() + 5 * system.playerPosition.planet.size();
    ships(system.friends);
    ships(system.enemies);
    ships(system.neutrals);
    ships(system.hulks);
    for (const auto& lines : system.dialogs) {
      for (const DialogLine& line : lines) {
        size += kLine + 8 + line.speaker.size() + line.text.size() + line.voice.size();
      }
    }
  }
  return size;
}

}  // namespace

BattleFileWriter::Output BattleFileWriter::Render(const BattleConfig& config) {
  Output out;
  out.bytes.reserve(PredictedSize(config));
  LineBuilder b(out);
  b.Line("VK7 Battle");
  b.Line("File Format Version 1.2");
  for (const std::string& remark : config.remarks) b.Line("//", remark);
  out.valuesStart = out.bytes.size();
  WriteGlobals(b, config);
  for (const StarSystem& system : config.systems) {
    out.systemStarts.push_back(out.bytes.size());
    WriteSystem(b, system);
  }
  return out;
}

void BattleFileWriter::RenderGlobals(const BattleConfig& config, Output& out) {
  LineBuilder b(out);
  WriteGlobals(b, config);
}

void BattleFileWriter::RenderSystem(const StarSystem& system, Output& out) {
  LineBuilder b(out);
  WriteSystem(b, system);
}

}  // namespace vk7
