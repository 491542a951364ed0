#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "battle/battle_config.h"

// Every word of the battle file format, written down once, with the way from a value to its
// word and back. Words are matched exactly, letter case included.
namespace vk7 {

inline constexpr std::string_view kBattleFileHeader = "VK7 Battle";
// The versions a battle file may declare; the last is the one written.
inline constexpr auto kFormatVersions = std::to_array<std::string_view>(
    {"File Format Version 1.0", "File Format Version 1.1", "File Format Version 1.2"});
inline constexpr std::string_view kWrittenFormatVersion = kFormatVersions.back();

// The keywords. Ship keywords follow ShipRole, position keywords the same order without the
// escort, action keywords friend, enemy, neutral, and dialog keywords DialogEvent, so that a
// role or an event finds its keyword by counting.
enum class Keyword : std::uint8_t {
  Title,
  TitleLine,
  WarpOut,
  Collision,
  ShipChange,
  PerfectCloak,
  System,
  Stardate,
  NeutralBehavior,
  WarpDisable,
  BattleMode,
  Player,
  Escort,
  Friend,
  Enemy,
  Neutral,
  Hulk,
  PlayerPosition,
  FriendPosition,
  EnemyPosition,
  NeutralPosition,
  HulkPosition,
  FriendAction,
  EnemyAction,
  NeutralAction,
  StartingDialog,
  EndingDialog,
  FriendWarpInDialog,
  EnemyWarpInDialog,
  NeutralWarpInDialog,
  FriendWarpOutDialog,
  EnemyWarpOutDialog,
  NeutralWarpOutDialog,
  FriendJoinEscortDialog,
  NeutralToFriendDialog,
  NeutralToEnemyDialog,
};

inline constexpr auto kKeywordWords = std::to_array<std::string_view>({
    "Title",
    "TitleLine",
    "WarpOut",
    "Collision",
    "ShipChange",
    "PerfectCloak",
    "System",
    "Stardate",
    "NeutralBehavior",
    "WarpDisable",
    "BattleMode",
    "Player",
    "Escort",
    "Friend",
    "Enemy",
    "Neutral",
    "Hulk",
    "PlayerPosition",
    "FriendPosition",
    "EnemyPosition",
    "NeutralPosition",
    "HulkPosition",
    "FriendAction",
    "EnemyAction",
    "NeutralAction",
    "StartingDialog",
    "EndingDialog",
    "FriendWarpInDialog",
    "EnemyWarpInDialog",
    "NeutralWarpInDialog",
    "FriendWarpOutDialog",
    "EnemyWarpOutDialog",
    "NeutralWarpOutDialog",
    "FriendJoinEscortDialog",
    "NeutralToFriendDialog",
    "NeutralToEnemyDialog",
});
static_assert(kKeywordWords.size() == static_cast<std::size_t>(Keyword::NeutralToEnemyDialog) + 1);
static_assert(static_cast<std::size_t>(Keyword::NeutralToEnemyDialog) -
                  static_cast<std::size_t>(Keyword::StartingDialog) + 1 ==
              kDialogEventCount);

constexpr std::string_view Word(Keyword keyword) {
  return kKeywordWords[static_cast<std::size_t>(keyword)];
}
// The keyword spelled exactly `word`, if there is one.
std::optional<Keyword> FindKeyword(std::string_view word);

constexpr Keyword ShipKeyword(ShipRole role) {
  return static_cast<Keyword>(static_cast<int>(Keyword::Player) + static_cast<int>(role));
}
// Player, friend, enemy, neutral or hulk.
constexpr Keyword PositionKeyword(ShipRole role) {
  const int step = role == ShipRole::Player ? 0 : static_cast<int>(role) - 1;
  return static_cast<Keyword>(static_cast<int>(Keyword::PlayerPosition) + step);
}
// Friend, enemy or neutral.
constexpr Keyword ActionKeyword(ShipRole role) {
  return static_cast<Keyword>(static_cast<int>(Keyword::FriendAction) + static_cast<int>(role) -
                              static_cast<int>(ShipRole::Friend));
}
constexpr Keyword DialogKeyword(DialogEvent event) {
  return static_cast<Keyword>(static_cast<int>(Keyword::StartingDialog) + static_cast<int>(event));
}
// The role a ship, position or action keyword speaks of, and the event of a dialog keyword.
constexpr ShipRole RoleOf(Keyword keyword) {
  const auto k = static_cast<int>(keyword);
  if (keyword >= Keyword::FriendAction) {
    return static_cast<ShipRole>(static_cast<int>(ShipRole::Friend) + k -
                                 static_cast<int>(Keyword::FriendAction));
  }
  if (keyword >= Keyword::PlayerPosition) {
    const int step = k - static_cast<int>(Keyword::PlayerPosition);
    return step == 0 ? ShipRole::Player : static_cast<ShipRole>(step + 1);
  }
  return static_cast<ShipRole>(k - static_cast<int>(Keyword::Player));
}
constexpr DialogEvent EventOf(Keyword keyword) {
  return static_cast<DialogEvent>(static_cast<int>(keyword) -
                                  static_cast<int>(Keyword::StartingDialog));
}

// The values' words, in the order of their numbers. A number outside the named ones gets the
// word that the writer falls back to: the last of the list, but "AI" for the battle mode and
// "Off" for the perfect cloak.
inline constexpr auto kWarpOutWords =
    std::to_array<std::string_view>({"Anytime", "WhenCleared", "Sequential"});
inline constexpr auto kCollisionWords = std::to_array<std::string_view>({"On", "Off", "OffForAll"});
inline constexpr auto kShipChangeWords = std::to_array<std::string_view>({"Off", "On", "Auto"});
inline constexpr auto kPerfectCloakWords = std::to_array<std::string_view>({"Off", "On"});
inline constexpr auto kBattleModeWords = std::to_array<std::string_view>({"AI", "Stat"});
inline constexpr auto kNeutralBehaviorWords =
    std::to_array<std::string_view>({"EnemyWhenAttacked", "EnemyAfter", "FriendAfter", "Random"});
inline constexpr auto kActionWords =
    std::to_array<std::string_view>({"WarpInAfter", "WarpOutAfter", "JoinEscortAfter"});
// The time of a warp-out or join-escort that waits until the system is cleared.
inline constexpr std::string_view kClearedWord = "Cleared";
// The first word of a position given by a planet.
inline constexpr std::string_view kPlanetWord = "Planet";

std::string_view Word(WarpOutMode value);
std::string_view Word(CollisionMode value);
std::string_view Word(ShipChangeMode value);
std::string_view Word(BattleMode value);
std::string_view Word(NeutralBehavior value);
std::string_view Word(ShipAction value);
std::string_view PerfectCloakWord(std::int32_t value);
// The warp-disable switch of a role is named by the role's ship keyword.
std::string_view WarpDisableWord(ShipRole role);

// The value a word names, if it names one: one of WarpOutMode, CollisionMode, ShipChangeMode,
// BattleMode, NeutralBehavior or ShipAction.
template <typename Value>
std::optional<Value> FromWord(std::string_view word);
template <>
std::optional<WarpOutMode> FromWord(std::string_view word);
template <>
std::optional<CollisionMode> FromWord(std::string_view word);
template <>
std::optional<ShipChangeMode> FromWord(std::string_view word);
template <>
std::optional<BattleMode> FromWord(std::string_view word);
template <>
std::optional<NeutralBehavior> FromWord(std::string_view word);
template <>
std::optional<ShipAction> FromWord(std::string_view word);
std::optional<std::int32_t> PerfectCloakFromWord(std::string_view word);
// Player, friend, enemy or neutral.
std::optional<ShipRole> WarpDisableFromWord(std::string_view word);

}  // namespace vk7
