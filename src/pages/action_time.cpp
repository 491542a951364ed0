#include "pages/action_time.h"

#include <limits>

#include "battle/battle_config.h"
#include "battle/string_helpers.h"

namespace vk7 {
namespace {

constexpr const char* kErrorTitle = "Error";
constexpr const char* kWarningTitle = "Warning";

}  // namespace

std::string FormatActionTime(std::int32_t seconds) {
  return std::to_string(seconds < 0 ? 0 : seconds);
}

std::optional<std::int32_t> ReadActionTime(std::string_view text) {
  text = TrimView(text.substr(0, kMaxEditText));
  if (text.empty()) return std::nullopt;
  // Saturated: any longer run of digits is still "the longest time"; no time is negative.
  if (text.starts_with('+')) text.remove_prefix(1);
  return std::max(ReadDecimal(text).value, 0);
}

void OpenWarpIn(TimeFields<true> time, WarpInChoice& choice, std::string& text) {
  if (!time.defined) return;
  choice = WarpInChoice::After;
  text = FormatActionTime(time.after);
}

void OpenWarpOut(TimeFields<true> time, WarpOutChoice& choice, std::string& text) {
  if (!time.defined) return;
  if (time.after >= 0) {
    choice = WarpOutChoice::After;
    text = FormatActionTime(time.after);
  } else {
    choice = WarpOutChoice::AfterCleared;
  }
}

bool ApplyWarpIn(WarpInChoice choice, std::string_view text, TimeFields<false> time,
                 const char* missingTime, Reporter& reporter) {
  if (choice == WarpInChoice::Initially) {
    time.defined = false;
    return true;
  }
  const std::optional<std::int32_t> seconds = ReadActionTime(text);
  if (!seconds) {
    reporter.Error(kErrorTitle, missingTime);
    return false;
  }
  time.after = *seconds;
  time.defined = true;
  return true;
}

WarpInTiming WarpInOf(const StarSystem& system, ShipRole role) {
  const TimeFields<true> warpIn = system.ActionTime(role, ShipAction::WarpIn);
  return {warpIn.defined, warpIn.after};
}

bool ApplyTimeAfterWarpIn(std::string_view text, TimeFields<false> time, WarpInTiming warpIn,
                          const char* missingTime, const char* early, Reporter& reporter) {
  const std::optional<std::int32_t> seconds = ReadActionTime(text);
  if (!seconds) {
    reporter.Error(kErrorTitle, missingTime);
    return false;
  }
  time.after = *seconds;
  time.defined = true;
  if (warpIn.defined && *seconds < warpIn.time) reporter.Message(kWarningTitle, early);
  return true;
}

bool ApplyWarpOut(WarpOutChoice choice, std::string_view text, TimeFields<false> time,
                  WarpInTiming warpIn, const char* missingTime, const char* early,
                  Reporter& reporter) {
  switch (choice) {
    case WarpOutChoice::Never:
      time.defined = false;
      return true;
    case WarpOutChoice::AfterCleared:
      time.after = kCleared;
      time.defined = true;
      return true;
    case WarpOutChoice::After:
      break;
  }
  return ApplyTimeAfterWarpIn(text, time, warpIn, missingTime, early, reporter);
}

}  // namespace vk7
