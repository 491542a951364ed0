#include "pages/general_page_logic.h"

#include <gtest/gtest.h>

#include "pages/page_test_support.h"

namespace vk7 {
namespace {

using test::Ship;

TEST(GeneralPageLogic, ANameWithoutAClassMakesNoPlayerRow) {
  BattleConfig config;
  config.player = ShipEntry{"", "Ghost", false, true};
  const GeneralPageView view = OpenGeneralPage(config);
  EXPECT_EQ(view.playerRow, std::nullopt);
  EXPECT_FALSE(view.nextEnabled);
}

TEST(GeneralPageLogic, RowsOutsideTheListsAreIgnored) {
  const ShipCatalog ships = test::CatalogFrom<ShipCatalog>("Destroyer=DD\n");
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
