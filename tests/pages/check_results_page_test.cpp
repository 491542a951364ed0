#include "pages/check_results_page.h"

#include <gtest/gtest.h>
#include <QPlainTextEdit>

#include "pages/page_test_support.h"

namespace vk7 {
namespace {

using namespace test;

const ShipCatalog kShips = CatalogFrom<ShipCatalog>("Talon=TALON\nWarden=WARDEN\n");
const SystemCatalog kSystems = CatalogFrom<SystemCatalog>("Keth=Keth Prime=Arra\nSorvan=Dusk\n");

// Each list of the page, by name, and the summary below them.
QStringList Shown(QDialog& page) {
  QStringList shown;
  for (const char* name :
       {"Missing Ship Classes Missing", "Missing Ship Classes Details", "Missing Planets Missing",
        "Missing Planets Details", "Missing Systems"}) {
    shown << Rows(Find<QListWidget>(page, name)).join(" | ");
  }
  return shown << Find<QPlainTextEdit>(page, "Check Summary").toPlainText();
}

// Two missing classes (one used twice, in two spellings, one a Windows-1252 "É"), a missing
// planet and an unknown system whose planet is not looked at.
TEST(CheckResultsPage, ListsWhatIsMissingAndReturnsIt) {
  BattleConfig config;
  config.player = Ship("\xC9lan");
  config.escorts = {Ship("Warden")};
  StarSystem keth = System("Keth");
  keth.friends = {Ship("\xC9LAN")};
  keth.hulks = {Ship("Wreck")};
  keth.enemyPosition.planet = "Zed";
  keth.hulkPosition.planet = "Arra";
  keth.enemyPlanetDefined = keth.hulkPlanetDefined = true;
  StarSystem lost = System("Lost");
  lost.playerPosition.planet = "Nowhere";
  lost.playerPlanetDefined = true;
  config.systems = {keth, lost};
  ScriptedSeam seam;
  seam.Expect("CHECKBOX", [](QDialog& page) {
    EXPECT_EQ(page.windowTitle(), "Check Results");
    EXPECT_EQ(Shown(page),
              (QStringList{QString::fromUtf8("Élan | Wreck"),
                           QString::fromUtf8("Élan is defined as player ship | ÉLAN is defined as "
                                             "friendly ship in system Keth | Wreck is defined as "
                                             "hulk in system Keth"),
                           "Zed", "Zed is given as enemy position in system Keth", "Lost",
                           "WARNING! The ships, systems and planets listed here are needed for "
                           "this battle and not registered in your vkships.txt or vk7sys.txt "
                           "file. You may not have these objects!"}));
    Click(page, "OK");
  });
  EXPECT_TRUE(CheckResultsPage::Run(nullptr, config, kShips, kSystems, std::nullopt));
}

// A fine battle shows "none" everywhere, under the caller's title when it gives one.
TEST(CheckResultsPage, FineBattleUnderEachTitle) {
  BattleConfig config;
  config.player = Ship("talon");
  StarSystem keth = System("KETH");
  keth.enemies = {Ship("Warden")};
  keth.playerPosition.planet = "keth prime";
  keth.playerPlanetDefined = true;
  keth.friendPosition.planet = "Unlisted";  // by coordinates only: never looked up
  keth.friendCoordsDefined = true;
  config.systems = {keth};
  const std::optional<std::string> titles[] = {"Import Battle Check Results", "", std::nullopt};
  for (const auto& title : titles) {
    ScriptedSeam seam;
    seam.Expect("CHECKBOX", [&](QDialog& page) {
      EXPECT_EQ(page.windowTitle(), title.value_or("").empty() ? QString("Check Results")
                                                               : QString::fromStdString(*title));
      EXPECT_EQ(Shown(page), QStringList(5, "-- none --")
                                 << "The battle looks FINE! No missing objects found!");
      Click(page, "OK");
    });
    EXPECT_FALSE(CheckResultsPage::Run(nullptr, config, kShips, kSystems, title));
  }
}

}  // namespace
}  // namespace vk7
