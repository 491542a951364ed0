#include "content/battle_file_writer.h"

#include <array>
#include <string_view>

#include "battle/atomic_file.h"

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

class LineBuilder {
 public:
  explicit LineBuilder(BattleFileWriter::Output& out) : out_(out) {}

  void Line(std::string_view text) {
    ++count_;
    if (text.size() > kMaxBattleLine) {
      text = text.substr(0, kMaxBattleLine);
      out_.cutLines.push_back(count_);
    }
    out_.bytes.append(text);
    out_.bytes.append("\r\n");
  }

  // Opens a section: an empty line and its comment.
  void Section(std::string_view comment) {
    Line({});
    Line(comment);
  }

  // keyword, spaces up to the common column, "= ", value.
  void Value(std::string_view keyword, std::string_view value) {
    const std::size_t pad = keyword.size() < kValueColumn ? kValueColumn - keyword.size() : 1;
    ValueWithSpaces(keyword, std::string(pad, ' '), value);
  }

  void ValueWithSpaces(std::string_view keyword, std::string_view spaces, std::string_view value) {
    scratch_.assign(keyword);
    scratch_.append(spaces);
    scratch_.append("= ");
    scratch_.append(value);
    Line(scratch_);
  }

 private:
  BattleFileWriter::Output& out_;
  std::uint32_t count_ = 0;
  std::string scratch_;
};

std::string ShipParameter(const ShipEntry& ship) {
  return ship.hasName ? ship.shipClass + " = " + ship.name : ship.shipClass;
}

std::string WithVoice(const std::string& voice, std::string text) {
  return voice.empty() ? text : "[" + voice + "] " + text;
}

std::string Coordinates(const ShipPosition& p) {
  return std::to_string(p.x) + " " + std::to_string(p.y) + " " + std::to_string(p.z);
}

// Warp-out and join-escort times: any negative time means "after the system is cleared".
std::string ExitTime(std::int32_t seconds) {
  return seconds < 0 ? "Cleared" : std::to_string(seconds);
}

void WriteShips(LineBuilder& b, std::string_view comment, std::string_view keyword,
                const std::vector<ShipEntry>& ships) {
  if (ships.empty()) return;
  b.Section(comment);
  for (const ShipEntry& ship : ships) b.Value(keyword, ShipParameter(ship));
}

void WriteSystem(LineBuilder& b, const StarSystem& s) {
  if (s.nameDefined) {
    static const std::string kSystemComment = "// Define a system " + std::string(43, '-');
    b.Section(kSystemComment);
    b.Value("System", s.name);
  }
  if (s.stardateDefined) {
    b.Section("// The stardate in the system");
    b.Value("Stardate", std::to_string(s.stardate));
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
        b.Value(p.keyword, Coordinates(p.position));
      } else if (p.planet) {
        b.Value(p.keyword, "Planet " + p.position.planet);
      }
    }
  }

  if (s.friendWarpInDefined || s.friendWarpOutDefined || s.friendJoinEscortDefined) {
    b.Section("// The friend actions in the system");
    if (s.friendWarpInDefined) {
      b.Value("FriendAction", "WarpInAfter " + std::to_string(s.friendWarpInAfter));
    }
    if (s.friendWarpOutDefined) {
      b.Value("FriendAction", "WarpOutAfter " + ExitTime(s.friendWarpOutAfter));
    }
    if (s.friendJoinEscortDefined) {
      b.Value("FriendAction", "JoinEscortAfter " + ExitTime(s.friendJoinEscortAfter));
    }
  }
  if (s.enemyWarpInDefined || s.enemyWarpOutDefined) {
    b.Section("// The enemy actions in the system");
    if (s.enemyWarpInDefined) {
      b.Value("EnemyAction", "WarpInAfter " + std::to_string(s.enemyWarpInAfter));
    }
    if (s.enemyWarpOutDefined) {
      b.Value("EnemyAction", "WarpOutAfter " + ExitTime(s.enemyWarpOutAfter));
    }
  }
  if (s.neutralWarpInDefined || s.neutralWarpOutDefined) {
    b.Section("// The neutral actions in the system");
    if (s.neutralWarpInDefined) {
      b.Value("NeutralAction", "WarpInAfter " + std::to_string(s.neutralWarpInAfter));
    }
    if (s.neutralWarpOutDefined) {
      b.Value("NeutralAction", "WarpOutAfter " + ExitTime(s.neutralWarpOutAfter));
    }
  }
  if (s.neutralBehaviorDefined) {
    b.Section("// The neutral behavior in the system");
    const std::string time = std::to_string(s.neutralBehaviorTime);
    switch (s.neutralBehavior) {
      case NeutralBehavior::EnemyWhenAttacked:
        b.Value("NeutralBehavior", "EnemyWhenAttacked");
        break;
      case NeutralBehavior::EnemyAfter:
        b.Value("NeutralBehavior", "EnemyAfter " + time);
        break;
      case NeutralBehavior::FriendAfter:
        b.Value("NeutralBehavior", "FriendAfter " + time);
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
      b.ValueWithSpaces(kind.keyword, kind.spaces,
                        WithVoice(line.voice, line.speaker + ": " + line.text));
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

}  // namespace

BattleFileWriter::Output BattleFileWriter::Render(const BattleConfig& config) {
  Output out;
  LineBuilder b(out);
  b.Line("VK7 Battle");
  b.Line("File Format Version 1.2");
  for (const std::string& remark : config.remarks) b.Line("//" + remark);

  const BattleTitle& t = config.title;
  if (t.titleDefined) {
    b.Section("// The title of the battle");
    b.Value("Title", t.title);
  }
  if (!t.titleLines.empty()) {
    b.Section("// Some title lines");
    for (std::size_t i = 0; i < t.titleLines.size() && i < t.titleLineVoices.size(); ++i) {
      b.Value("TitleLine", WithVoice(t.titleLineVoices[i], t.titleLines[i]));
    }
  }
  if (config.player.hasClass) {
    b.Section("// The player ship");
    b.Value("Player", ShipParameter(config.player));
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
  for (const StarSystem& system : config.systems) WriteSystem(b, system);
  return out;
}

bool BattleFileWriter::Write(BattleConfig& config, const std::string& name,
                             const std::filesystem::path& file, Reporter& reporter) {
  config.name = name;
  return Commit(name, Render(config).bytes, file, reporter);
}

bool BattleFileWriter::Commit(const std::string& name, const std::string& bytes,
                              const std::filesystem::path& file, Reporter& reporter,
                              CommitFunction commit) {
  const std::string title = "Error in battle file " + name + ".vk7";
  switch (commit(file, bytes)) {
    case CommitResult::Ok:
      return true;
    case CommitResult::CannotCreate:
      reporter.Error(title, "Cannot create file!");
      return false;
    case CommitResult::CannotWrite:
      reporter.Error(title, "Cannot write file!");
      return false;
  }
  return false;
}

}  // namespace vk7
