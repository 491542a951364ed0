#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace vk7 {

// Enumerations keep the numbers that the battle file and the game use. A value read from
// elsewhere may lie outside the named ones; the writer then falls back as the format says.
enum class WarpOutMode : std::int32_t { Anytime = 0, WhenCleared = 1, Sequential = 2 };
enum class CollisionMode : std::int32_t { On = 0, Off = 1, OffForAll = 2 };
enum class ShipChangeMode : std::int32_t { Off = 0, On = 1, Auto = 2 };
enum class BattleMode : std::int32_t { AI = 0, Stat = 1 };
enum class NeutralBehavior : std::int32_t {
  EnemyWhenAttacked = 0,
  EnemyAfter = 1,
  FriendAfter = 2,
  Random = 3
};
// Also the order in which ships are searched and reported.
enum class ShipRole : std::int32_t {
  Player = 0,
  Escort = 1,
  Friend = 2,
  Enemy = 3,
  Neutral = 4,
  Hulk = 5
};
enum class DialogEvent : std::int32_t {
  StartingDialog = 0,
  EndingDialog,
  FriendWarpInDialog,
  EnemyWarpInDialog,
  NeutralWarpInDialog,
  FriendWarpOutDialog,
  EnemyWarpOutDialog,
  NeutralWarpOutDialog,
  FriendJoinEscortDialog,
  NeutralToFriendDialog,
  NeutralToEnemyDialog
};
inline constexpr std::size_t kDialogEventCount = 11;
// What a group of a system does on its own timing. Only friends join the escort.
enum class ShipAction : std::int32_t { WarpIn = 0, WarpOut = 1, JoinEscort = 2 };

// The roles that live in a system, in list order; and the roles that have a start position.
inline constexpr auto kResidentRoles =
    std::to_array<ShipRole>({ShipRole::Friend, ShipRole::Enemy, ShipRole::Neutral, ShipRole::Hulk});
inline constexpr auto kPositionRoles = std::to_array<ShipRole>(
    {ShipRole::Player, ShipRole::Friend, ShipRole::Enemy, ShipRole::Neutral, ShipRole::Hulk});

inline constexpr std::size_t kMaxSystems = 6;
inline constexpr std::size_t kMaxTitle = 50;
inline constexpr std::size_t kMaxTitleLine = 200;
inline constexpr std::size_t kMaxSpeaker = 40;
inline constexpr std::size_t kMaxDialogText = 200;
inline constexpr std::size_t kMaxBattleLine = 255;
// The value -1 of a warp-out or join-escort time: after the system has been cleared.
inline constexpr std::int32_t kCleared = -1;

inline constexpr const char* kCreatedByRemark = " Created by Velkor Editor";

struct ShipEntry {
  std::string shipClass;
  std::string name;
  bool hasClass = false;
  bool hasName = false;
  bool operator==(const ShipEntry&) const = default;
};

struct DialogLine {
  std::string speaker;
  std::string text;
  std::string voice;
  bool hasSpeaker = false;
  bool hasText = false;
  bool hasVoice = false;
  bool operator==(const DialogLine&) const = default;
};

struct ShipPosition {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t z = 0;
  std::string planet;
  bool operator==(const ShipPosition&) const = default;
};

// How a role's start is given: a file holds one position line per role, by coordinates or by
// a planet.
enum class StartKind { None, Coordinates, Planet };

// The fields one role of a system keeps for one thing, with their defined flags; references
// into the system, const when the system is. Where the flags allow a state that no file holds,
// the accessor here decides, for the writer, the pages, the check and the overview alike.
template <bool kConst>
struct PositionFields {
  std::conditional_t<kConst, const ShipPosition, ShipPosition>& position;
  std::conditional_t<kConst, const bool, bool>& coordsDefined;
  std::conditional_t<kConst, const bool, bool>& planetDefined;
  // Both flags up: the coordinates, which are what a save writes.
  StartKind Kind() const {
    return coordsDefined   ? StartKind::Coordinates
           : planetDefined ? StartKind::Planet
                           : StartKind::None;
  }
};
template <bool kConst>
struct TimeFields {
  std::conditional_t<kConst, const std::int32_t, std::int32_t>& after;
  std::conditional_t<kConst, const bool, bool>& defined;
};
template <bool kConst>
struct SwitchFields {
  std::conditional_t<kConst, const bool, bool>& value;
  std::conditional_t<kConst, const bool, bool>& defined;
  // On while its flag is up: a file holds a line per raised flag and nothing of the value,
  // which an unticked box leaves behind.
  bool On() const { return defined; }
};

struct StarSystem {
  std::string name;
  std::int32_t stardate = 0;
  ShipPosition enemyPosition;
  ShipPosition friendPosition;
  ShipPosition playerPosition;
  ShipPosition neutralPosition;
  ShipPosition hulkPosition;
  NeutralBehavior neutralBehavior = NeutralBehavior::EnemyWhenAttacked;
  std::int32_t neutralBehaviorTime = 0;
  bool warpDisablePlayer = false;
  bool warpDisableFriend = false;
  bool warpDisableEnemy = false;
  bool warpDisableNeutral = false;
  BattleMode battleMode = BattleMode::AI;
  std::int32_t friendWarpInAfter = 0;
  std::int32_t enemyWarpInAfter = 0;
  std::int32_t neutralWarpInAfter = 0;
  std::int32_t friendWarpOutAfter = 0;
  std::int32_t enemyWarpOutAfter = 0;
  std::int32_t neutralWarpOutAfter = 0;
  std::int32_t friendJoinEscortAfter = 0;
  std::vector<ShipEntry> enemies;
  std::vector<ShipEntry> friends;
  std::vector<ShipEntry> neutrals;
  std::vector<ShipEntry> hulks;
  std::array<std::vector<DialogLine>, kDialogEventCount> dialogs;

  bool nameDefined = false;
  bool stardateDefined = false;
  bool enemyCoordsDefined = false;
  bool enemyPlanetDefined = false;
  bool friendCoordsDefined = false;
  bool friendPlanetDefined = false;
  bool playerCoordsDefined = false;
  bool playerPlanetDefined = false;
  bool neutralCoordsDefined = false;
  bool neutralPlanetDefined = false;
  bool hulkCoordsDefined = false;
  bool hulkPlanetDefined = false;
  bool neutralBehaviorDefined = false;
  bool neutralBehaviorTimeDefined = false;
  bool warpDisablePlayerDefined = false;
  bool warpDisableFriendDefined = false;
  bool warpDisableEnemyDefined = false;
  bool warpDisableNeutralDefined = false;
  bool battleModeDefined = false;
  bool friendWarpInDefined = false;
  bool enemyWarpInDefined = false;
  bool neutralWarpInDefined = false;
  bool friendWarpOutDefined = false;
  bool enemyWarpOutDefined = false;
  bool neutralWarpOutDefined = false;
  bool friendJoinEscortDefined = false;

  std::vector<DialogLine>& Dialogs(DialogEvent event) {
    return dialogs[static_cast<std::size_t>(event)];
  }
  const std::vector<DialogLine>& Dialogs(DialogEvent event) const {
    return dialogs[static_cast<std::size_t>(event)];
  }
  // The resident ships of a role: friend, enemy, neutral or hulk.
  std::vector<ShipEntry>& Ships(ShipRole role) {
    return const_cast<std::vector<ShipEntry>&>(std::as_const(*this).Ships(role));
  }
  const std::vector<ShipEntry>& Ships(ShipRole role) const {
    return role == ShipRole::Enemy     ? enemies
           : role == ShipRole::Neutral ? neutrals
           : role == ShipRole::Hulk    ? hulks
                                       : friends;
  }
  // Empties the ship and dialog lists but keeps their room, for a reading that drops each
  // system once it has been checked (the reader gives the room to the next system).
  void ClearListsKeepingRoom();

  // Where a role starts: player, friend, enemy, neutral or hulk (the escort starts with the
  // player).
  PositionFields<false> Position(ShipRole role);
  PositionFields<true> Position(ShipRole role) const;
  // When a role acts: friend, enemy or neutral, and only friends join the escort (other
  // requests get the friends' fields).
  TimeFields<false> ActionTime(ShipRole role, ShipAction action);
  TimeFields<true> ActionTime(ShipRole role, ShipAction action) const;
  // Whether a role may not warp out: player, friend, enemy or neutral (others: the player's).
  SwitchFields<false> WarpDisable(ShipRole role);
  SwitchFields<true> WarpDisable(ShipRole role) const;

  bool operator==(const StarSystem&) const = default;
};

struct BattleTitle {
  std::string title;
  std::vector<std::string> titleLines;
  std::vector<std::string> titleLineVoices;
  bool titleDefined = false;
  bool operator==(const BattleTitle&) const = default;
};

struct BattleOptions {
  WarpOutMode warpOut = WarpOutMode::Anytime;
  CollisionMode collision = CollisionMode::On;
  ShipChangeMode shipChange = ShipChangeMode::Off;
  std::int32_t perfectCloak = 0;
  bool warpOutDefined = false;
  bool collisionDefined = false;
  bool shipChangeDefined = false;
  bool perfectCloakDefined = false;
  bool operator==(const BattleOptions&) const = default;
};

// Where a ship stands: system number (0 for the player and the escort, else the 1-based
// position of its system) and role.
struct ShipLocation {
  std::uint32_t systemNumber = 0;
  ShipRole role = ShipRole::Player;
  bool operator==(const ShipLocation&) const = default;
};

// A named ship whose own name equals the default name of an unnamed one.
struct DefaultNameConflict {
  ShipLocation named;
  ShipLocation other;
  std::string name;
  bool operator==(const DefaultNameConflict&) const = default;
};

// One battle: everything a battle file says. Every single value carries a defined flag
// beside it; a value counts (is written, is tested for redefinition) only when its flag is up.
struct BattleConfig {
  std::vector<std::string> remarks;
  BattleTitle title;
  BattleOptions options;
  ShipEntry player;
  std::vector<ShipEntry> escorts;
  std::vector<StarSystem> systems;
  std::string name;

  // Prepares a battle that is being created rather than read.
  bool InitNew();

  // The name the game gives a ship without its own name. `systemNumber` and `position`
  // count from 1; `systemNumber` is unused for the player and the escort.
  static std::string DefaultShipName(const ShipEntry& ship, ShipRole role,
                                     std::uint32_t systemNumber, std::uint32_t position);

  // True when `name` is free. With `againstDefaults` false it is compared with the own names
  // of the named ships, otherwise with the default names of the unnamed ones; ships are
  // visited player, escorts, then per system friends, enemies, neutrals, hulks. On a clash
  // `clash` (when given) receives where the other ship stands.
  bool CheckShipName(const std::string& shipName, bool againstDefaults,
                     ShipLocation* clash = nullptr) const;

  // True when some ship's own name equals another ship's default name; `conflict` (when
  // given) then receives the first such clash in visiting order. Linear in the number of ships.
  bool FindDefaultNameConflict(DefaultNameConflict* conflict = nullptr) const;

  // A system with its name defined whose name equals `systemName`, case ignored.
  bool HasSystem(const std::string& systemName) const;

  bool operator==(const BattleConfig&) const = default;
};

}  // namespace vk7
