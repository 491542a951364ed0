#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "battle/battle_config.h"

// Every word of the battle file format, written down once, with the way from a value to its
// word and back. Words are matched exactly, letter case included.
namespace vk7 {

// The keywords, in the order of kKeywordWords.
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

constexpr std::string_view Word(Keyword keyword) {
  return kKeywordWords[static_cast<std::size_t>(keyword)];
}
// The keyword spelled exactly `word`, if there is one.
std::optional<Keyword> FindKeyword(std::string_view word);

// Which keyword speaks of which role, and of which dialog event: written out rather than
// counted from the enumerations' orders, so that reordering one cannot silently remap a line.
struct RoleKeyword {
  ShipRole role;
  Keyword keyword;
};
inline constexpr auto kShipKeywords = std::to_array<RoleKeyword>({
    {ShipRole::Player, Keyword::Player},
    {ShipRole::Escort, Keyword::Escort},
    {ShipRole::Friend, Keyword::Friend},
    {ShipRole::Enemy, Keyword::Enemy},
    {ShipRole::Neutral, Keyword::Neutral},
    {ShipRole::Hulk, Keyword::Hulk},
});
inline constexpr auto kPositionKeywords = std::to_array<RoleKeyword>({
    {ShipRole::Player, Keyword::PlayerPosition},
    {ShipRole::Friend, Keyword::FriendPosition},
    {ShipRole::Enemy, Keyword::EnemyPosition},
    {ShipRole::Neutral, Keyword::NeutralPosition},
    {ShipRole::Hulk, Keyword::HulkPosition},
});
inline constexpr auto kActionKeywords = std::to_array<RoleKeyword>({
    {ShipRole::Friend, Keyword::FriendAction},
    {ShipRole::Enemy, Keyword::EnemyAction},
    {ShipRole::Neutral, Keyword::NeutralAction},
});
struct EventKeyword {
  DialogEvent event;
  Keyword keyword;
};
inline constexpr auto kDialogKeywords = std::to_array<EventKeyword>({
    {DialogEvent::StartingDialog, Keyword::StartingDialog},
    {DialogEvent::EndingDialog, Keyword::EndingDialog},
    {DialogEvent::FriendWarpInDialog, Keyword::FriendWarpInDialog},
    {DialogEvent::EnemyWarpInDialog, Keyword::EnemyWarpInDialog},
    {DialogEvent::NeutralWarpInDialog, Keyword::NeutralWarpInDialog},
    {DialogEvent::FriendWarpOutDialog, Keyword::FriendWarpOutDialog},
    {DialogEvent::EnemyWarpOutDialog, Keyword::EnemyWarpOutDialog},
    {DialogEvent::NeutralWarpOutDialog, Keyword::NeutralWarpOutDialog},
    {DialogEvent::FriendJoinEscortDialog, Keyword::FriendJoinEscortDialog},
    {DialogEvent::NeutralToFriendDialog, Keyword::NeutralToFriendDialog},
    {DialogEvent::NeutralToEnemyDialog, Keyword::NeutralToEnemyDialog},
});
static_assert(kDialogKeywords.size() == kDialogEventCount);
// Every dialog keyword ends so: a quick test that a line may be a dialog line.
inline constexpr std::string_view kDialogKeywordEnding = "Dialog";
static_assert(std::ranges::all_of(kDialogKeywords, [](const EventKeyword& entry) {
  return kKeywordWords[static_cast<std::size_t>(entry.keyword)].ends_with(kDialogKeywordEnding);
}));
constexpr bool IsDialogKeyword(Keyword keyword) {
  return std::ranges::any_of(
      kDialogKeywords, [keyword](const EventKeyword& entry) { return entry.keyword == keyword; });
}

// The keyword of a role in one of the tables above (the table's first when the role has none).
template <std::size_t N>
constexpr Keyword KeywordOf(const std::array<RoleKeyword, N>& table, ShipRole role) {
  for (const RoleKeyword& entry : table) {
    if (entry.role == role) return entry.keyword;
  }
  return table.front().keyword;
}
constexpr Keyword ShipKeyword(ShipRole role) {
  return KeywordOf(kShipKeywords, role);
}
// Player, friend, enemy, neutral or hulk.
constexpr Keyword PositionKeyword(ShipRole role) {
  return KeywordOf(kPositionKeywords, role);
}
// Friend, enemy or neutral.
constexpr Keyword ActionKeyword(ShipRole role) {
  return KeywordOf(kActionKeywords, role);
}
constexpr Keyword DialogKeyword(DialogEvent event) {
  for (const EventKeyword& entry : kDialogKeywords) {
    if (entry.event == event) return entry.keyword;
  }
  return kDialogKeywords.front().keyword;
}
// The role a ship, position or action keyword speaks of (the player for other keywords), and
// the event of a dialog keyword (the starting dialog for others).
ShipRole RoleOf(Keyword keyword);
DialogEvent EventOf(Keyword keyword);

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
