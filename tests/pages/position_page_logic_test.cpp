#include "pages/position_page_logic.h"

#include <gtest/gtest.h>

#include "pages/page_test_support.h"
#include "support/case_file.h"

namespace vk7 {
namespace {

using test_support::Case;

// Where each row of the page keeps its position and flags.
struct RoleAccess {
  ShipPosition StarSystem::*position;
  bool StarSystem::*coords;
  bool StarSystem::*planet;
};
const RoleAccess kRoles[kPositionRoleCount] = {
    {&StarSystem::playerPosition, &StarSystem::playerCoordsDefined,
     &StarSystem::playerPlanetDefined},
    {&StarSystem::friendPosition, &StarSystem::friendCoordsDefined,
     &StarSystem::friendPlanetDefined},
    {&StarSystem::enemyPosition, &StarSystem::enemyCoordsDefined, &StarSystem::enemyPlanetDefined},
    {&StarSystem::neutralPosition, &StarSystem::neutralCoordsDefined,
     &StarSystem::neutralPlanetDefined},
    {&StarSystem::hulkPosition, &StarSystem::hulkCoordsDefined, &StarSystem::hulkPlanetDefined},
};

// Each row opens from its own fields, a planet winning over coordinates; "Ok" writes each
// kind back and keeps the values of the kind not in use.
TEST(PositionPageLogic, EachRoleOpensFromAndWritesToItsOwnFields) {
  const PositionEntry kPlanet{PositionKind::Planet, "Arra"};
  const PositionEntry kCoords{PositionKind::Coordinates, "-1200   0   2147483647"};
  for (std::size_t row = 0; row < kPositionRoleCount; ++row) {
    SCOPED_TRACE(row);
    const RoleAccess& role = kRoles[row];
    StarSystem system;
    system.*role.position = ShipPosition{-1200, 0, 2147483647, "Arra"};
    for (const auto& [planet, coords, shown] : {std::tuple{false, false, PositionEntry{}},
                                                {true, false, kPlanet},
                                                {false, true, kCoords},
                                                {true, true, kPlanet}}) {
      system.*role.planet = planet;
      system.*role.coords = coords;
      PositionPageState expected;
      expected.entries[row] = shown;
      EXPECT_EQ(OpenPositionPage(system), expected) << planet << coords;
    }
    PositionPageState state = OpenPositionPage(system);
    EXPECT_EQ(CoordinatesOfEntry(state.entries[row]), CoordinateTexts{});
    SetCoordinates(state.entries[row], {"12.5", "-3", "0"});
    EXPECT_EQ(CoordinatesOfEntry(state.entries[row]), (CoordinateTexts{"12.5", "-3", "0"}));
    ApplyPositionPage(state, system);
    StarSystem expected;
    expected.*role.position = ShipPosition{12, -3, 0, "Arra"};
    expected.*role.coords = true;
    EXPECT_EQ(system, expected);
    SetPlanet(state.entries[row], "Keth Prime");
    ApplyPositionPage(state, system);
    expected.*role.position = ShipPosition{12, -3, 0, "Keth Prime"};
    expected.*role.planet = true;
    expected.*role.coords = false;
    EXPECT_EQ(system, expected);
    ClearEntry(state.entries[row]);
    EXPECT_EQ(state.entries[row], PositionEntry{});
    ApplyPositionPage(state, system);
    expected.*role.planet = false;
    EXPECT_EQ(system, expected);
  }
}

class CoordinateFieldTest : public testing::TestWithParam<Case> {};

TEST_P(CoordinateFieldTest, KeepsAndStoresOrRefuses) {
  const Case& c = GetParam();
  SCOPED_TRACE(c.where);
  ASSERT_EQ(c.input.size(), 1u);
  for (std::size_t field = 0; field < 3; ++field) {
    CoordinateTexts typed = {"1", "2", "3"};
    typed[field] = c.input[0];
    CoordinateTexts accepted = {"old", "old", "old"};
    RecordingReporter reporter;
    const std::optional<std::size_t> refused = AcceptCoordinates(typed, accepted, reporter);
    if (c.expected.size() == 1) {
      EXPECT_EQ(refused, field);
      EXPECT_EQ(accepted, (CoordinateTexts{"old", "old", "old"}));
      EXPECT_EQ(reporter.Entries(), std::vector{test::ErrorEntry(c.expected[0])});
      continue;
    }
    typed[field] = c.expected[0];
    EXPECT_EQ(refused, std::nullopt);
    EXPECT_EQ(accepted, typed);
    EXPECT_TRUE(reporter.Entries().empty());
    EXPECT_EQ(CoordinateValue(accepted[field]), std::stoll(c.expected[1]));
    EXPECT_EQ(CoordinateValue(c.input[0]), std::stoll(c.expected[1]));
  }
}

VK7_CASES(CoordinateFieldTest, "pages/cases/coordinate_fields.txt");

}  // namespace
}  // namespace vk7
