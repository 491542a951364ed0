#include "pages/position_page_logic.h"

#include <array>
#include <limits>

#include "battle/string_helpers.h"

namespace vk7 {
namespace {

// The page's rows are the roles with a start position, in their usual order.
static_assert(kPositionRoles.size() == kPositionRoleCount);

std::string JoinCoordinates(const std::string& x, const std::string& y, const std::string& z) {
  return x + kCoordinateSeparator + y + kCoordinateSeparator + z;
}

}  // namespace

std::string PositionPageTitle(const StarSystem& system) {
  return system.name + " Positions";
}

PositionPageState OpenPositionPage(const StarSystem& system) {
  PositionPageState state;
  for (std::size_t i = 0; i < kPositionRoleCount; ++i) {
    const PositionFields<true> p = system.Position(kPositionRoles[i]);
    PositionEntry& entry = state.entries[i];
    if (p.Kind() == StartKind::Planet) {
      SetPlanet(entry, p.position.planet);
    } else if (p.Kind() == StartKind::Coordinates) {
      entry.kind = PositionKind::Coordinates;
      entry.text = JoinCoordinates(std::to_string(p.position.x), std::to_string(p.position.y),
                                   std::to_string(p.position.z));
    }
  }
  return state;
}

void SetPlanet(PositionEntry& entry, const std::string& planet) {
  entry.kind = PositionKind::Planet;
  entry.text = planet;
}

void SetCoordinates(PositionEntry& entry, const CoordinateTexts& texts) {
  entry.kind = PositionKind::Coordinates;
  entry.text = JoinCoordinates(texts[0], texts[1], texts[2]);
}

void ClearEntry(PositionEntry& entry) {
  entry.kind = PositionKind::None;
  entry.text.clear();
}

CoordinateTexts CoordinatesOfEntry(const PositionEntry& entry) {
  if (entry.kind != PositionKind::Coordinates) return {};
  return {Token(entry.text, 1), Token(entry.text, 2), Token(entry.text, 3)};
}

std::optional<std::size_t> AcceptCoordinates(const CoordinateTexts& typed,
                                             CoordinateTexts& accepted, Reporter& reporter) {
  CoordinateTexts stripped;
  for (std::size_t i = 0; i < stripped.size(); ++i) {
    stripped[i] = Trim(std::string_view(typed[i]).substr(0, kMaxEditText));
    if (!IsNumber(stripped[i])) {
      reporter.Error("Error", kInvalidCoordinates);
      return i;
    }
  }
  accepted = stripped;
  return std::nullopt;
}

// Clamped: a coordinate beyond 32 bits stands at the edge of the map.
std::int32_t CoordinateValue(std::string_view text) {
  return ReadDecimal(text).value;
}

void ApplyPositionPage(const PositionPageState& state, StarSystem& system) {
  for (std::size_t i = 0; i < kPositionRoleCount; ++i) {
    const auto [position, coordsDefined, planetDefined] = system.Position(kPositionRoles[i]);
    const PositionEntry& entry = state.entries[i];
    switch (entry.kind) {
      case PositionKind::None:
        coordsDefined = false;
        planetDefined = false;
        break;
      case PositionKind::Planet:
        position.planet = entry.text;
        planetDefined = true;
        coordsDefined = false;
        break;
      case PositionKind::Coordinates:
        position.x = CoordinateValue(Token(entry.text, 1));
        position.y = CoordinateValue(Token(entry.text, 2));
        position.z = CoordinateValue(Token(entry.text, 3));
        coordsDefined = true;
        planetDefined = false;
        break;
    }
  }
}

}  // namespace vk7
