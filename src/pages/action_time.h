#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "battle/battle_config.h"
#include "battle/reporter.h"
#include "pages/edit_limit.h"

// The timing groups that the friend, enemy and neutral actions pages share: a time edit per
// timed choice, read the same way everywhere, and the same store-and-warn steps on "OK".
namespace vk7 {

enum class WarpInChoice { Initially, After };
enum class WarpOutChoice { Never, After, AfterCleared };

// The text a time edit shows for a stored time. The edit takes digits only, so a negative
// time (a battle file may hold one) shows as 0, which is what "OK" would make of it anyway.
std::string FormatActionTime(std::int32_t seconds);

// The time an edit's text stands for: its leading digits, a negative number read as 0 and a
// number beyond the 32-bit range as the largest time there is. Nothing when the text is blank.
std::optional<std::int32_t> ReadActionTime(std::string_view text);

// A warp-in and a warp-out group as the page opens them for a stored time: a time that is
// not defined leaves the choice and the text as they are.
void OpenWarpIn(TimeFields<true> time, WarpInChoice& choice, std::string& text);
void OpenWarpOut(TimeFields<true> time, WarpOutChoice& choice, std::string& text);

// A warp-in group on "OK": lowers the flag, or stores the typed time and raises it. False
// (after the error `missingTime`) when the time is wanted but empty.
bool ApplyWarpIn(WarpInChoice choice, std::string_view text, TimeFields<false> time,
                 const char* missingTime, Reporter& reporter);

// What a warp-out or join-escort time is checked against: the group's warp-in just stored.
struct WarpInTiming {
  bool defined = false;
  std::int32_t time = 0;
};
WarpInTiming WarpInOf(const StarSystem& system, ShipRole role);

// Reads a wanted time into `time` and warns with `early` when it comes before the warp-in.
// False (after the error `missingTime`) when the text is empty.
bool ApplyTimeAfterWarpIn(std::string_view text, TimeFields<false> time, WarpInTiming warpIn,
                          const char* missingTime, const char* early, Reporter& reporter);

// A warp-out group with its three choices; "after cleared" stores -1 and never warns.
bool ApplyWarpOut(WarpOutChoice choice, std::string_view text, TimeFields<false> time,
                  WarpInTiming warpIn, const char* missingTime, const char* early,
                  Reporter& reporter);

}  // namespace vk7
