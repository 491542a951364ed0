#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "content/battle_checker.h"

// What the check results page shows for a check result, kept apart from its widgets.
namespace vk7 {

inline constexpr const char* kCheckResultsTitle = "Check Results";
inline constexpr const char* kNoneRow = "-- none --";
inline constexpr const char* kBattleFineText = "The battle looks FINE! No missing objects found!";
inline constexpr const char* kBattleMissingText =
    "WARNING! The ships, systems and planets listed here are needed for this battle and not "
    "registered in your vkships.txt or vk7sys.txt file. You may not have these objects!";

// The page's lists, in the order they stand on it.
enum class CheckList : std::size_t {
  MissingShipClasses = 0,
  ShipDetails,
  MissingPlanets,
  PlanetDetails,
  MissingSystems
};
inline constexpr std::size_t kCheckListCount = 5;

struct CheckResultsView {
  std::array<std::vector<std::string>, kCheckListCount> rows;
  std::string summary;
  bool anyMissing = false;

  const std::vector<std::string>& Rows(CheckList list) const {
    return rows[static_cast<std::size_t>(list)];
  }
  bool operator==(const CheckResultsView&) const = default;
};

// The rows of each list in check order, "-- none --" alone in a list that stayed empty, and
// the text that sums the result up.
CheckResultsView BuildCheckResultsView(const CheckResult& result);

}  // namespace vk7
