#include "content/battle_overview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "battle/battle_file_reader.h"
#include "battle/game_folder.h"
#include "battle/recording_reporter.h"
#include "content/battle_checker.h"
#include "content/overview_svg.h"
#include "content/overview_text.h"
#include "support/battle_text.h"
#include "support/case_file.h"
#include "support/model_builders.h"
#include "support/temp_dir.h"

namespace vk7 {
namespace {

const std::string kGoldenDir = std::string(VK7_TEST_DATA_DIR) + "/content/golden/overview/";
const std::string kGame = std::string(VK7_EXAMPLES_DIR) + "/game";

// The one picture compared byte for byte: a demo battle checked against the demo game's
// catalogs (the editor's and the tool's pictures are compared with it too). After a deliberate
// change of the drawing, rewrite it with
//   VK7_UPDATE_GOLDEN=1 build/dev/tests/vk7_core_tests --gtest_filter='BattleOverview.*'
// then look at the picture (as PNG) and read the diff before committing it.
TEST(BattleOverview, MatchesTheGoldenPicture) {
  BattleConfig config;
  RecordingReporter reporter;
  ASSERT_TRUE(BattleFileReader(config, reporter)
                  .Read("DeepSurvey", kGame + "/scripts/DeepSurvey.vk7", true));
  ShipCatalog ships;
  SystemCatalog systems;
  ASSERT_TRUE(ships.Load(GameFolder(kGame), reporter));
  ASSERT_TRUE(systems.Load(GameFolder(kGame), reporter));
  const CheckResult check = CheckBattle(config, ships, systems);
  const std::string svg = RenderOverviewSvg(BuildOverview(config, &check));
  const std::string file = kGoldenDir + "deep_survey.svg";
  if (std::getenv("VK7_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << svg;
  }
  EXPECT_EQ(svg, test::ReadBytes(file));
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The text overview's lines, then the picture's without positions and heights: what is drawn,
// in which colour and how wide. A dialog marker keeps its left edge, which tells where the row
// before it ends.
std::vector<std::string> Shown(const BattleOverview& overview) {
  std::vector<std::string> shown = Lines(RenderOverviewText(overview));
  static const std::regex kPlace(R"( (x|y|x1|y1|x2|y2|cx|cy|height|viewBox)="[^"]*")");
  static const std::regex kMarkerPlace(R"( (y|height)="[^"]*")");
  for (const std::string& line : Lines(RenderOverviewSvg(overview))) {
    const bool marker = line.find("#DDEFFA") != std::string::npos;
    shown.push_back(std::regex_replace(line, marker ? kMarkerPlace : kPlace, ""));
  }
  return shown;
}

class OverviewCaseTest : public ::testing::TestWithParam<test_support::Case> {};

// A case's input is a battle file after its header, the player LANCE unless it names one and the
// system Keth unless it has any; "Checked_" cases are checked against the demo game's catalogs.
// Its expected lines are shown in their order, each right after the one before unless a line
// "..." stands between them.
TEST_P(OverviewCaseTest, ShowsWhatIsExpected) {
  const test_support::Case& c = GetParam();
  std::vector<std::string> lines = c.input;
  const auto has = [&](const std::string& key) {
    return std::ranges::any_of(lines, [&](const std::string& l) { return l.starts_with(key); });
  };
  if (!has("Player =")) lines.insert(lines.begin(), "Player = LANCE");
  if (!has("System =")) lines.push_back("System = Keth");
  const test_support::ReadOutcome read =
      test_support::ReadBattleText(test_support::BattleText(lines));
  ASSERT_TRUE(read.ok) << c.where << "\n" << read.Describe();
  std::optional<CheckResult> check;
  if (c.name.starts_with("Checked_")) {
    RecordingReporter reporter;
    ShipCatalog ships;
    SystemCatalog systems;
    ASSERT_TRUE(ships.Load(GameFolder(kGame), reporter));
    ASSERT_TRUE(systems.Load(GameFolder(kGame), reporter));
    check = CheckBattle(read.config, ships, systems);
  }
  const std::vector<std::string> shown =
      Shown(BuildOverview(read.config, check ? &*check : nullptr));
  // Where the last expected line was found; the next must follow it at once, or after a
  // "..." anywhere later.
  auto at = shown.end();
  bool skip = true;
  for (const std::string& line : c.expected) {
    if (line == "...") {
      skip = true;
      continue;
    }
    const auto from = at == shown.end() ? shown.begin() : std::next(at);
    at = skip ? std::find(from, shown.end(), line) : from;
    if (at == shown.end() || *at != line) {
      std::string all;
      for (const std::string& s : shown) all += s + "\n";
      FAIL() << c.where << ": not shown where expected: " << line << "\nShown:\n" << all;
    }
    skip = false;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, OverviewCaseTest,
                         ::testing::ValuesIn(test_support::LoadCases("content/cases/overview.txt")),
                         test_support::CaseName());

// Flags in a state no file holds (coordinates and a planet for one role, a warp-disable value
// left behind its lowered flag): the overview and the check see what a save writes.
TEST(BattleOverview, SeesWhatASaveWrites) {
  BattleConfig config;
  StarSystem& s = config.systems.emplace_back(test::System("Sol"));
  s.hulkPosition = {1, 2, 3, "Moon"};
  s.hulkCoordsDefined = s.hulkPlanetDefined = s.warpDisablePlayer = true;
  s.hulks = {test::Ship("Wreck")};
  const auto catalog = test::CatalogFrom<SystemCatalog>("Sol=Earth\n");
  const CheckResult check =
      CheckBattle(config, test::CatalogFrom<ShipCatalog>("Hull=Wreck\n"), catalog);
  EXPECT_EQ(check.missingPlanets, std::vector<std::string>{});
  const BattleOverview overview = BuildOverview(config, &check);
  EXPECT_EQ(overview.systems[0].details, "AI battle");
  EXPECT_EQ(overview.systems[0].groups.back().notes[0].text, "starts at x 1, y 2, z 3");
}

// A control character that reached the picture's text past the model is still replaced.
TEST(BattleOverview, EscapesControlCharactersForXml) {
  EXPECT_EQ(EscapeXml("<a\x01\t\n\x1F>"), "&lt;a\xEF\xBF\xBD\t\n\xEF\xBF\xBD&gt;");
}

}  // namespace
}  // namespace vk7
