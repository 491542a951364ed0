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
  QStringList upperRows, lowerRows;
  QString upperRoleText, lowerRoleText;
  QString lowerName;  // of the second, named ship of the lower list
  // Detail buttons with the template and title of the page each opens for Sol.
  std::vector<std::array<QString, 3>> details;
  QStringList navigation;
  QString defaultButton;
  // Finishing while the player ship bears the default name of the first upper ship.
  QString upperDefaultName;
  QString clashText;
};

// clang-format off
const PageCase kFriendsEnemies = {
    "FriendsEnemies", "SYSTEMBOX1", &FriendsEnemiesPage::Run, ShipRole::Friend, ShipRole::Enemy,
    "Friends", "Enemies", ">  -  Enemies and Friends", {"SC1"}, {"SC1", "SC1 --> Kestrel"},
    " class friendly ship", " class enemy ship", "Kestrel",
    {{"Options", "SYSTEMOPTIONBOX", "Sol Options"},
     {"Actions", "ACTIONBOX", "Actions of the Friend and Enemy Ships in Sol"},
     {"Positions", "POSITIONBOX", "Sol Positions"}},
    {"<-- Previous", "Next -->", "Finish", "Cancel"}, "Next -->", "SC1 F2.1",
    "Your player ship name SC1 F2.1 conflicts with a default friend ship name  in system 2. "
    "Please change this name!"};

const PageCase kNeutralsHulks = {
    "NeutralsHulks", "SYSTEMBOX2", &NeutralsHulksPage::Run, ShipRole::Neutral, ShipRole::Hulk,
    "Neutrals", "Hulks", ">  -  Neutrals and Hulks", {"SC1"}, {"SC1", "SC1 --> Wreck"},
    " class neutral ship", " class hulk", "Wreck",
    {{"Actions/Beh.", "NBEHAVIORBOX", "Actions and Behavior of the Neutral Ships in Sol"},
     {"Positions", "POSITIONBOX", "Sol Positions"}},
    {"<-- Previous", "Finish", "Cancel"}, "<-- Previous", "SC1 N2.1",
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

class SystemShipsPageTest : public testing::TestWithParam<PageCase> {
 protected:
  PageResult Show(BattleConfig& config, int systemNumber = 2, const ShipCatalog& ships = kShips) {
    return GetParam().run(nullptr, config, systemNumber, ships, kSystems);
  }
};

TEST_P(SystemShipsPageTest, OpensWithTheSystemsShipsAndTheCatalog) {
  const PageCase& c = GetParam();
  BattleConfig config = ThreeSystems();
  const BattleConfig before = config;
  ScriptedSeam seam;
  seam.Expect(c.templateName, [&](QDialog& page) {
    EXPECT_EQ(page.windowTitle(),
              "Battle Configuration <Ambush>  -  System 2 of 3 <Sol" + c.titleEnding);
    const PageControls controls = Controls(page, c);
    EXPECT_EQ(Rows(controls.available), (QStringList{"SC1   (Scout Ship)", "HC1   (Heavy Cruiser)",
                                                     QString::fromUtf8("Zé   (Lâbel)")}));
    EXPECT_EQ(Rows(controls.upper), c.upperRows);
    EXPECT_EQ(Rows(controls.lower), c.lowerRows);
    for (QPushButton* button :
         {&controls.upperAdd, &controls.upperRemove, &controls.lowerAdd, &controls.lowerRemove}) {
      EXPECT_FALSE(button->isEnabled()) << button->accessibleName().toStdString();
    }
    for (const auto& detail : c.details) EXPECT_TRUE(Button(page, detail[0]).isEnabled());
    for (const QString& text : c.navigation) EXPECT_TRUE(Button(page, text).isEnabled());
    EXPECT_EQ(page.findChildren<QPushButton*>().size(),
              4 + static_cast<qsizetype>(c.details.size()) + c.navigation.size());
    EXPECT_TRUE(dynamic_cast<QPushButton&>(Button(page, c.defaultButton)).isDefault());
    // Each detail button opens its page for the same system.
    for (const auto& detail : c.details) Click(page, detail[0]);
    Click(page, "<-- Previous");
  });
  for (const auto& detail : c.details) {
    seam.Expect(detail[1], [&](QDialog& box) {
      EXPECT_EQ(box.windowTitle(), detail[2]);
      Click(box, "Cancel");
    });
  }
  EXPECT_EQ(Show(config), PageResult::Previous);
  EXPECT_EQ(config, before);
}

TEST_P(SystemShipsPageTest, AddsTheSelectedClassToEitherList) {
  const PageCase& c = GetParam();
  BattleConfig config = ThreeSystems();
  ScriptedSeam seam;
  seam.Expect(c.templateName, [&](QDialog& page) {
    const PageControls controls = Controls(page, c);
    ClickRow(controls.available, 2);
    EXPECT_TRUE(controls.upperAdd.isEnabled() && controls.lowerAdd.isEnabled());
    EXPECT_FALSE(controls.upperRemove.isEnabled());
    controls.upperAdd.click();
    controls.upperAdd.click();
    ClickRow(controls.available, 1);
    controls.lowerAdd.click();
    const QString added = QString::fromUtf8("Zé");
    EXPECT_EQ(Rows(controls.upper), c.upperRows + QStringList({added, added}));
    EXPECT_EQ(Rows(controls.lower), c.lowerRows + QStringList({"HC1"}));
    EXPECT_EQ(SelectedRow(controls.upper), -1);
    Click(page, "Finish");
  });
  EXPECT_EQ(Show(config), PageResult::Finish);
  BattleConfig expected = ThreeSystems();
  auto& upper = expected.systems[1].Ships(c.upperRole);
  upper.insert(upper.end(), {Ship("Z\xE9"), Ship("Z\xE9")});
  expected.systems[1].Ships(c.lowerRole).push_back(Ship("HC1"));
  EXPECT_EQ(config, expected);
}

TEST_P(SystemShipsPageTest, RemovingAShipLeavesNothingSelectedInItsListOnly) {
  const PageCase& c = GetParam();
  BattleConfig config = ThreeSystems();
  config.systems[1].Ships(c.upperRole).push_back(Ship("HC1", "Second"));
  const BattleConfig before = config;
  ScriptedSeam seam;
  seam.Expect(c.templateName, [&](QDialog& page) {
    const PageControls controls = Controls(page, c);
    ClickRow(controls.lower, 1);
    EXPECT_TRUE(controls.lowerRemove.isEnabled() && !controls.upperRemove.isEnabled());
    ClickRow(controls.upper, 0);
    EXPECT_TRUE(controls.upperRemove.isEnabled() && !controls.upperAdd.isEnabled());
    controls.upperRemove.click();
    EXPECT_EQ(Rows(controls.upper), QStringList{"HC1 --> Second"});
    EXPECT_EQ(SelectedRow(controls.upper), -1);
    EXPECT_EQ(SelectedRow(controls.lower), 1);
    EXPECT_TRUE(controls.lowerRemove.isEnabled() && !controls.upperRemove.isEnabled());
    controls.lowerRemove.click();
    EXPECT_EQ(Rows(controls.lower), c.lowerRows.mid(0, 1));
    EXPECT_FALSE(controls.lowerRemove.isEnabled());
    Click(page, "<-- Previous");
  });
  EXPECT_EQ(Show(config), PageResult::Previous);
  BattleConfig expected = before;
  StarSystem& sol = expected.systems[1];
  sol.Ships(c.upperRole).erase(sol.Ships(c.upperRole).begin());
  sol.Ships(c.lowerRole).pop_back();
  EXPECT_EQ(config, expected);
}

TEST_P(SystemShipsPageTest, DoubleClickNamesAShipOrRefusesATakenName) {
  const PageCase& c = GetParam();
  BattleConfig config = ThreeSystems();
  ScriptedSeam seam;
  seam.Expect(c.templateName,
              [&](QDialog& page) {
                const PageControls controls = Controls(page, c);
                DoubleClickRow(controls.upper, 0);
                EXPECT_EQ(Rows(controls.upper), QStringList{"SC1 --> Falcon"});
                EXPECT_EQ(SelectedRow(controls.upper), 0);
                DoubleClickRow(controls.lower, 0);
                EXPECT_EQ(Rows(controls.lower), c.lowerRows);
                DoubleClickRow(controls.lower, 1);
                EXPECT_EQ(Rows(controls.lower), c.lowerRows);
                Click(page, "<-- Previous");
              })
      .Expect("NAMEBOX",
              [&](QDialog& box) {
                auto& edit = Find<QLineEdit>(box, "nameEdit");
                EXPECT_EQ(edit.accessibleName(), "Set the name of the SC1" + c.upperRoleText);
                EXPECT_EQ(edit.text(), "");
                edit.setText(" \tFalcon  ");
                Click(box, "Ok");
              })
      // An unnamed ship given a taken name stays unnamed; a named one keeps its name.
      .Expect("NAMEBOX", TypeAndPress("nameEdit", "Raven", "Ok"))
      .Expect("ERRORBOX", Refused("Ship name Raven already used for a friendly ship in system 3"))
      .Expect("NAMEBOX",
              [&](QDialog& box) {
                auto& edit = Find<QLineEdit>(box, "nameEdit");
                EXPECT_EQ(edit.accessibleName(), "Set the name of the SC1" + c.lowerRoleText);
                EXPECT_EQ(edit.text(), c.lowerName);
                edit.setText("Falcon");
                Click(box, "Ok");
              })
      .Expect("ERRORBOX", Refused("Ship name Falcon already used for " +
                                  QString(c.upperRole == ShipRole::Friend ? "a friendly ship"
                                                                          : "a neutral ship") +
                                  " in system 2"));
  EXPECT_EQ(Show(config), PageResult::Previous);
  BattleConfig expected = ThreeSystems();
  expected.systems[1].Ships(c.upperRole)[0] = Ship("SC1", "Falcon");
  EXPECT_EQ(config, expected);
}

TEST_P(SystemShipsPageTest, CancelEscapeAndTheCloseBoxAskFirst) {
  const PageCase& c = GetParam();
  BattleConfig config = ThreeSystems();
  ScriptedSeam seam;
  seam.Expect(c.templateName,
              [&](QDialog& page) {
                const PageControls controls = Controls(page, c);
                ClickRow(controls.available, 0);
                controls.upperAdd.click();
                for (int way : {0, 1, 2}) {
                  Leave(page, way);
                  EXPECT_TRUE(page.isVisible()) << way;
                }
                Click(page, "Cancel");
                EXPECT_FALSE(page.isVisible());
              })
      .Expect("CANCELBOX", Press("No"))
      .Expect("CANCELBOX", Press("No"))
      .Expect("CANCELBOX", Press("No"))
      .Expect("CANCELBOX", Press("Yes"));
  EXPECT_EQ(Show(config), PageResult::Cancel);
  // The page changes the model at once; dropping the edits is the wizard's part.
  EXPECT_EQ(config.systems[1].Ships(c.upperRole).size(),
            static_cast<std::size_t>(c.upperRows.size()) + 1);
}

TEST_P(SystemShipsPageTest, FinishIsRefusedWhileANameClashesWithADefaultName) {
  const PageCase& c = GetParam();
  BattleConfig config = ThreeSystems();
  config.player = Ship("HC1", c.upperDefaultName.toLatin1().constData());
  ScriptedSeam seam;
  seam.Expect(c.templateName,
              [&](QDialog& page) {
                Click(page, "Finish");
                EXPECT_TRUE(page.isVisible());
                // Removing the unnamed ship takes its default name away.
                const PageControls controls = Controls(page, c);
                ClickRow(controls.upper, 0);
                controls.upperRemove.click();
                Click(page, "Finish");
              })
      .Expect("ERRORBOX", Refused(c.clashText));
  EXPECT_EQ(Show(config), PageResult::Finish);
  EXPECT_TRUE(config.systems[1].Ships(c.upperRole).empty());
}

TEST_P(SystemShipsPageTest, ANumberWithoutASystemOpensEmptyAndOffersNoDetails) {
  const PageCase& c = GetParam();
  for (const int number : {0, 4}) {
    BattleConfig config = ThreeSystems();
    ScriptedSeam seam;
    seam.Expect(c.templateName, [&](QDialog& page) {
      EXPECT_FALSE(page.windowTitle().startsWith("Battle Configuration")) << number;
      const PageControls controls = Controls(page, c);
      EXPECT_EQ(controls.available.count() + controls.upper.count() + controls.lower.count(), 0);
      for (const auto& detail : c.details) {
        EXPECT_FALSE(Button(page, detail[0]).isEnabled()) << detail[0].toStdString();
      }
      EXPECT_FALSE(controls.upperAdd.isEnabled() || controls.lowerAdd.isEnabled());
      Click(page, "<-- Previous");
    });
    EXPECT_EQ(Show(config, number), PageResult::Previous);
    EXPECT_EQ(config, ThreeSystems());
  }
}

TEST_P(SystemShipsPageTest, TenThousandCatalogClassesOpenQuickly) {
  const PageCase& c = GetParam();
  std::string text;
  for (int i = 0; i < 10000; ++i) {
    text += "Class number " + std::to_string(i) + " = C" + std::to_string(i) + "\n";
  }
  const ShipCatalog ships = CatalogFrom<ShipCatalog>(text);
  BattleConfig config = ThreeSystems();
  QElapsedTimer timer;
  qint64 openMs = -1;
  ScriptedSeam seam;
  seam.Expect(c.templateName, [&](QDialog& page) {
    openMs = timer.elapsed();
    auto& available = Find<QListWidget>(page, "Available Ships");
    ASSERT_EQ(available.count(), 10000);
    EXPECT_EQ(available.item(9999)->text(), "C9999   (Class number 9999)");
    ClickRow(available, 9999);
    Find<QPushButton>(page, "Add to " + c.lower).click();
    Click(page, "<-- Previous");
  });
  timer.start();
  EXPECT_EQ(Show(config, 2, ships), PageResult::Previous);
  EXPECT_EQ(config.systems[1].Ships(c.lowerRole).back(), Ship("C9999"));
  RecordProperty("open_ms", static_cast<int>(openMs));
  // One item widget per row would take seconds.
  EXPECT_LT(openMs, 3000);
}

INSTANTIATE_TEST_SUITE_P(BothPages, SystemShipsPageTest,
                         testing::Values(kFriendsEnemies, kNeutralsHulks),
                         [](const testing::TestParamInfo<PageCase>& param) {
                           return std::string(param.param.testName);
                         });

TEST(FriendsEnemiesPage, NextLeadsOnAndOptionsEditTheSameSystem) {
  BattleConfig config = ThreeSystems();
  ScriptedSeam seam;
  seam.Expect("SYSTEMBOX1",
              [](QDialog& page) {
                Click(page, "Options");
                QTest::keyClick(&page, Qt::Key_Return);
              })
      .Expect("SYSTEMOPTIONBOX", [](QDialog& box) {
        Find<QLineEdit>(box, "Stardate").setText("4711");
        Click(box, "Ok");
      });
  EXPECT_EQ(FriendsEnemiesPage::Run(nullptr, config, 2, kShips, kSystems), PageResult::Next);
  BattleConfig expected = ThreeSystems();
  expected.systems[1].stardate = 4711;
  expected.systems[1].stardateDefined = expected.systems[1].battleModeDefined = true;
  EXPECT_EQ(config, expected);
}

TEST(NeutralsHulksPage, EnterGoesBackAndTheTitleFollowsTheGivenSystem) {
  BattleConfig config = ThreeSystems();
  ScriptedSeam seam;
  seam.Expect("SYSTEMBOX2", [](QDialog& page) {
    EXPECT_EQ(page.windowTitle(),
              "Battle Configuration <Ambush>  -  System 3 of 3 <Arra>  -  Neutrals and Hulks");
    QTest::keyClick(&page, Qt::Key_Return);
  });
  EXPECT_EQ(NeutralsHulksPage::Run(nullptr, config, 3, kShips, kSystems), PageResult::Previous);
}

}  // namespace
}  // namespace vk7
