#include "content/battle_file_writer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <string_view>

#include "battle/battle_syntax.h"
#include "battle/battle_words.h"

namespace vk7 {

namespace {

// The dialog kinds in DialogEvent order: the spaces after the keyword (only the first two
// line up with the other keywords) and the section comment.
struct DialogKind {
  std::string_view spaces;
  std::string_view comment;
};

constexpr std::array<DialogKind, kDialogEventCount> kDialogKinds = {{
    {"  ", "The starting dialog in the system"},
    {"    ", "The ending dialog in the system"},
    {"   ", "The friends warp in dialog in the system"},
    {"    ", "The enemies warp in dialog in the system"},
    {"  ", "The neutrals warp in dialog in the system"},
    {"  ", "The friends warp out dialog in the system"},
    {"   ", "The enemies warp out dialog in the system"},
    {" ", "The neutrals warp out dialog in the system"},
    {" ", "The friends join escort dialog in the system"},
    {" ", "The neutrals become friends dialog in the system"},
    {"  ", "The neutrals become enemies dialog in the system"},
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
  std::size_t size_;
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
    Line(kCommentMarker, " ", comment);
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

void WriteShips(LineBuilder& b, std::string_view comment, ShipRole role,
                const std::vector<ShipEntry>& ships) {
  if (ships.empty()) return;
  b.Section(comment);
  const std::string_view keyword = Word(ShipKeyword(role));
  for (const ShipEntry& ship : ships) WriteShip(b, keyword, ship);
}

// At most one line per role.
void WritePositions(LineBuilder& b, const StarSystem& s) {
  const auto given = [&](ShipRole role) { return s.Position(role).Kind() != StartKind::None; };
  if (std::none_of(kPositionRoles.begin(), kPositionRoles.end(), given)) return;
  b.Section("The positions in the system");
  for (const ShipRole role : kPositionRoles) {
    const PositionFields<true> p = s.Position(role);
    const std::string_view keyword = Word(PositionKeyword(role));
    if (p.Kind() == StartKind::Coordinates) {
      b.Value(keyword, Decimal(p.position.x), " ", Decimal(p.position.y), " ",
              Decimal(p.position.z));
    } else if (p.Kind() == StartKind::Planet) {
      b.Value(keyword, kPlanetWord, " ", p.position.planet);
    }
  }
}

// The timed actions of friends, enemies or neutrals. Any negative warp-out or join-escort
// time means "after the system is cleared".
void WriteActions(LineBuilder& b, const StarSystem& s, ShipRole role, std::string_view comment) {
  constexpr auto kActions =
      std::to_array<ShipAction>({ShipAction::WarpIn, ShipAction::WarpOut, ShipAction::JoinEscort});
  const std::size_t count = role == ShipRole::Friend ? 3 : 2;
  bool any = false;
  for (std::size_t i = 0; i < count; ++i) any = any || s.ActionTime(role, kActions[i]).defined;
  if (!any) return;
  b.Section(comment);
  const std::string_view keyword = Word(ActionKeyword(role));
  for (std::size_t i = 0; i < count; ++i) {
    const TimeFields<true> time = s.ActionTime(role, kActions[i]);
    if (!time.defined) continue;
    if (kActions[i] != ShipAction::WarpIn && time.after < 0) {
      b.Value(keyword, Word(kActions[i]), " ", kClearedWord);
    } else {
      b.Value(keyword, Word(kActions[i]), " ", Decimal(time.after));
    }
  }
}

// The time is written whether or not its own flag is up.
void WriteNeutralBehavior(LineBuilder& b, const StarSystem& s) {
  if (!s.neutralBehaviorDefined) return;
  b.Section("The neutral behavior in the system");
  const std::string_view keyword = Word(Keyword::NeutralBehavior);
  if (s.neutralBehavior == NeutralBehavior::EnemyAfter ||
      s.neutralBehavior == NeutralBehavior::FriendAfter) {
    b.Value(keyword, Word(s.neutralBehavior), " ", Decimal(s.neutralBehaviorTime));
  } else {
    b.Value(keyword, Word(s.neutralBehavior));
  }
}

void WriteDialogs(LineBuilder& b, const StarSystem& s) {
  for (std::size_t k = 0; k < kDialogEventCount; ++k) {
    const std::vector<DialogLine>& lines = s.dialogs[k];
    if (lines.empty()) continue;
    const DialogKind& kind = kDialogKinds[k];
    const std::string_view keyword = Word(DialogKeyword(static_cast<DialogEvent>(k)));
    b.Section(kind.comment);
    for (const DialogLine& line : lines) {
      if (line.voice.empty()) {
        b.ValueWithSpaces(keyword, kind.spaces, line.speaker, ": ", line.text);
      } else {
        b.ValueWithSpaces(keyword, kind.spaces, kVoiceOpen, line.voice, kVoiceClose, " ",
                          line.speaker, ": ", line.text);
      }
    }
  }
}

// One line per switch that is on.
void WriteWarpDisables(LineBuilder& b, const StarSystem& s) {
  constexpr auto kRoles = std::to_array<ShipRole>(
      {ShipRole::Player, ShipRole::Friend, ShipRole::Enemy, ShipRole::Neutral});
  const auto on = [&](ShipRole role) { return s.WarpDisable(role).On(); };
  if (std::none_of(kRoles.begin(), kRoles.end(), on)) return;
  b.Section("The warp disables in the system");
  for (const ShipRole role : kRoles) {
    if (on(role)) b.Value(Word(Keyword::WarpDisable), WarpDisableWord(role));
  }
}

void WriteSystem(LineBuilder& b, const StarSystem& s) {
  if (s.nameDefined) {
    b.Section("Define a system -------------------------------------------");
    b.Value(Word(Keyword::System), s.name);
  }
  if (s.stardateDefined) {
    b.Section("The stardate in the system");
    b.Value(Word(Keyword::Stardate), Decimal(s.stardate));
  }
  WriteShips(b, "The friends in the system", ShipRole::Friend, s.friends);
  WriteShips(b, "The enemies in the system", ShipRole::Enemy, s.enemies);
  WriteShips(b, "The neutrals in the system", ShipRole::Neutral, s.neutrals);
  WriteShips(b, "The hulks in the system", ShipRole::Hulk, s.hulks);
  WritePositions(b, s);
  WriteActions(b, s, ShipRole::Friend, "The friend actions in the system");
  WriteActions(b, s, ShipRole::Enemy, "The enemy actions in the system");
  WriteActions(b, s, ShipRole::Neutral, "The neutral actions in the system");
  WriteNeutralBehavior(b, s);
  WriteDialogs(b, s);
  WriteWarpDisables(b, s);
  if (s.battleModeDefined) {
    b.Section("The battle mode in the system");
    b.Value(Word(Keyword::BattleMode), Word(s.battleMode));
  }
}

// Title, player, escort and options: everything before the first system.
void WriteGlobals(LineBuilder& b, const BattleConfig& config) {
  const BattleTitle& t = config.title;
  if (t.titleDefined) {
    b.Section("The title of the battle");
    b.Value(Word(Keyword::Title), t.title);
  }
  if (!t.titleLines.empty()) {
    b.Section("Some title lines");
    const std::string_view keyword = Word(Keyword::TitleLine);
    for (std::size_t i = 0; i < t.titleLines.size() && i < t.titleLineVoices.size(); ++i) {
      if (t.titleLineVoices[i].empty()) {
        b.Value(keyword, t.titleLines[i]);
      } else {
        b.Value(keyword, kVoiceOpen, t.titleLineVoices[i], kVoiceClose, " ", t.titleLines[i]);
      }
    }
  }
  if (config.player.hasClass) {
    b.Section("The player ship");
    WriteShip(b, Word(Keyword::Player), config.player);
  }
  WriteShips(b, "The player's escort", ShipRole::Escort, config.escorts);

  const BattleOptions& o = config.options;
  if (o.warpOutDefined) {
    b.Section("The warp out mode");
    b.Value(Word(Keyword::WarpOut), Word(o.warpOut));
  }
  if (o.collisionDefined) {
    b.Section("The collision mode");
    b.Value(Word(Keyword::Collision), Word(o.collision));
  }
  if (o.shipChangeDefined) {
    b.Section("The ship change mode");
    b.Value(Word(Keyword::ShipChange), Word(o.shipChange));
  }
  if (o.perfectCloakDefined) {
    b.Section("The perfect cloak mode");
    b.Value(Word(Keyword::PerfectCloak), PerfectCloakWord(o.perfectCloak));
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
  b.Line(kBattleFileHeader);
  b.Line(kWrittenFormatVersion);
  for (const std::string& remark : config.remarks) b.Line(kCommentMarker, remark);
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
