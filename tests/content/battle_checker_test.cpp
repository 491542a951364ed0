#include "content/battle_checker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/battle_text.h"
#include "support/case_file.h"
#include "support/model_builders.h"

namespace vk7 {
namespace {

using Rows = std::vector<std::string>;

class BattleCheckerTest : public ::testing::TestWithParam<test_support::Case> {};

TEST_P(BattleCheckerTest, ListsWhatTheCatalogsLack) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
  std::string catalogs[2];  // vkships.txt, vk7sys.txt
  Rows battle;
  for (const std::string& line : c.input) {
    const bool ships = line.rfind("vkships.txt: ", 0) == 0;
    if (ships || line.rfind("vk7sys.txt: ", 0) == 0) {
      catalogs[ships ? 0 : 1] += line.substr(line.find(": ") + 2) + "\n";
    } else {
      battle.push_back(line);
    }
  }
  const test_support::ReadOutcome read = test_support::ReadBattleLines(battle);
  ASSERT_TRUE(read.ok) << read.Describe();
  const CheckResult result = CheckBattle(read.config, test::CatalogFrom<ShipCatalog>(catalogs[0]),
                                         test::CatalogFrom<SystemCatalog>(catalogs[1]));
  Rows rows;
  for (const auto& s : result.missingShipClasses) rows.push_back("missing ship class: " + s);
  rows.insert(rows.end(), result.shipDetails.begin(), result.shipDetails.end());
  for (const auto& s : result.missingPlanets) rows.push_back("missing planet: " + s);
  rows.insert(rows.end(), result.planetDetails.begin(), result.planetDetails.end());
  for (const auto& s : result.missingSystems) rows.push_back("missing system: " + s);
  EXPECT_EQ(rows, c.expected);
  EXPECT_EQ(result.anyMissing, !c.expected.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BattleCheckerTest,
    ::testing::ValuesIn(test_support::LoadCases("content/cases/battle_checks.txt")),
    test_support::CaseName());

}  // namespace
}  // namespace vk7
