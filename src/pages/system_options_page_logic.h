#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "battle/battle_config.h"
#include "battle/reporter.h"

// What the system options page shows and what its "Ok" does with it, free of any toolkit so
// that it can be checked on its own.
namespace vk7 {

// The stardate a text stands for; nothing when it does not fit 32 bits.
std::optional<std::int32_t> ReadStardate(std::string_view text);

inline constexpr const char* kStardateRangeError =
    "The stardate must lie between -2147483648 and 2147483647.";

// The page's input, texts as Windows-1252 bytes. Dialog texts end lines with LF or CR LF.
struct SystemOptionsState {
  BattleMode battleMode = BattleMode::AI;
  bool warpDisablePlayer = false;
  bool warpDisableFriend = false;
  bool warpDisableEnemy = false;
  bool warpDisableNeutral = false;
  std::string stardate;
  std::string startingDialogs;
  std::string endingDialogs;
  bool operator==(const SystemOptionsState&) const = default;
};

// The window title: the system's name and " Options".
std::string SystemOptionsTitle(const StarSystem& system);

// What the page shows when it opens on `system`. A warp-disable box shows its entry's defined
// flag; the stored value is not consulted.
SystemOptionsState OpenSystemOptions(const StarSystem& system);

// "Ok": stores battle mode, warp disable, stardate and the starting and ending dialogs into
// `system`, showing the warnings for the dialog lines that had to be mended. False, with an
// error shown and `system` untouched, when the stardate does not fit or memory runs out.
bool Apply(const SystemOptionsState& state, StarSystem& system, Reporter& reporter);

}  // namespace vk7
