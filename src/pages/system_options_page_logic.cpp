#include "pages/system_options_page_logic.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>
#include <optional>
#include <string_view>
#include <vector>

#include "content/dialog_text.h"

namespace vk7 {

namespace {

// The stardate edit hands over at most this much.
constexpr std::size_t kStardateRead = 254;

// The digits up to the first other character, after an optional "-" (the edit takes digits
// only, but a negative stardate read from a file is shown with its sign). Nothing when the
// value does not fit 32 bits.
std::optional<std::int32_t> ReadStardate(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  constexpr std::int64_t kBeyond = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 2;
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') break;
    // Stopping early keeps any run of digits from overflowing.
    value = std::min(value * 10 + (c - '0'), kBeyond);
  }
  if (negative) value = -value;
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace

std::string SystemOptionsTitle(const StarSystem& system) {
  return system.name + " Options";
}

SystemOptionsState OpenSystemOptions(const StarSystem& system) {
  SystemOptionsState state;
  state.battleMode = system.battleModeDefined && system.battleMode != BattleMode::AI
                         ? BattleMode::Stat
                         : BattleMode::AI;
  state.warpDisablePlayer = system.WarpDisable(ShipRole::Player).defined;
  state.warpDisableFriend = system.WarpDisable(ShipRole::Friend).defined;
  state.warpDisableEnemy = system.WarpDisable(ShipRole::Enemy).defined;
  state.warpDisableNeutral = system.WarpDisable(ShipRole::Neutral).defined;
  if (system.stardateDefined) state.stardate = std::to_string(system.stardate);
  state.startingDialogs = FormatDialogLines(system.Dialogs(DialogEvent::StartingDialog));
  state.endingDialogs = FormatDialogLines(system.Dialogs(DialogEvent::EndingDialog));
  return state;
}

bool Apply(const SystemOptionsState& state, StarSystem& system, Reporter& reporter) {
  const std::string_view typedStardate = std::string_view(state.stardate).substr(0, kStardateRead);
  std::optional<std::int32_t> stardate;
  if (!typedStardate.empty()) {
    stardate = ReadStardate(typedStardate);
    // Refused rather than wrapped or clamped: either would store a date the user never typed.
    if (!stardate) {
      reporter.Error("Error", kStardateRangeError);
      return false;
    }
  }

  // The dialog lists are built aside first, so that running out of memory leaves the system
  // as it was.
  try {
    DialogNotes notes;
    std::vector<DialogLine> starting;
    std::vector<DialogLine> ending;
    RebuildDialogList(state.startingDialogs, starting, notes);
    RebuildDialogList(state.endingDialogs, ending, notes);
    ShowDialogNoteWarnings(notes, reporter);
    system.Dialogs(DialogEvent::StartingDialog) = std::move(starting);
    system.Dialogs(DialogEvent::EndingDialog) = std::move(ending);
  } catch (const std::bad_alloc&) {
    reporter.Error("Error", "Out of memory!");
    return false;
  }

  system.battleMode = state.battleMode == BattleMode::AI ? BattleMode::AI : BattleMode::Stat;
  system.battleModeDefined = true;
  // A checked box stores 1; an unchecked one only lowers the flag.
  const auto store = [&](bool checked, ShipRole role) {
    const SwitchFields<false> warpDisable = system.WarpDisable(role);
    if (checked) warpDisable.value = true;
    warpDisable.defined = checked;
  };
  store(state.warpDisablePlayer, ShipRole::Player);
  store(state.warpDisableFriend, ShipRole::Friend);
  store(state.warpDisableEnemy, ShipRole::Enemy);
  store(state.warpDisableNeutral, ShipRole::Neutral);
  // An emptied stardate only lowers the flag; the old value stays behind it.
  if (stardate) system.stardate = *stardate;
  system.stardateDefined = stardate.has_value();
  return true;
}

}  // namespace vk7
