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
  text = TrimView(text.substr(0, kMaxTimeText));
  if (text.empty()) return std::nullopt;
  std::size_t i = 0;
  const bool negative = text[0] == '-';
  if (negative || text[0] == '+') i = 1;
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    // Saturate rather than overflow: any longer run of digits is still "the longest time".
    value = value * 10 + (text[i] - '0');
    if (value > kMax) value = kMax;
  }
  if (negative) return 0;
  return static_cast<std::int32_t>(value);
}

bool ApplyWarpIn(WarpInChoice choice, std::string_view text, std::int32_t& time, bool& defined,
                 const char* missingTime, Reporter& reporter) {
  if (choice == WarpInChoice::Initially) {
    defined = false;
    return true;
  }
  const std::optional<std::int32_t> seconds = ReadActionTime(text);
  if (!seconds) {
    reporter.Error(kErrorTitle, missingTime);
    return false;
  }
  time = *seconds;
  defined = true;
  return true;
}

bool ApplyTimeAfterWarpIn(std::string_view text, std::int32_t& time, bool& defined,
                          WarpInTiming warpIn, const char* missingTime, const char* early,
                          Reporter& reporter) {
  const std::optional<std::int32_t> seconds = ReadActionTime(text);
  if (!seconds) {
    reporter.Error(kErrorTitle, missingTime);
    return false;
  }
  time = *seconds;
  defined = true;
  if (warpIn.defined && *seconds < warpIn.time) reporter.Message(kWarningTitle, early);
  return true;
}

bool ApplyWarpOut(WarpOutChoice choice, std::string_view text, std::int32_t& time, bool& defined,
                  WarpInTiming warpIn, const char* missingTime, const char* early,
                  Reporter& reporter) {
  switch (choice) {
    case WarpOutChoice::Never:
      defined = false;
      return true;
    case WarpOutChoice::AfterCleared:
      time = kCleared;
      defined = true;
      return true;
    case WarpOutChoice::After:
      break;
  }
  return ApplyTimeAfterWarpIn(text, time, defined, warpIn, missingTime, early, reporter);
}

}  // namespace vk7
