#include "content/finish_validation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "battle/recording_reporter.h"
#include "support/battle_text.h"
#include "support/case_file.h"
#include "support/model_builders.h"

namespace vk7 {
namespace {

class FinishClashTest : public ::testing::TestWithParam<test_support::Case> {};

// A refused finish leaves the battle alone; a finish that passes changes only the battle mode
// of the systems it names (shown as "forced to AI: NAME").
TEST_P(FinishClashTest, RefusesTheFirstClashOrForcesBrokenStatisticSystems) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
  std::vector<std::string> lines, statistic;
  for (const std::string& line : c.input) {
    (line.rfind("Stat: ", 0) == 0 ? statistic : lines).push_back(line);
  }
  test_support::ReadOutcome read = test_support::ReadBattleLines(lines);
  ASSERT_TRUE(read.ok) << read.Describe();
  for (StarSystem& s : read.config.systems) {
    if (std::count(statistic.begin(), statistic.end(), "Stat: " + s.name) == 0) continue;
    s.battleMode = BattleMode::Stat;
    s.battleModeDefined = true;
  }
  BattleConfig config = read.config;
  RecordingReporter reporter;
  const bool passed = CheckFinishAndForceAiMode(config, reporter);
  std::vector<std::string> shown = test::Log(reporter);
  EXPECT_EQ(passed, shown.empty() || shown[0].rfind("error|", 0) != 0);
  for (std::size_t i = 0; i < config.systems.size(); ++i) {
    StarSystem& before = read.config.systems[i];
    if (before.battleMode == config.systems[i].battleMode) continue;
    shown.push_back("forced to AI: " + before.name);
    before.battleMode = BattleMode::AI;
  }
  EXPECT_EQ(shown, c.expected);
  EXPECT_TRUE(read.config == config);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FinishClashTest,
    ::testing::ValuesIn(test_support::LoadCases("content/cases/finish_clashes.txt")),
    test_support::CaseName());

}  // namespace
}  // namespace vk7
