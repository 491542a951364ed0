#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "pages/friends_enemies_page.h"
#include "pages/neutrals_hulks_page.h"
#include "pages/page_test_support.h"

namespace vk7 {
namespace {

using namespace test;

// The third class is Windows-1252 text: "Zé" labelled "Lâbel".
const ShipCatalog kShips = CatalogFrom<ShipCatalog>(
    "Scout Ship = SC1\nHeavy Cruiser = HC1\nL\xE2"
    "bel = Z\xE9"
    "\n");
const SystemCatalog kSystems =
    CatalogFrom<SystemCatalog>("Keth=Keth Prime\nSol=Earth=Mars\nArra=Arra IV\n");
const QString kZe = QString::fromUtf8("Zé");

// Three systems; the pages work on the second, Sol. Arra has a friend named Raven.
BattleConfig ThreeSystems() {
  BattleConfig config;
  config.name = "Ambush";
  config.player = Ship("HC1");
  config.systems = {System("Keth"), System("Sol"), System("Arra")};
  StarSystem& sol = config.systems[1];
  sol.friends = sol.neutrals = {Ship("SC1")};
  sol.enemies = {Ship("SC1"), Ship("SC1", "Kestrel")};
  sol.hulks = {Ship("SC1"), Ship("SC1", "Wreck")};
  config.systems[2].friends = {Ship("SC1", "Raven")};
  return config;
}

using RunFunction = PageResult (*)(QWidget*, BattleConfig&, int, const ShipCatalog&,
                                   const SystemCatalog&);

struct PageCase {
  const char* testName;
  QString templateName;
  RunFunction run;
  ShipRole upperRole, lowerRole;
  QString upper, lower;  // list labels
  QString titleEnding;
  QStringList lowerRows;  // the upper list holds one unnamed "SC1"
  QString upperRoleText;
  // Detail buttons with the template and title of the page each opens for Sol.
  std::vector<std::array<QString, 3>> details;
  PageResult onReturn;
  // The default name of the first upper ship, and what Finish says while the player bears it.
  const char* upperDefaultName;
  QString clashText;
};

// clang-format off
const PageCase kFriendsEnemies = {
    "FriendsEnemies", "SYSTEMBOX1", &FriendsEnemiesPage::Run, ShipRole::Friend, ShipRole::Enemy,
    "Friends", "Enemies", ">  -  Enemies and Friends", {"SC1", "SC1 --> Kestrel"},
    " class friendly ship",
    {{"Options", "SYSTEMOPTIONBOX", "Sol Options"},
     {"Actions", "ACTIONBOX", "Actions of the Friend and Enemy Ships in Sol"},
     {"Positions", "POSITIONBOX", "Sol Positions"}},
    PageResult::Next, "SC1 F2.1",
    "Your player ship name SC1 F2.1 conflicts with a default friend ship name  in system 2. "
    "Please change this name!"};

const PageCase kNeutralsHulks = {
    "NeutralsHulks", "SYSTEMBOX2", &NeutralsHulksPage::Run, ShipRole::Neutral, ShipRole::Hulk,
    "Neutrals", "Hulks", ">  -  Neutrals and Hulks", {"SC1", "SC1 --> Wreck"}, " class neutral ship",
    {{"Actions/Beh.", "NBEHAVIORBOX", "Actions and Behavior of the Neutral Ships in Sol"},
     {"Positions", "POSITIONBOX", "Sol Positions"}},
    PageResult::Previous, "SC1 N2.1",
    "Your player ship name SC1 N2.1 conflicts with a default neutral ship name  in system 2. "
    "Please change this name!"};
// clang-format on

struct PageControls {
  QListWidget &available, &upper, &lower;
  QPushButton &upperAdd, &upperRemove, &lowerAdd, &lowerRemove;
};

PageControls Controls(QDialog& page, const PageCase& c) {
  return {Find<QListWidget>(page, "Available Ships"),
          Find<QListWidget>(page, c.upper),
          Find<QListWidget>(page, c.lower),
          Find<QPushButton>(page, "Add to " + c.upper),
          Find<QPushButton>(page, "Remove from " + c.upper),
          Find<QPushButton>(page, "Add to " + c.lower),
          Find<QPushButton>(page, "Remove from " + c.lower)};
}

// Which of the four list buttons can be pressed: upper add, upper remove, lower add, lower
// remove.
std::string Enabled(const PageControls& c) {
  std::string enabled;
  for (QPushButton* b : {&c.upperAdd, &c.upperRemove, &c.lowerAdd, &c.lowerRemove})
    enabled += b->isEnabled() ? '1' : '0';
  return enabled;
}

class SystemShipsPageTest : public testing::TestWithParam<PageCase> {
 protected:
  PageResult Show(BattleConfig& config, int systemNumber = 2) {
    return GetParam().run(nullptr, config, systemNumber, kShips, kSystems);
  }
};

// The opening state; each detail page opens for the same system; leaving asks first.
TEST_P(SystemShipsPageTest, OpensShowsDetailsAndAsksBeforeLeaving) {
  const PageCase& c = GetParam();
  BattleConfig config = ThreeSystems();
  ScriptedSeam seam;
  seam.Expect(c.templateName, [&](QDialog& page) {
    EXPECT_EQ(page.windowTitle(),
              "Battle Configuration <Ambush>  -  System 2 of 3 <Sol" + c.titleEnding);
    const PageControls controls = Controls(page, c);
    EXPECT_EQ(Rows(controls.available), (QStringList{"SC1   (Scout Ship)", "HC1   (Heavy Cruiser)",
                                                     kZe + "   (L\u00e2bel)"}));
    EXPECT_EQ(Rows(controls.upper), QStringList{"SC1"});
    EXPECT_EQ(Rows(controls.lower), c.lowerRows);
    EXPECT_EQ(Enabled(controls), "0000");
    for (const auto& detail : c.details) Click(page, detail[0]);
    Leave(page, 0);
    Leave(page, 1);
    EXPECT_TRUE(page.isVisible());
    Leave(page, 2);
  });
  for (const auto& detail : c.details) {
    seam.Expect(detail[1], [&](QDialog& box) {
      EXPECT_EQ(box.windowTitle(), detail[2]);
      Click(box, "Cancel");
    });
  }
  seam.Expect("CANCELBOX", Press("No")).Expect("CANCELBOX", Press("No"));
  seam.Expect("CANCELBOX", Press("Yes"));
  EXPECT_EQ(Show(config), PageResult::Cancel);
  EXPECT_EQ(config, ThreeSystems());
}

// Adding, removing and naming change the system at once; "Finish" is refused while the
// player bears the default name of the first upper ship, and accepted once it is gone.
TEST_P(SystemShipsPageTest, EditsBothListsAndFinishes) {
  const PageCase& c = GetParam();
  BattleConfig config = ThreeSystems();
  config.player = Ship("HC1", c.upperDefaultName);
  BattleConfig expected = config;
  StarSystem& sol = expected.systems[1];
  sol.Ships(c.upperRole) = {Ship("Z\xE9", "Falcon"), Ship("Z\xE9")};
  sol.Ships(c.lowerRole) = {Ship("SC1"), Ship("HC1")};
  ScriptedSeam seam;
  seam.Expect(c.templateName,
              [&](QDialog& page) {
                Click(page, "Finish");
                EXPECT_TRUE(page.isVisible());
                const PageControls controls = Controls(page, c);
                ClickRow(controls.available, 2);
                EXPECT_EQ(Enabled(controls), "1010");
                controls.upperAdd.click();
                controls.upperAdd.click();
                ClickRow(controls.available, 1);
                controls.lowerAdd.click();
                EXPECT_EQ(Rows(controls.upper), (QStringList{"SC1", kZe, kZe}));
                EXPECT_EQ(Rows(controls.lower), c.lowerRows + QStringList{"HC1"});
                ClickRow(controls.lower, 1);
                EXPECT_EQ(Enabled(controls), "1011");
                ClickRow(controls.upper, 0);
                controls.upperRemove.click();
                // The view would move the current row on; nothing stays selected in that list.
                EXPECT_EQ(SelectedRow(controls.upper), -1);
                EXPECT_EQ(SelectedRow(controls.lower), 1);
                EXPECT_EQ(Enabled(controls), "1011");
                controls.lowerRemove.click();
                EXPECT_EQ(Enabled(controls), "1010");
                DoubleClickRow(controls.upper, 0);
                EXPECT_EQ(Rows(controls.upper), (QStringList{kZe + " --> Falcon", kZe}));
                EXPECT_EQ(SelectedRow(controls.upper), 0);
                DoubleClickRow(controls.lower, 0);
                EXPECT_EQ(Rows(controls.lower), (QStringList{"SC1", "HC1"}));
                Click(page, "Finish");
              })
      .Expect("ERRORBOX", Refused(c.clashText))
      .Expect("NAMEBOX",
              [&](QDialog& box) {
                auto& edit = Find<QLineEdit>(box, "nameEdit");
                EXPECT_EQ(edit.accessibleName(), "Set the name of the " + kZe + c.upperRoleText);
                edit.setText(" Falcon ");
                Click(box, "Ok");
              })
      .Expect("NAMEBOX", TypeAndPress("nameEdit", "Raven", "Ok"))
      .Expect("ERRORBOX", Refused("Ship name Raven already used for a friendly ship in system 3"));
  EXPECT_EQ(Show(config), PageResult::Finish);
  EXPECT_EQ(config, expected);
}

// A number without a system opens empty and offers nothing to add or open; Return presses
// the page's default button.
TEST_P(SystemShipsPageTest, ANumberWithoutASystemOpensEmpty) {
  const PageCase& c = GetParam();
  BattleConfig config = ThreeSystems();
  ScriptedSeam seam;
  seam.Expect(c.templateName, [&](QDialog& page) {
    EXPECT_FALSE(page.windowTitle().startsWith("Battle Configuration"));
    const PageControls controls = Controls(page, c);
    EXPECT_EQ(controls.available.count() + controls.upper.count() + controls.lower.count(), 0);
    for (const auto& detail : c.details) EXPECT_FALSE(Button(page, detail[0]).isEnabled());
    EXPECT_EQ(Enabled(controls), "0000");
    QTest::keyClick(&page, Qt::Key_Return);
  });
  EXPECT_EQ(Show(config, 4), c.onReturn);
  EXPECT_EQ(config, ThreeSystems());
}

INSTANTIATE_TEST_SUITE_P(BothPages, SystemShipsPageTest,
                         testing::Values(kFriendsEnemies, kNeutralsHulks),
                         [](const testing::TestParamInfo<PageCase>& param) {
                           return std::string(param.param.testName);
                         });

// Catalogs can be long: one item widget per row would take seconds.
TEST(FriendsEnemiesPage, TenThousandCatalogClassesOpenQuickly) {
  std::string text;
  for (int i = 0; i < 10000; ++i) text += "L" + std::to_string(i) + "=C" + std::to_string(i) + "\n";
  const ShipCatalog ships = CatalogFrom<ShipCatalog>(text);
  BattleConfig config = ThreeSystems();
  QElapsedTimer timer;
  timer.start();
  ScriptedSeam seam;
  seam.Expect("SYSTEMBOX1", [&](QDialog& page) {
    RecordProperty("open_ms", static_cast<int>(timer.elapsed()));
    EXPECT_LT(timer.elapsed(), 3000);
    ClickRow(Find<QListWidget>(page, "Available Ships"), 9999);
    Find<QPushButton>(page, "Add to Enemies").click();
    Click(page, "<-- Previous");
  });
  EXPECT_EQ(FriendsEnemiesPage::Run(nullptr, config, 2, ships, kSystems), PageResult::Previous);
  EXPECT_EQ(config.systems[1].enemies.back(), Ship("C9999"));
}

}  // namespace
}  // namespace vk7
