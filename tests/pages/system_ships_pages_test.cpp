#include <gtest/gtest.h>
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
const QString kAvailable = "Available Ships";

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
  QString role, named;  // the upper list's ships in a clash and in the name box
  QString lowerNamed;   // the lower list holds "SC1" and "SC1" named so; the upper one "SC1"
  // Detail buttons with the template and title of the page each opens for Sol.
  std::vector<std::array<QString, 3>> details;
  PageResult onReturn;
  const char* upperDefaultName;  // of the first upper ship, which the player takes
};

// clang-format off
const PageCase kPages[] = {
    {"FriendsEnemies", "SYSTEMBOX1", &FriendsEnemiesPage::Run, ShipRole::Friend, ShipRole::Enemy,
     "Friends", "Enemies", ">  -  Enemies and Friends", "friend", "friendly", "Kestrel",
     {{"Options", "SYSTEMOPTIONBOX", "Sol Options"},
      {"Actions", "ACTIONBOX", "Actions of the Friend and Enemy Ships in Sol"},
      {"Positions", "POSITIONBOX", "Sol Positions"}},
     PageResult::Next, "SC1 F2.1"},
    {"NeutralsHulks", "SYSTEMBOX2", &NeutralsHulksPage::Run, ShipRole::Neutral, ShipRole::Hulk,
     "Neutrals", "Hulks", ">  -  Neutrals and Hulks", "neutral", "neutral", "Wreck",
     {{"Actions/Beh.", "NBEHAVIORBOX", "Actions and Behavior of the Neutral Ships in Sol"},
      {"Positions", "POSITIONBOX", "Sol Positions"}},
     PageResult::Previous, "SC1 N2.1"}};
// clang-format on

QListWidget& List(QDialog& page, const QString& label) {
  return Find<QListWidget>(page, label);
}

void Push(QDialog& page, const QString& accessibleName) {
  Find<QPushButton>(page, accessibleName).click();
}

// Which of the four list buttons can be pressed: upper add, upper remove, lower add, lower
// remove.
std::string Enabled(QDialog& page, const PageCase& c) {
  std::string enabled;
  for (const QString& name : {"Add to " + c.upper, "Remove from " + c.upper, "Add to " + c.lower,
                              "Remove from " + c.lower}) {
    enabled += Find<QPushButton>(page, name).isEnabled() ? '1' : '0';
  }
  return enabled;
}

void PrintTo(const PageCase& c, std::ostream* out) {
  *out << c.testName;
}

class SystemShipsPageTest : public testing::TestWithParam<PageCase> {};

// The opening state; each detail page opens for the same system; leaving asks first. Adding,
// removing and naming change the system at once; "Finish" is refused while the player bears
// the default name of the first upper ship, and accepted once it is gone.
TEST_P(SystemShipsPageTest, ShowsEditsBothListsAndFinishes) {
  const PageCase& c = GetParam();
  const auto Show = [&c](BattleConfig& config, int systemNumber = 2) {
    return c.run(nullptr, config, systemNumber, kShips, kSystems);
  };
  BattleConfig config = ThreeSystems();
  config.player = Ship("HC1", c.upperDefaultName);
  BattleConfig expected = config;
  StarSystem& sol = expected.systems[1];
  sol.Ships(c.upperRole) = {Ship("Z\xE9", "Falcon"), Ship("Z\xE9")};
  sol.Ships(c.lowerRole) = {Ship("SC1"), Ship("HC1")};
  ScriptedSeam seam;
  seam.Expect(c.templateName, [&](QDialog& page) {
    EXPECT_EQ(page.windowTitle(),
              "Battle Configuration <Ambush>  -  System 2 of 3 <Sol" + c.titleEnding);
    EXPECT_EQ(
        Rows(List(page, kAvailable)),
        (QStringList{"SC1   (Scout Ship)", "HC1   (Heavy Cruiser)", kZe + "   (L\u00e2bel)"}));
    EXPECT_EQ(Rows(List(page, c.upper)) + Rows(List(page, c.lower)),
              (QStringList{"SC1", "SC1", "SC1 --> " + c.lowerNamed}));
    EXPECT_EQ(Enabled(page, c), "0000");
    for (const auto& detail : c.details) Click(page, detail[0]);
    for (int way = 0; way < 3; ++way) Leave(page, way);
    Click(page, "Finish");
    EXPECT_TRUE(page.isVisible());
    ClickRow(List(page, kAvailable), 2);
    EXPECT_EQ(Enabled(page, c), "1010");
    Push(page, "Add to " + c.upper);
    Push(page, "Add to " + c.upper);
    ClickRow(List(page, kAvailable), 1);
    Push(page, "Add to " + c.lower);
    ClickRow(List(page, c.lower), 1);
    EXPECT_EQ(Enabled(page, c), "1011");
    ClickRow(List(page, c.upper), 0);
    Push(page, "Remove from " + c.upper);
    // The view would move the current row on; nothing stays selected in that list.
    EXPECT_EQ(SelectedRow(List(page, c.upper)) * 10 + SelectedRow(List(page, c.lower)), -9);
    EXPECT_EQ(Enabled(page, c), "1011");
    Push(page, "Remove from " + c.lower);
    EXPECT_EQ(Enabled(page, c), "1010");
    ClickRow(List(page, c.upper), 0, true);
    EXPECT_EQ(SelectedRow(List(page, c.upper)), 0);
    ClickRow(List(page, c.lower), 0, true);
    EXPECT_EQ(Rows(List(page, c.upper)) + Rows(List(page, c.lower)),
              (QStringList{kZe + " --> Falcon", kZe, "SC1", "HC1"}));
    Click(page, "Finish");
  });
  for (const auto& detail : c.details) {
    seam.Expect(detail[1], [&](QDialog& box) {
      EXPECT_EQ(box.windowTitle(), detail[2]);
      Click(box, "Cancel");
    });
  }
  for (int way = 0; way < 3; ++way) seam.Expect("CANCELBOX", Press("No"));
  seam.Expect("ERRORBOX", Refused("Your player ship name " + QString(c.upperDefaultName) +
                                  " conflicts with a default " + c.role +
                                  " ship name  in system 2. Please change this name!"));
  seam.Expect("NAMEBOX", [&](QDialog& box) {
    auto& edit = Find<QLineEdit>(box, "nameEdit");
    EXPECT_EQ(edit.accessibleName(), "Set the name of the " + kZe + " class " + c.named + " ship");
    edit.setText(" Falcon ");
    Click(box, "Ok");
  });
  seam.Expect("NAMEBOX", TypeAndPress("nameEdit", "Raven", "Ok"));
  seam.Expect("ERRORBOX", Refused("Ship name Raven already used for a friendly ship in system 3"));
  EXPECT_EQ(Show(config), PageResult::Finish);
  EXPECT_EQ(config, expected);
  // A number without a system opens empty and offers nothing to add or open; Return presses
  // the page's default button.
  seam.Expect(c.templateName, [&](QDialog& page) {
    EXPECT_FALSE(page.windowTitle().startsWith("Battle Configuration"));
    EXPECT_EQ(Rows(List(page, kAvailable)) + Rows(List(page, c.upper)) + Rows(List(page, c.lower)),
              QStringList{});
    for (const auto& detail : c.details) EXPECT_FALSE(Button(page, detail[0]).isEnabled());
    EXPECT_EQ(Enabled(page, c), "0000");
    QTest::keyClick(&page, Qt::Key_Return);
  });
  EXPECT_EQ(Show(config, 4), c.onReturn);
  seam.Expect(c.templateName, [](QDialog& page) { Leave(page, 2); });
  seam.Expect("CANCELBOX", Press("Yes"));
  EXPECT_EQ(Show(config), PageResult::Cancel);
  EXPECT_EQ(config, expected);
}

INSTANTIATE_TEST_SUITE_P(BothPages, SystemShipsPageTest, testing::ValuesIn(kPages),
                         [](const testing::TestParamInfo<PageCase>& param) {
                           return std::string(param.param.testName);
                         });

}  // namespace
}  // namespace vk7
