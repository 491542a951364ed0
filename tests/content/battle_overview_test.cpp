#include "content/battle_overview.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "battle/battle_file_reader.h"
#include "battle/game_folder.h"
#include "battle/recording_reporter.h"
#include "content/battle_checker.h"
#include "content/overview_svg.h"
#include "content/overview_text.h"
#include "support/model_builders.h"
#include "support/temp_dir.h"

namespace vk7 {
namespace {

const std::string kGoldenDir = std::string(VK7_TEST_DATA_DIR) + "/content/golden/overview/";
const std::string kGame = std::string(VK7_EXAMPLES_DIR) + "/game";

// The overviews of three battles, SVG and text, compared byte for byte with the files in
// golden/overview. After a deliberate change of the drawing or the wording, rewrite them with
//   VK7_UPDATE_GOLDEN=1 build/dev/tests/vk7_core_tests --gtest_filter='BattleOverview.*'
// then look at the pictures (as PNG) and read the diff before committing them.
TEST(BattleOverview, MatchesTheGoldenFiles) {
  struct Case {
    std::string battle;
    bool checked;  // against the demo game's catalogs
    std::string golden;
  };
  // The narrowest page; six systems with every kind of event, XML's special characters,
  // Windows-1252 letters and a control byte; a demo battle whose classes, planet and system the
  // catalogs lack; and the drawing's edge cases: the widths that set the page, cut words and
  // every character's width; a page as wide as its title (with a finding just too wide for
  // it), or as one dialog row.
  for (const Case& c : {Case{kGoldenDir + "../minimal.vk7", false, "minimal"},
                        Case{kGoldenDir + "six_suns.vk7", false, "six_suns"},
                        Case{kGame + "/scripts/DeepSurvey.vk7", true, "deep_survey"},
                        Case{kGoldenDir + "edges.vk7", false, "edges"},
                        Case{kGoldenDir + "wide_title.vk7", true, "wide_title"},
                        Case{kGoldenDir + "wide_dialog.vk7", false, "wide_dialog"}}) {
    BattleConfig config;
    RecordingReporter reporter;
    const std::string name = std::filesystem::path(c.battle).stem().string();
    ASSERT_TRUE(BattleFileReader(config, reporter).Read(name, c.battle, true))
        << c.battle << (reporter.FirstError() ? reporter.FirstError()->text : "");
    std::optional<CheckResult> check;
    if (c.checked) {
      ShipCatalog ships;
      SystemCatalog systems;
      ASSERT_TRUE(ships.Load(GameFolder(kGame), reporter));
      ASSERT_TRUE(systems.Load(GameFolder(kGame), reporter));
      check = CheckBattle(config, ships, systems);
    }
    const BattleOverview overview = BuildOverview(config, check ? &*check : nullptr);
    for (const auto& [suffix, bytes] : {std::pair{".svg", RenderOverviewSvg(overview)},
                                        std::pair{".txt", RenderOverviewText(overview)}}) {
      const std::string file = kGoldenDir + c.golden + suffix;
      if (std::getenv("VK7_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
      }
      EXPECT_EQ(bytes, test::ReadBytes(file)) << file;
    }
  }
}

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

}  // namespace
}  // namespace vk7
