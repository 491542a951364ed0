// The wizard's pages (general, systems, the two system ships pages) and the check results:
// what they show of the battle, which buttons they enable, how an edit reaches the battle and
// the boxes they raise. What the logic decides is the logic cases' (page_logic_test.cpp).
#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>

#include "pages/friends_enemies_page.h"
#include "pages/general_page.h"
#include "pages/neutrals_hulks_page.h"
#include "pages/page_test_support.h"
#include "pages/systems_page.h"

namespace vk7 {
namespace {

using namespace test;
using Names = std::vector<std::string>;

// Rows: Sol, Vega, Keth, Arra, Rigel, Deneb, Altair, "Ré"; ships: SC1, HC1, "Zé" labelled
// "Lâbel" (Windows-1252 text crosses into the widgets converted).
const SystemCatalog kSystems = CatalogFrom<SystemCatalog>(
    "Sol=Earth=Mars\nVega=Vega I\nKeth=Keth Prime\nArra\nRigel\nDeneb\nAltair\nR\xe9\n");
const ShipCatalog kShips = CatalogFrom<ShipCatalog>(
    "Scout Ship = SC1\nHeavy Cruiser = HC1\nL\xE2"
    "bel = Z\xE9\n");
const QString kZe = QString::fromUtf8("Zé"),
              kNoShips = "\t (0 Friends, 0 Enemies, 0 Neutrals, 0 Hulks)";

BattleConfig Battle(std::initializer_list<const char*> systems, const char* player = "SC1") {
  BattleConfig config;
  config.name = "Alpha";
  config.player = Ship(player);
  for (const char* name : systems) config.systems.push_back(System(name));
  return config;
}
Names NamesOf(const BattleConfig& config) {
  Names names;
  for (const StarSystem& system : config.systems) names.push_back(system.name);
  return names;
}
// The buttons that can be pressed.
std::string Enabled(QDialog& page) {
  QStringList enabled;
  for (auto* button : page.findChildren<QPushButton*>()) {
    if (button->isEnabled()) enabled << button->text().remove('&');
  }
  return enabled.join(", ").toStdString();
}
// The page's title, each list's rows and the buttons that can be pressed.
std::string State(QDialog& page) {
  QStringList shown = {page.windowTitle()};
  for (auto* list : page.findChildren<QListWidget*>()) shown << Rows(*list).join(", ");
  return (shown.join(" | ") + " | ").toStdString() + Enabled(page);
}
void Push(QDialog& page, const QString& accessibleName) {
  Find<QPushButton>(page, accessibleName).click();
}
using RunFunction = PageResult (*)(QWidget*, BattleConfig&, int, const ShipCatalog&,
                                   const SystemCatalog&);

using Run = std::function<PageResult(BattleConfig&)>;
int systemNumber = 0;
const struct WizardPage {
  QString box;
  Run run;
  const char* opens;  // State() of the page on a battle without systems
  PageResult onReturn;
} kWizard[] = {
    {"GENERALBOX", [](BattleConfig& c) { return GeneralPage::Run(nullptr, c, kShips); },
     "Battle Configuration <Alpha>  -  General Parameters | SC1   (Scout Ship), HC1   (Heavy "
     "Cruiser), Zé   (Lâbel) | SC1 |  | Options, Next -->, Cancel",
     PageResult::Next},
    {"SYSTEMBOX",
     [](BattleConfig& c) { return SystemsPage::Run(nullptr, c, kShips, kSystems, systemNumber); },
     "Battle Configuration <Alpha>  -  Systems  | Sol, Vega, Keth, Arra, Rigel, Deneb, Altair, Ré "
     "|  | Check, <-- Previous, Cancel",
     PageResult::Previous},
    // Without a system they offer nothing to add or open.
    {"SYSTEMBOX1",
     [](BattleConfig& c) { return FriendsEnemiesPage::Run(nullptr, c, 1, kShips, kSystems); },
     "Enemies and Friends |  |  |  | <-- Previous, Next -->, Finish, Cancel", PageResult::Next},
    {"SYSTEMBOX2",
     [](BattleConfig& c) { return NeutralsHulksPage::Run(nullptr, c, 1, kShips, kSystems); },
     "Neutrals and Hulks |  |  |  | <-- Previous, Finish, Cancel", PageResult::Previous},
};

// Each page shows the battle; Cancel, Escape and the close box ask before the page goes,
// "Return" presses the default button, and a page torn down from outside counts as cancelled.
TEST(WizardPages, OpenAskBeforeLeavingAndTakeReturn) {
  for (const WizardPage& page : kWizard) {
    SCOPED_TRACE(page.box.toStdString());
    BattleConfig config = Battle({});
    const BattleConfig before = config;
    ScriptedSeam seam;
    seam.Expect(page.box, [&](QDialog& shown) {
      EXPECT_EQ(State(shown), page.opens);
      for (int way = 0; way < 3; ++way) Leave(shown, way);
      Leave(shown, 0);
    });
    for (const char* answer : {"No", "No", "No", "Yes"}) seam.Expect("CANCELBOX", Press(answer));
    EXPECT_EQ(page.run(config), PageResult::Cancel);
    seam.Expect(page.box, [](QDialog& shown) { QTest::keyClick(&shown, Qt::Key_Return); });
    EXPECT_EQ(page.run(config), page.onReturn);
    seam.Expect(page.box, [](QDialog& shown) { shown.done(77); });
    EXPECT_EQ(page.run(config), PageResult::Cancel);
    EXPECT_EQ(config, before);
  }
}

// Player and escorts come from the catalog; a refused "Finish" keeps the page; double clicks
// name the ships, and a new class keeps the player's name.
TEST(GeneralPage, TakesShipsNamesThemAndFinishes) {
  BattleConfig config = Battle({"Sol"});
  config.player = {};
  config.escorts = {Ship("SC1", "HC1 P")};
  BattleConfig expected = config;
  expected.player = Ship("Z\xE9", "Endeavour");
  expected.escorts = {Ship("SC1", "Falcon"), Ship("Z\xE9"), Ship("Z\xE9")};
  ScriptedSeam seam;
  seam.Expect("GENERALBOX", [](QDialog& page) {
    QListWidget &available = Find<QListWidget>(page, "Available Ships"),
                &escort = Find<QListWidget>(page, "Escort"),
                &player = Find<QListWidget>(page, "Player Ship");
    EXPECT_EQ(Enabled(page), "Options, Finish, Cancel");
    SelectRow(available, 1);
    EXPECT_EQ(Enabled(page), "Select -->, Add -->, Options, Finish, Cancel");
    Click(page, "Select -->");
    SelectRow(available, 2);
    for (int i = 0; i < 3; ++i) Click(page, "Add -->");
    SelectRow(escort, 3);
    EXPECT_EQ(Enabled(page), "Select -->, Add -->, Remove <--, Options, Next -->, Finish, Cancel");
    Click(page, "Remove <--");
    // The view would hand the selection on to a neighbour; nothing stays selected.
    EXPECT_EQ(SelectedRow(escort), -1);
    EXPECT_EQ(Enabled(page), "Select -->, Add -->, Options, Next -->, Finish, Cancel");
    Click(page, "Options");
    Click(page, "Finish");
    ClickRow(escort, 0, true);
    ClickRow(player, 0, true);
    EXPECT_EQ(Rows(player) + Rows(escort),
              (QStringList{"HC1 --> Endeavour", "SC1 --> Falcon", kZe, kZe}));
    Click(page, "Select -->");
    EXPECT_EQ(Rows(player), QStringList{kZe + " --> Endeavour"});
    Click(page, "Finish");
  });
  seam.Expect("GENERALOPTIONBOX", Press("Cancel")).Expect("ERRORBOX", Press("Cancel"));
  seam.Expect("NAMEBOX", [](QDialog& box) {
    EXPECT_EQ(box.windowTitle() + ": " + Find<QLabel>(box, "promptLabel").text(),
              "Ship Name: Set the name of the SC1 class escort");
    auto& edit = Find<QLineEdit>(box, "Set the name of the SC1 class escort");
    EXPECT_EQ(edit.text(), "HC1 P");
    edit.setText("Falcon");
    Click(box, "Ok");
  });
  seam.Expect("NAMEBOX",
              TypeAndPress("Set the name of the HC1 class player ship", "Endeavour", "Ok"));
  EXPECT_EQ(GeneralPage::Run(nullptr, config, kShips), PageResult::Finish);
  EXPECT_EQ(config, expected);
}

// The rows' texts are drawn in their colours (a selected one's here), and the counts of every row
// start at one column, 60 dialog units (15 average characters) in, while the names are narrower
// than that.
void ExpectCountsLineUp(QListWidget& list) {
  QPalette red = list.palette();
  red.setColor(QPalette::HighlightedText, Qt::red);
  list.setPalette(red);
  list.setCurrentRow(0);
  const QImage row = list.viewport()->grab(list.visualItemRect(list.item(0))).toImage();
  const auto* pixels = reinterpret_cast<const QRgb*>(row.constBits());
  EXPECT_GT(std::count(pixels, pixels + row.sizeInBytes() / 4, QColor(Qt::red).rgb()), 0);
  QStyleOptionViewItem option;
  option.initFrom(&list);
  option.widget = &list;
  const auto width = [&](const QString& name) {
    list.item(0)->setText(name + kNoShips);
    return list.itemDelegate()->sizeHint(option, list.model()->index(0, 0)).width();
  };
  EXPECT_EQ(width("Sol"), width("Deneb Rigel"));
  EXPECT_GT(width(QString(24, 'W')), width("Sol"));  // pushed to the next stop
}

// Adding stops at six; removing and replacing ask first; Up and Down move the system and its
// selection; "Check" looks at this battle; "Finish" validates first; "Edit", "Next -->" and a
// double click go on with the selected system.
TEST(SystemsPage, EditsTheListChecksAndGoesOn) {
  BattleConfig config = Battle({});
  ScriptedSeam seam;
  seam.Expect("SYSTEMBOX", [&config](QDialog& page) {
    QListWidget& battle = Find<QListWidget>(page, "Systems");
    const auto pick = [&page](int row, const char* button) {
      SelectRow(Find<QListWidget>(page, "Available Systems"), row);
      Click(page, button);
    };
    for (int row : {0, 1, 2, 3, 4, 7}) pick(row, "Add -->");
    EXPECT_EQ(Enabled(page), "Check, <-- Previous, Finish, Cancel");
    SelectRow(battle, 0);
    EXPECT_EQ(
        Enabled(page),
        "Replace -->, <-- Remove, Edit, Up, Down, Check, <-- Previous, Next -->, Finish, Cancel");
    Click(page, "<-- Remove");
    Click(page, "<-- Remove");
    EXPECT_EQ(NamesOf(config), (Names{"Vega", "Keth", "Arra", "Rigel", "R\xe9"}));
    EXPECT_EQ(SelectedRow(battle), -1);  // not handed on to a neighbour
    EXPECT_EQ(Enabled(page), "Add -->, Check, <-- Previous, Finish, Cancel");
    config.systems[1].friends = {Ship("SC1"), Ship("SC1")};
    config.systems[1].battleMode = BattleMode::Stat;
    config.systems[1].battleModeDefined = true;
    SelectRow(battle, 1);
    pick(0, "Replace -->");      // "No"
    Click(page, "Replace -->");  // "Yes"
    EXPECT_EQ(
        Rows(battle).mid(1, 2),
        (QStringList{"Sol\t (2 Friends, 0 Enemies, 0 Neutrals, 0 Hulks)", "Arra" + kNoShips}));
    SelectRow(battle, 0);
    for (const char* button : {"Up", "Down", "Down", "Down", "Down", "Down", "Up"})
      Click(page, button);
    EXPECT_EQ(SelectedRow(battle), 3);
    config.systems.back().name = "Nowh\xe9re";
    Click(page, "Check");
    Click(page, "Finish");
    ExpectCountsLineUp(battle);
  });
  seam.Expect("DELETEBOX", Press("No")).Expect("DELETEBOX", Press("Yes"));
  seam.Expect("REPLACEBOX", Press("No")).Expect("REPLACEBOX", Press("Yes"));
  seam.Expect("CHECKBOX", [](QDialog& box) {
    QStringList shown = {box.windowTitle()};
    for (auto* list : box.findChildren<QListWidget*>()) shown << Rows(*list).join("; ");
    shown << Find<QPlainTextEdit>(box, "Check Summary").toPlainText().left(8);
    EXPECT_EQ(shown.join(" / ").toStdString(),
              "Check Results / -- none -- / -- none -- / -- none -- / -- none -- / Nowh\u00e9re / "
              "WARNING!");
    Click(box, "OK");
  });
  seam.Expect("MESSAGBOX", Press("Ok"));  // the battle mode set to AI
  EXPECT_EQ(SystemsPage::Run(nullptr, config, kShips, kSystems, systemNumber), PageResult::Finish);
  EXPECT_EQ(NamesOf(config), (Names{"Sol", "Arra", "Rigel", "Vega", "Nowh\xe9re"}));
  seam.Expect("SYSTEMBOX", [](QDialog& page) { page.done(static_cast<int>(PageResult::Next)); });
  EXPECT_EQ(SystemsPage::Run(nullptr, config, kShips, kSystems, systemNumber), PageResult::Cancel);
  for (const auto& [button, number] : {std::pair{"Edit", 1}, {"Next -->", 1}, {"", 3}}) {
    seam.Expect("SYSTEMBOX", [button](QDialog& page) {
      SelectRow(Find<QListWidget>(page, "Systems"), 0);
      *button ? Click(page, button) : ClickRow(Find<QListWidget>(page, "Systems"), 2, true);
    });
    systemNumber = 0;
    EXPECT_EQ(SystemsPage::Run(nullptr, config, kShips, kSystems, systemNumber), PageResult::Next);
    EXPECT_EQ(systemNumber, number);
  }
}

const struct ShipsPage {
  QString box, upper, lower;  // template and list labels
  RunFunction run;
  ShipRole upperRole, lowerRole;
  QString titleEnding, named, lowerNamed;  // the upper list's ships in the name box; a lower name
  std::vector<std::array<QString, 3>> details;  // button, template and title of the page it opens
  const char* upperDefaultName;                 // of the first upper ship, which the player takes
} kShipsPages[] = {
    {"SYSTEMBOX1",
     "Friends",
     "Enemies",
     &FriendsEnemiesPage::Run,
     ShipRole::Friend,
     ShipRole::Enemy,
     ">  -  Enemies and Friends",
     "friendly",
     "Kestrel",
     {{"Options", "SYSTEMOPTIONBOX", "Sol Options"},
      {"Actions", "ACTIONBOX", "Actions of the Friend and Enemy Ships in Sol"},
      {"Positions", "POSITIONBOX", "Sol Positions"}},
     "SC1 F2.1"},
    {"SYSTEMBOX2",
     "Neutrals",
     "Hulks",
     &NeutralsHulksPage::Run,
     ShipRole::Neutral,
     ShipRole::Hulk,
     ">  -  Neutrals and Hulks",
     "neutral",
     "Wreck",
     {{"Actions/Beh.", "NBEHAVIORBOX", "Actions and Behavior of the Neutral Ships in Sol"},
      {"Positions", "POSITIONBOX", "Sol Positions"}},
     "SC1 N2.1"}};

// Which of the four list buttons can be pressed: upper add, upper remove, lower add, lower remove.
std::string ListButtons(QDialog& page, const ShipsPage& c) {
  std::string enabled;
  for (const QString& name : {"Add to " + c.upper, "Remove from " + c.upper, "Add to " + c.lower,
                              "Remove from " + c.lower}) {
    enabled += Find<QPushButton>(page, name).isEnabled() ? '1' : '0';
  }
  return enabled;
}

// On the second of three systems: each detail page opens for it; adding, removing and naming
// change it at once; "Finish" is refused while the player bears the default name of the first
// upper ship, and accepted once that ship is gone.
TEST(SystemShipsPages, ShowEditBothListsAndFinish) {
  for (const ShipsPage& c : kShipsPages) {
    SCOPED_TRACE(c.box.toStdString());
    BattleConfig config = Battle({"Keth", "Sol", "Arra"});
    config.player = Ship("HC1", c.upperDefaultName);
    StarSystem& sol = config.systems[1];
    sol.friends = sol.neutrals = {Ship("SC1")};
    sol.enemies = {Ship("SC1"), Ship("SC1", "Kestrel")};
    sol.hulks = {Ship("SC1"), Ship("SC1", "Wreck")};
    BattleConfig expected = config;
    expected.systems[1].Ships(c.upperRole) = {Ship("Z\xE9", "Falcon"), Ship("Z\xE9")};
    expected.systems[1].Ships(c.lowerRole) = {Ship("SC1"), Ship("HC1")};
    ScriptedSeam seam;
    seam.Expect(c.box, [&](QDialog& page) {
      QListWidget &available = Find<QListWidget>(page, "Available Ships"),
                  &upper = Find<QListWidget>(page, c.upper),
                  &lower = Find<QListWidget>(page, c.lower);
      EXPECT_EQ(page.windowTitle(),
                "Battle Configuration <Alpha>  -  System 2 of 3 <Sol" + c.titleEnding);
      EXPECT_EQ(Rows(available), (QStringList{"SC1   (Scout Ship)", "HC1   (Heavy Cruiser)",
                                              kZe + "   (L\u00e2bel)"}));
      EXPECT_EQ(Rows(upper) + Rows(lower), (QStringList{"SC1", "SC1", "SC1 --> " + c.lowerNamed}));
      EXPECT_EQ(ListButtons(page, c), "0000");
      for (const auto& detail : c.details) Click(page, detail[0]);
      Click(page, "Finish");
      ClickRow(available, 2);
      EXPECT_EQ(ListButtons(page, c), "1010");
      Push(page, "Add to " + c.upper);
      Push(page, "Add to " + c.upper);
      ClickRow(available, 1);
      Push(page, "Add to " + c.lower);
      ClickRow(lower, 1);
      EXPECT_EQ(ListButtons(page, c), "1011");
      ClickRow(upper, 0);
      Push(page, "Remove from " + c.upper);
      // The view would move the current row on; nothing stays selected in that list.
      EXPECT_EQ(SelectedRow(upper) * 10 + SelectedRow(lower), -9);
      EXPECT_EQ(ListButtons(page, c), "1011");
      Push(page, "Remove from " + c.lower);
      EXPECT_EQ(ListButtons(page, c), "1010");
      ClickRow(upper, 0, true);
      EXPECT_EQ(SelectedRow(upper), 0);
      ClickRow(lower, 0, true);
      EXPECT_EQ(Rows(upper) + Rows(lower), (QStringList{kZe + " --> Falcon", kZe, "SC1", "HC1"}));
      Click(page, "Finish");
    });
    for (const auto& detail : c.details) {
      seam.Expect(detail[1], [&](QDialog& box) {
        EXPECT_EQ(box.windowTitle(), detail[2]);
        Click(box, "Cancel");
      });
    }
    seam.Expect("ERRORBOX", Press("Cancel"));
    seam.Expect(
        "NAMEBOX",
        TypeAndPress("Set the name of the " + kZe + " class " + c.named + " ship", "Falcon", "Ok"));
    seam.Expect("NAMEBOX", Press("Cancel"));
    EXPECT_EQ(c.run(nullptr, config, 2, kShips, kSystems), PageResult::Finish);
    EXPECT_EQ(config, expected);
  }
}

}  // namespace
}  // namespace vk7
