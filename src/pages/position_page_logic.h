#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "battle/battle_config.h"
#include "battle/reporter.h"
#include "pages/edit_limit.h"

// What the positions page decides, kept apart from its widgets: the entry each role shows
// while the page is open, the check of the coordinates box, and the write-back on "Ok".
namespace vk7 {

// The page's rows, top to bottom.
enum class PositionRole : std::size_t { Player = 0, Friends, Enemies, Neutrals, Hulks };
inline constexpr std::size_t kPositionRoleCount = 5;

enum class PositionKind { None, Planet, Coordinates };

struct PositionEntry {
  PositionKind kind = PositionKind::None;
  std::string text;  // the planet, or "X   Y   Z"
  bool operator==(const PositionEntry&) const = default;
};

struct PositionPageState {
  std::array<PositionEntry, kPositionRoleCount> entries;

  PositionEntry& Entry(PositionRole role) { return entries[static_cast<std::size_t>(role)]; }
  const PositionEntry& Entry(PositionRole role) const {
    return entries[static_cast<std::size_t>(role)];
  }
  bool operator==(const PositionPageState&) const = default;
};

inline constexpr const char* kCoordinateSeparator = "   ";
inline constexpr const char* kInvalidCoordinates = "Invalid coordinates!";

using CoordinateTexts = std::array<std::string, 3>;

std::string PositionPageTitle(const StarSystem& system);

// The opening state: a planet wins over coordinates when both flags are up.
PositionPageState OpenPositionPage(const StarSystem& system);

void SetPlanet(PositionEntry& entry, const std::string& planet);
void SetCoordinates(PositionEntry& entry, const CoordinateTexts& texts);
void ClearEntry(PositionEntry& entry);

// What the coordinates box starts with: the entry's three fields when it holds coordinates,
// otherwise three empty texts.
CoordinateTexts CoordinatesOfEntry(const PositionEntry& entry);

// "Ok" of the coordinates box. Each field is cut to what the box reads and trimmed; the
// first field that is no number is reported ("Invalid coordinates!") and its index
// returned, with `accepted` untouched. Otherwise `accepted` receives the trimmed texts.
std::optional<std::size_t> AcceptCoordinates(const CoordinateTexts& typed,
                                             CoordinateTexts& accepted, Reporter& reporter);

// A coordinate as stored: sign and leading digits, anything after them (a fractional part)
// dropped. Values beyond the 32-bit range are clamped to its nearest end rather than
// wrapped, so a huge coordinate stays far out on the same side.
std::int32_t CoordinateValue(std::string_view text);

// "Ok" of the page: writes every role into the system. Values of the kind not in use are
// kept.
void ApplyPositionPage(const PositionPageState& state, StarSystem& system);

}  // namespace vk7
