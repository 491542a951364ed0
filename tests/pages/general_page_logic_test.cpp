#include "pages/general_page_logic.h"

#include <gtest/gtest.h>

#include "battle/recording_reporter.h"
#include "battle/text_line_file.h"

namespace vk7 {
namespace {

ShipEntry Ship(const char* shipClass, const char* name = nullptr) {
  return ShipEntry{shipClass, name != nullptr ? name : "", true, name != nullptr};
}

TEST(GeneralPageLogic, ANameWithoutAClassMakesNoPlayerRow) {
  BattleConfig config;
  config.player.name = "Ghost";
  config.player.hasName = true;
  const GeneralPageView view = OpenGeneralPage(config);
  EXPECT_EQ(view.playerRow, std::nullopt);
  EXPECT_FALSE(view.nextEnabled);
}

// Rows the page does not have change nothing.
TEST(GeneralPageLogic, RowsOutsideTheListsAreIgnored) {
  TextLineFile source;
  source.OpenMemory("Destroyer=DD\n");
  ShipCatalog ships;
  ships.Read(source);
  BattleConfig config;
  config.player = Ship("DD", "Endeavour");
  config.escorts = {Ship("DD")};
  const BattleConfig before = config;
  RecordingReporter reporter;
  EXPECT_FALSE(SelectPlayerClass(config, ships, 1));
  EXPECT_FALSE(AddEscort(config, ships, 1, reporter));
  EXPECT_FALSE(RemoveEscort(config, 1));
  EXPECT_EQ(config, before);
  EXPECT_TRUE(reporter.Entries().empty());
}

}  // namespace
}  // namespace vk7
