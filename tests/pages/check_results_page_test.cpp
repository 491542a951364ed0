#include "pages/check_results_page.h"

#include <gtest/gtest.h>
#include <QPlainTextEdit>

#include "pages/page_test_support.h"

namespace vk7 {
namespace {

using namespace test;
using Strings = std::vector<std::string>;

const char* const kListNames[] = {"Missing Ship Classes Missing", "Missing Ship Classes Details",
                                  "Missing Planets Missing", "Missing Planets Details",
                                  "Missing Systems"};

const ShipCatalog kShips = CatalogFrom<ShipCatalog>("Talon=TALON\nWarden=WARDEN\n");
const SystemCatalog kSystems = CatalogFrom<SystemCatalog>("Keth=Keth Prime=Arra\nSorvan=Dusk\n");

// Every list of a kind that the check can fill: two missing classes (one used twice, in two
// spellings), a missing planet and an unknown system whose planet is not looked at.
BattleConfig BattleWithGaps() {
  BattleConfig config;
  config.player = Ship("Ghost");
  config.escorts = {Ship("Warden")};
  StarSystem keth = System("Keth");
  keth.friends = {Ship("GHOST")};
  keth.hulks = {Ship("Wreck")};
  keth.enemyPosition.planet = "Zed";
  keth.enemyPlanetDefined = true;
  keth.hulkPosition.planet = "Arra";
  keth.hulkPlanetDefined = true;
  StarSystem lost = System("Lost");
  lost.playerPosition.planet = "Nowhere";
  lost.playerPlanetDefined = true;
  config.systems = {keth, lost};
  return config;
}

BattleConfig FineBattle() {
  BattleConfig config;
  config.player = Ship("talon");
  StarSystem keth = System("KETH");
  keth.enemies = {Ship("Warden")};
  keth.playerPosition.planet = "keth prime";
  keth.playerPlanetDefined = true;
  keth.friendPosition.planet = "Unlisted";  // by coordinates only: never looked up
  keth.friendCoordsDefined = true;
  config.systems = {keth};
  return config;
}

QStringList ListRows(QDialog& page, const QString& name) {
  return Rows(Find<QListWidget>(page, name));
}

TEST(CheckResultsView, RowsKeepTheirOrderAndOnlyEmptyListsShowNone) {
  CheckResult result;
  result.missingShipClasses = {"B", "A"};
  result.shipDetails = {"B is defined as player ship", "A is defined as escort ship"};
  result.missingSystems = {"Lost"};
  result.anyMissing = true;
  const CheckResultsView view = BuildCheckResultsView(result);
  EXPECT_EQ(view.Rows(CheckList::MissingShipClasses), (Strings{"B", "A"}));
  EXPECT_EQ(view.Rows(CheckList::ShipDetails), result.shipDetails);
  EXPECT_EQ(view.Rows(CheckList::MissingPlanets), Strings{"-- none --"});
  EXPECT_EQ(view.Rows(CheckList::PlanetDetails), Strings{"-- none --"});
  EXPECT_EQ(view.Rows(CheckList::MissingSystems), Strings{"Lost"});
  EXPECT_EQ(view.summary,
            "WARNING! The ships, systems and planets listed here are needed for this battle and "
            "not registered in your vkships.txt or vk7sys.txt file. You may not have these "
            "objects!");
  EXPECT_TRUE(view.anyMissing);
}

TEST(CheckResultsPage, ListsWhatIsMissingAndReturnsIt) {
  ScriptedSeam seam;
  seam.Expect("CHECKBOX", [](QDialog& page) {
    EXPECT_EQ(page.windowTitle(), "Check Results");
    EXPECT_EQ(ListRows(page, kListNames[0]), (QStringList{"Ghost", "Wreck"}));
    EXPECT_EQ(ListRows(page, kListNames[1]),
              (QStringList{"Ghost is defined as player ship",
                           "GHOST is defined as friendly ship in system Keth",
                           "Wreck is defined as hulk in system Keth"}));
    EXPECT_EQ(ListRows(page, kListNames[2]), QStringList{"Zed"});
    EXPECT_EQ(ListRows(page, kListNames[3]),
              QStringList{"Zed is given as enemy position in system Keth"});
    EXPECT_EQ(ListRows(page, kListNames[4]), QStringList{"Lost"});
    auto& summary = Find<QPlainTextEdit>(page, "Check Summary");
    EXPECT_TRUE(summary.isReadOnly());
    EXPECT_TRUE(summary.toPlainText().startsWith("WARNING! The ships, systems and planets"));
    Click(page, "OK");
  });
  EXPECT_TRUE(CheckResultsPage::Run(nullptr, BattleWithGaps(), kShips, kSystems, std::nullopt));
}

// A fine battle shows "none" everywhere, under the caller's title when it gives one; closing
// with Escape still answers whether anything is missing.
TEST(CheckResultsPage, FineBattleTitlesAndEscape) {
  const std::optional<std::string> titles[] = {"Import Battle Check Results", "", std::nullopt};
  for (const auto& title : titles) {
    ScriptedSeam seam;
    seam.Expect("CHECKBOX", [&](QDialog& page) {
      EXPECT_EQ(page.windowTitle(), title.value_or("").empty() ? QString("Check Results")
                                                               : QString::fromStdString(*title));
      for (const char* name : kListNames)
        EXPECT_EQ(ListRows(page, name), QStringList{"-- none --"});
      EXPECT_EQ(Find<QPlainTextEdit>(page, "Check Summary").toPlainText(),
                "The battle looks FINE! No missing objects found!");
      Click(page, "OK");
    });
    EXPECT_FALSE(CheckResultsPage::Run(nullptr, FineBattle(), kShips, kSystems, title));
  }
  ScriptedSeam seam;
  seam.Expect("CHECKBOX", [](QDialog& page) { QTest::keyClick(&page, Qt::Key_Escape); });
  EXPECT_TRUE(CheckResultsPage::Run(nullptr, BattleWithGaps(), kShips, kSystems, std::nullopt));
}

TEST(CheckResultsPage, NamesCrossTheWidgetsAsWindows1252) {
  BattleConfig config = FineBattle();
  config.player = Ship(
      "\xC9"
      "clair");  // "Éclair"
  ScriptedSeam seam;
  seam.Expect("CHECKBOX", [](QDialog& page) {
    EXPECT_EQ(ListRows(page, kListNames[0]), QStringList{QString::fromUtf8("Éclair")});
    EXPECT_EQ(ListRows(page, kListNames[1]),
              QStringList{QString::fromUtf8("Éclair is defined as player ship")});
    Click(page, "OK");
  });
  EXPECT_TRUE(CheckResultsPage::Run(nullptr, config, kShips, kSystems, std::nullopt));
}

}  // namespace
}  // namespace vk7
