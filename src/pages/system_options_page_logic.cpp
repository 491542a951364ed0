#include "pages/system_options_page_logic.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>
#include <optional>
#include <string_view>
#include <vector>

#include "battle/string_helpers.h"
#include "content/dialog_text.h"
#include "pages/edit_limit.h"

namespace vk7 {

// Refused beyond 32 bits rather than clamped: a clamped date is one the user never typed.
std::optional<std::int32_t> ReadStardate(std::string_view text) {
  const Decimal number = ReadDecimal(text);
  return number.fits ? std::optional(number.value) : std::nullopt;
}

std::string SystemOptionsTitle(const StarSystem& system) {
  return system.name + " Options";
}

SystemOptionsState OpenSystemOptions(const StarSystem& system) {
  SystemOptionsState state;
  state.battleMode = system.battleModeDefined && system.battleMode != BattleMode::AI
                         ? BattleMode::Stat
                         : BattleMode::AI;
  state.warpDisablePlayer = system.WarpDisable(ShipRole::Player).On();
  state.warpDisableFriend = system.WarpDisable(ShipRole::Friend).On();
  state.warpDisableEnemy = system.WarpDisable(ShipRole::Enemy).On();
  state.warpDisableNeutral = system.WarpDisable(ShipRole::Neutral).On();
  if (system.stardateDefined) state.stardate = std::to_string(system.stardate);
  state.startingDialogs = FormatDialogLines(system.Dialogs(DialogEvent::StartingDialog));
  state.endingDialogs = FormatDialogLines(system.Dialogs(DialogEvent::EndingDialog));
  return state;
}

bool Apply(const SystemOptionsState& state, StarSystem& system, Reporter& reporter) {
  const std::string_view typedStardate = std::string_view(state.stardate).substr(0, kMaxEditText);
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
