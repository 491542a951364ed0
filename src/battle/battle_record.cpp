#include "battle/battle_record.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <type_traits>

namespace vk7 {

namespace {

// The first line names the layout; a later layout gets a new number, which this reader refuses
// rather than guesses at.
constexpr std::string_view kHeader = "VK7 Battle Record 1";
constexpr std::string_view kEnd = "end";

// The one list of a battle's fields: writing and reading walk it alike, so that the two cannot
// disagree. `T` is the model type, const when writing.
template <class W, class T>
void WalkShip(W& walk, T& ship) {
  walk("shipClass", ship.shipClass);
  walk("name", ship.name);
  walk("hasClass", ship.hasClass);
  walk("hasName", ship.hasName);
}

template <class W, class T>
void WalkDialogLine(W& walk, T& line) {
  walk("speaker", line.speaker);
  walk("text", line.text);
  walk("voice", line.voice);
  walk("hasSpeaker", line.hasSpeaker);
  walk("hasText", line.hasText);
  walk("hasVoice", line.hasVoice);
}

template <class W, class T>
void WalkPosition(W& walk, const std::string& role, T& position) {
  walk(role + ".x", position.x);
  walk(role + ".y", position.y);
  walk(role + ".z", position.z);
  walk(role + ".planet", position.planet);
}

template <class W, class T>
void WalkSystemValues(W& walk, T& system) {
  walk("name", system.name);
  walk("stardate", system.stardate);
  WalkPosition(walk, "enemy", system.enemyPosition);
  WalkPosition(walk, "friend", system.friendPosition);
  WalkPosition(walk, "player", system.playerPosition);
  WalkPosition(walk, "neutral", system.neutralPosition);
  WalkPosition(walk, "hulk", system.hulkPosition);
  walk("neutralBehavior", system.neutralBehavior);
  walk("neutralBehaviorTime", system.neutralBehaviorTime);
  walk("warpDisablePlayer", system.warpDisablePlayer);
  walk("warpDisableFriend", system.warpDisableFriend);
  walk("warpDisableEnemy", system.warpDisableEnemy);
  walk("warpDisableNeutral", system.warpDisableNeutral);
  walk("battleMode", system.battleMode);
  walk("friendWarpInAfter", system.friendWarpInAfter);
  walk("enemyWarpInAfter", system.enemyWarpInAfter);
  walk("neutralWarpInAfter", system.neutralWarpInAfter);
  walk("friendWarpOutAfter", system.friendWarpOutAfter);
  walk("enemyWarpOutAfter", system.enemyWarpOutAfter);
  walk("neutralWarpOutAfter", system.neutralWarpOutAfter);
  walk("friendJoinEscortAfter", system.friendJoinEscortAfter);
  const auto ship = [&walk](auto& entry) { WalkShip(walk, entry); };
  walk.List("enemies", system.enemies, ship);
  walk.List("friends", system.friends, ship);
  walk.List("neutrals", system.neutrals, ship);
  walk.List("hulks", system.hulks, ship);
  for (auto& lines : system.dialogs) {
    walk.List("dialog", lines, [&walk](auto& line) { WalkDialogLine(walk, line); });
  }
}

template <class W, class T>
void WalkSystemFlags(W& walk, T& system) {
  walk("nameDefined", system.nameDefined);
  walk("stardateDefined", system.stardateDefined);
  walk("enemyCoordsDefined", system.enemyCoordsDefined);
  walk("enemyPlanetDefined", system.enemyPlanetDefined);
  walk("friendCoordsDefined", system.friendCoordsDefined);
  walk("friendPlanetDefined", system.friendPlanetDefined);
  walk("playerCoordsDefined", system.playerCoordsDefined);
  walk("playerPlanetDefined", system.playerPlanetDefined);
  walk("neutralCoordsDefined", system.neutralCoordsDefined);
  walk("neutralPlanetDefined", system.neutralPlanetDefined);
  walk("hulkCoordsDefined", system.hulkCoordsDefined);
  walk("hulkPlanetDefined", system.hulkPlanetDefined);
  walk("neutralBehaviorDefined", system.neutralBehaviorDefined);
  walk("neutralBehaviorTimeDefined", system.neutralBehaviorTimeDefined);
  walk("warpDisablePlayerDefined", system.warpDisablePlayerDefined);
  walk("warpDisableFriendDefined", system.warpDisableFriendDefined);
  walk("warpDisableEnemyDefined", system.warpDisableEnemyDefined);
  walk("warpDisableNeutralDefined", system.warpDisableNeutralDefined);
  walk("battleModeDefined", system.battleModeDefined);
  walk("friendWarpInDefined", system.friendWarpInDefined);
  walk("enemyWarpInDefined", system.enemyWarpInDefined);
  walk("neutralWarpInDefined", system.neutralWarpInDefined);
  walk("friendWarpOutDefined", system.friendWarpOutDefined);
  walk("enemyWarpOutDefined", system.enemyWarpOutDefined);
  walk("neutralWarpOutDefined", system.neutralWarpOutDefined);
  walk("friendJoinEscortDefined", system.friendJoinEscortDefined);
}

template <class W, class T>
void WalkBattle(W& walk, T& battle) {
  const auto text = [&walk](auto& line) { walk("line", line); };
  walk.List("remarks", battle.remarks, text);
  walk("title", battle.title.title);
  walk.List("titleLines", battle.title.titleLines, text);
  walk.List("titleLineVoices", battle.title.titleLineVoices, text);
  walk("titleDefined", battle.title.titleDefined);
  walk("warpOut", battle.options.warpOut);
  walk("collision", battle.options.collision);
  walk("shipChange", battle.options.shipChange);
  walk("perfectCloak", battle.options.perfectCloak);
  walk("warpOutDefined", battle.options.warpOutDefined);
  walk("collisionDefined", battle.options.collisionDefined);
  walk("shipChangeDefined", battle.options.shipChangeDefined);
  walk("perfectCloakDefined", battle.options.perfectCloakDefined);
  WalkShip(walk, battle.player);
  walk.List("escorts", battle.escorts, [&walk](auto& ship) { WalkShip(walk, ship); });
  walk("name", battle.name);
  walk.List("systems", battle.systems, [&walk](auto& system) {
    WalkSystemValues(walk, system);
    WalkSystemFlags(walk, system);
  });
}

// Control bytes (a line end above all) and the escape character itself.
bool Escaped(unsigned char byte) {
  return byte < 0x20 || byte == 0x7F || byte == '\\';
}

// Appends the bytes `text` stands for; false when it holds an unescaped control byte or an escape
// that is cut or unknown.
bool Unescape(std::string_view text, std::string& value) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte != '\\') {
      if (Escaped(byte)) return false;
      value += text[i];
    } else if (text.substr(i + 1, 1) == "\\") {
      value += '\\';
      ++i;
    } else {
      const std::string_view hex = text.substr(std::min(i + 2, text.size()), 2);
      std::uint32_t code = 0;
      const auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), code, 16);
      if (text.substr(i + 1, 1) != "x" || error != std::errc() || end != hex.data() + 2) {
        return false;
      }
      value += static_cast<char>(code);
      i += 3;
    }
  }
  return true;
}

class RecordWriter {
 public:
  std::string text;

  void operator()(std::string_view key, const std::string& value) {
    Key(key);
    constexpr char kDigits[] = "0123456789ABCDEF";
    for (const char c : value) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte == '\\') {
        text += "\\\\";
      } else if (Escaped(byte)) {
        text += "\\x";
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
      } else {
        text += c;
      }
    }
    text += '\n';
  }
  void operator()(std::string_view key, bool value) { Line(key, value ? "1" : "0"); }
  template <class N>
  requires std::is_same_v<N, std::int32_t> || std::is_enum_v<N>
  void operator()(std::string_view key, N value) {
    Line(key, std::to_string(static_cast<std::int32_t>(value)));
  }
  template <class E, class F>
  void List(std::string_view key, const std::vector<E>& items, const F& each) {
    Line(key, std::to_string(items.size()));
    for (const E& item : items) each(item);
  }

 private:
  void Key(std::string_view key) {
    text += key;
    text += ' ';
  }
  void Line(std::string_view key, const std::string& value) {
    Key(key);
    text += value;
    text += '\n';
  }
};

// Reads the lines back in the order the walk asks for them; after the first damage it reads
// nothing more and the walk runs out over defaults.
class RecordReader {
 public:
  explicit RecordReader(std::string_view text) : rest_(text) {}
  bool ok = true;

  // The next line, which must be "KEY" alone or "KEY VALUE" (value then without the blank).
  std::optional<std::string_view> Next(std::string_view key) {
    const std::size_t end = rest_.find('\n');
    if (!ok || end == std::string_view::npos) return Damaged();
    std::string_view line = rest_.substr(0, end);
    rest_.remove_prefix(end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (!line.starts_with(key)) return Damaged();
    line.remove_prefix(key.size());
    if (line.empty()) return line;
    if (line.front() != ' ') return Damaged();
    return line.substr(1);
  }
  bool AtEnd() const { return ok && rest_.empty(); }

  void operator()(std::string_view key, std::string& value) {
    const std::optional<std::string_view> text = Next(key);
    if (text && !Unescape(*text, value)) Damaged();
  }
  void operator()(std::string_view key, bool& value) {
    const std::optional<std::string_view> text = Next(key);
    if (text && *text != "0" && *text != "1") Damaged();
    if (ok) value = *text == "1";
  }
  template <class N>
  requires std::is_same_v<N, std::int32_t> || std::is_enum_v<N>
  void operator()(std::string_view key, N& value) {
    std::int32_t number = 0;
    if (Number(key, number)) value = static_cast<N>(number);
  }
  template <class E, class F>
  void List(std::string_view key, std::vector<E>& items, const F& each) {
    std::int32_t count = 0;
    if (Number(key, count) && count < 0) Damaged();
    // Item by item rather than presized: a damaged count then ends with the lines, without a
    // huge allocation first.
    for (std::int32_t i = 0; i < count && ok; ++i) each(items.emplace_back());
  }
  // A line that holds exactly `text`.
  void Exact(std::string_view text) {
    const std::optional<std::string_view> rest = Next(text);
    if (rest && !rest->empty()) Damaged();
  }

 private:
  std::nullopt_t Damaged() {
    ok = false;
    return std::nullopt;
  }
  template <class N>
  bool Number(std::string_view key, N& number) {
    const std::string_view text = Next(key).value_or("");
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size()) Damaged();
    return ok;
  }

  std::string_view rest_;
};

}  // namespace

std::string BattleRecord::Write(const BattleConfig& battle) {
  RecordWriter writer;
  writer.text.reserve(4096);
  writer.text += kHeader;
  writer.text += '\n';
  WalkBattle(writer, battle);
  writer.text += kEnd;
  writer.text += '\n';
  return std::move(writer.text);
}

std::optional<BattleConfig> BattleRecord::Read(std::string_view text) {
  RecordReader reader(text);
  BattleConfig battle;
  reader.Exact(kHeader);
  WalkBattle(reader, battle);
  reader.Exact(kEnd);
  if (!reader.AtEnd()) return std::nullopt;
  return battle;
}

}  // namespace vk7
