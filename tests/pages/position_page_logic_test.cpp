#include "pages/position_page_logic.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "pages/page_test_support.h"

namespace vk7 {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

// The stored side of one role, so that cases can name a role and check its fields.
struct RoleAccess {
  PositionRole role;
  ShipPosition StarSystem::*position;
  bool StarSystem::*coords;
  bool StarSystem::*planet;
};

const RoleAccess kRoles[] = {
    {PositionRole::Player, &StarSystem::playerPosition, &StarSystem::playerCoordsDefined,
     &StarSystem::playerPlanetDefined},
    {PositionRole::Friends, &StarSystem::friendPosition, &StarSystem::friendCoordsDefined,
     &StarSystem::friendPlanetDefined},
    {PositionRole::Enemies, &StarSystem::enemyPosition, &StarSystem::enemyCoordsDefined,
     &StarSystem::enemyPlanetDefined},
    {PositionRole::Neutrals, &StarSystem::neutralPosition, &StarSystem::neutralCoordsDefined,
     &StarSystem::neutralPlanetDefined},
    {PositionRole::Hulks, &StarSystem::hulkPosition, &StarSystem::hulkCoordsDefined,
     &StarSystem::hulkPlanetDefined},
};

TEST(PositionPageLogic, EachRoleOpensFromItsOwnFields) {
  struct Case {
    bool planetFlag;
    bool coordsFlag;
    PositionEntry expected;
  };
  const Case cases[] = {
      {false, false, {PositionKind::None, ""}},
      {true, false, {PositionKind::Planet, "Keth Prime"}},
      {false, true, {PositionKind::Coordinates, "-1200   0   2147483647"}},
      {true, true, {PositionKind::Planet, "Keth Prime"}},  // the planet wins
  };
  for (const RoleAccess& access : kRoles) {
    for (const Case& c : cases) {
      StarSystem system;
      system.*access.position = ShipPosition{-1200, 0, kMax, "Keth Prime"};
      system.*access.planet = c.planetFlag;
      system.*access.coords = c.coordsFlag;
      const PositionPageState state = OpenPositionPage(system);
      for (std::size_t i = 0; i < kPositionRoleCount; ++i) {
        const bool same = static_cast<PositionRole>(i) == access.role;
        EXPECT_EQ(state.entries[i], same ? c.expected : PositionEntry{})
            << "role " << static_cast<std::size_t>(access.role) << " row " << i << " flags "
            << c.planetFlag << c.coordsFlag;
      }
    }
  }
}

TEST(PositionPageLogic, CoordinateFieldCheck) {
  struct Case {
    std::string typed;
    bool valid;
    std::string kept;
  };
  const Case cases[] = {
      {"12.5", true, "12.5"}, {"-3", true, "-3"},  {"-", true, "-"},       {".", true, "."},
      {"-.5", true, "-.5"},   {" 7 ", true, "7"},  {"\t-7\t", true, "-7"}, {"+1", false, ""},
      {"1-", false, ""},      {"1..2", false, ""}, {"1e5", false, ""},     {"1,5", false, ""},
      {"", false, ""},        {"   ", false, ""},  {"1 2", false, ""},     {"?", false, ""},
  };
  for (const Case& c : cases) {
    for (std::size_t field = 0; field < 3; ++field) {
      CoordinateTexts typed = {"1", "2", "3"};
      typed[field] = c.typed;
      CoordinateTexts accepted = {"old", "old", "old"};
      RecordingReporter reporter;
      const auto invalid = AcceptCoordinates(typed, accepted, reporter);
      if (c.valid) {
        CoordinateTexts expected = {"1", "2", "3"};
        expected[field] = c.kept;
        EXPECT_EQ(invalid, std::nullopt) << "'" << c.typed << "' in field " << field;
        EXPECT_EQ(accepted, expected) << "'" << c.typed << "'";
        EXPECT_TRUE(reporter.Entries().empty());
      } else {
        EXPECT_EQ(invalid, field) << "'" << c.typed << "' in field " << field;
        EXPECT_EQ(accepted, (CoordinateTexts{"old", "old", "old"}));
        EXPECT_EQ(reporter.Entries(), std::vector{test::ErrorEntry("Invalid coordinates!")});
      }
    }
  }
}

TEST(PositionPageLogic, TheBoxReadsAtMost254CharactersOfAField) {
  RecordingReporter reporter;
  CoordinateTexts accepted;
  const std::string digits(254, '9');
  EXPECT_EQ(AcceptCoordinates({digits + "x", "1", "2"}, accepted, reporter), std::nullopt);
  EXPECT_EQ(accepted[0], digits);
  // Blanks are stripped from what was read, so the cut comes first.
  EXPECT_EQ(AcceptCoordinates({std::string(254, ' ') + "5", "1", "2"}, accepted, reporter), 0u);
}

TEST(PositionPageLogic, CoordinateValues) {
  struct Case {
    std::string text;
    std::int32_t value;
  };
  const Case cases[] = {
      {"12.5", 12},
      {"-12.9", -12},
      {"007", 7},
      {"-", 0},
      {".", 0},
      {"-.5", 0},
      {"  42", 42},
      {"2147483647", kMax},
      {"-2147483648", kMin},
      // Beyond the range: clamped to the nearest end, never wrapped round.
      {"2147483648", kMax},
      {"-2147483649", kMin},
      {"4294967296", kMax},
      {"-99999999999999999999999999999999.5", kMin},
      {std::string(254, '9'), kMax},
  };
  for (const Case& c : cases) EXPECT_EQ(CoordinateValue(c.text), c.value) << "'" << c.text << "'";
}

TEST(PositionPageLogic, OkWritesEachRoleAndKeepsTheValuesOfTheKindNotInUse) {
  for (const RoleAccess& access : kRoles) {
    StarSystem system;
    system.*access.position = ShipPosition{1, 2, 3, "Arra"};
    system.*access.planet = true;
    system.*access.coords = true;
    const StarSystem before = system;

    PositionPageState state = OpenPositionPage(system);
    SetCoordinates(state.Entry(access.role), {"12.5", "-3", "0"});
    ApplyPositionPage(state, system);
    StarSystem expected = before;
    expected.*access.position = ShipPosition{12, -3, 0, "Arra"};
    expected.*access.planet = false;
    expected.*access.coords = true;
    EXPECT_EQ(system, expected) << "coordinates, role " << static_cast<std::size_t>(access.role);

    SetPlanet(state.Entry(access.role), "Keth Prime");
    ApplyPositionPage(state, system);
    expected.*access.position = ShipPosition{12, -3, 0, "Keth Prime"};
    expected.*access.planet = true;
    expected.*access.coords = false;
    EXPECT_EQ(system, expected) << "planet, role " << static_cast<std::size_t>(access.role);

    ClearEntry(state.Entry(access.role));
    ApplyPositionPage(state, system);
    expected.*access.planet = false;
    EXPECT_EQ(system, expected) << "none, role " << static_cast<std::size_t>(access.role);
  }
}

}  // namespace
}  // namespace vk7
