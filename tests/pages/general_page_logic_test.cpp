#include "pages/general_page_logic.h"

#include <gtest/gtest.h>

#include "pages/page_test_support.h"

namespace vk7 {
namespace {

using test::Ship;

// What the page shows and does is checked through it; here what it cannot reach: a name
// without a class, and rows outside the lists.
TEST(GeneralPageLogic, EdgesThePageCannotReach) {
  const ShipCatalog ships = test::CatalogFrom<ShipCatalog>("Destroyer=DD\n");
  BattleConfig config;
  config.player = ShipEntry{"", "Ghost", false, true};
  EXPECT_EQ(OpenGeneralPage(config).playerRow, std::nullopt);
  EXPECT_FALSE(OpenGeneralPage(config).nextEnabled);
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
