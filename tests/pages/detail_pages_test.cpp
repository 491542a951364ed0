// The pages a system's details are edited on (options, actions, neutral behaviour, positions)
// and the general options: what they show of the battle, what their edits hand back, and how
// "Ok" and "Cancel" reach the battle. What the pages decide is the logic cases'.
#include <gtest/gtest.h>
#include <QAccessible>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "pages/actions_page.h"
#include "pages/general_options_page.h"
#include "pages/neutral_behavior_page.h"
#include "pages/page_test_support.h"
#include "pages/position_page.h"
#include "pages/system_options_page.h"

namespace vk7 {
namespace {

using namespace test;
using Lines = std::vector<std::string>;

BattleConfig Read(const Lines& lines) {
  auto read = test_support::ReadBattleLines(lines);
  EXPECT_TRUE(read.ok) << read.Describe();
  return read.config;
}
QLineEdit& Edit(QDialog& page, const QString& name) {
  return Find<QLineEdit>(page, name);
}
QPlainTextEdit& Text(QDialog& page, const QString& name) {
  return Find<QPlainTextEdit>(page, name);
}
// The groups' checked buttons, then each edit's text, "+" marking an enabled one.
QString Shown(QDialog& page, const QStringList& groups, const QStringList& edits) {
  QString shown = Checked(page, groups);
  for (const QString& name : edits) {
    shown += ", " + Edit(page, name).text() + (Edit(page, name).isEnabled() ? "+" : "");
  }
  return shown;
}

// The position page's entries, which must be read-only; a role's button; the coordinates box
// given three texts and "Ok".
QString Entries(QDialog& page) {
  QStringList texts;
  for (const char* name : {"Player", "Friends", "Enemies", "Neutrals", "Hulks"}) {
    EXPECT_TRUE(Edit(page, name).isReadOnly()) << name;
    texts << Edit(page, name).text();
  }
  return texts.join(", ");
}
void RoleButton(QDialog& page, const QString& role, const QString& button) {
  Find<QPushButton>(page, role + " " + button).click();
}
void Type(QDialog& box, const QStringList& texts) {
  for (int i = 0; i < 3; ++i) Edit(box, QString("XYZ")[i]).setText(texts[i]);
  Click(box, "Ok");
}

// The entries show the system read-only; planets come from the catalog byte for byte, the
// coordinates box opens on an entry's coordinates; "Cancel" stores nothing, "Ok" all.
TEST(PositionPage, ShowsTheSystemStoresOnOkAndNothingOnCancel) {
  const QString epsilon = QString::fromUtf8("Épsilon"), aether = QString::fromUtf8("Æther");
  const auto planets = CatalogFrom<SystemCatalog>("Keth=Keth Prime\nVega=\xC9psilon=\xC6ther\n");
  StarSystem system = System("vega");  // the catalog is searched regardless of case
  system.playerPosition = ShipPosition{100, -200, 300, ""};
  system.enemyPosition = ShipPosition{0, 0, 0, "Mars"};
  system.hulkPosition.planet = "\xC6ther";
  system.neutralPosition = ShipPosition{5, 6, 7, "Keth Prime"};  // coordinates win, as written
  system.playerCoordsDefined = system.enemyPlanetDefined = system.hulkPlanetDefined = true;
  system.neutralCoordsDefined = system.neutralPlanetDefined = true;
  const StarSystem before = system;
  BattleConfig config;
  ScriptedSeam seam;
  seam.Expect("POSITIONBOX", [&](QDialog& page) {
    EXPECT_EQ(page.windowTitle(), "vega Positions");
    auto& list = Find<QListWidget>(page, "Available Planets");
    EXPECT_EQ(Rows(list), (QStringList{epsilon, aether}));
    EXPECT_TRUE(list.selectedItems().isEmpty());
    EXPECT_EQ(Entries(page), "100   -200   300, , Mars, 5   6   7, " + aether);
    EXPECT_TRUE(Button(page, "Ok").property("default").toBool());
    RoleButton(page, "Player", "XYZ-Coord.");
    RoleButton(page, "Hulks", "Clear");
    list.setCurrentRow(0);
    Click(page, "Friends -->");
    EXPECT_EQ(Entries(page), "100   -200   300, " + epsilon + ", Mars, 5   6   7, ");
    Click(page, "Cancel");
  });
  seam.Expect("POSCOORDBOX", [](QDialog& box) {
    EXPECT_EQ(box.windowTitle() + ": " + Edit(box, "X").text() + Edit(box, "Y").text() +
                  Edit(box, "Z").text(),
              "Position Coordinates: 100-200300");
    Click(box, "Cancel");
  });
  PositionPage::Run(nullptr, config, system, planets);
  EXPECT_EQ(system, before);
  seam.Expect("POSITIONBOX", [&](QDialog& page) {
    Click(page, "Neutrals -->");  // nothing selected yet
    Find<QListWidget>(page, "Available Planets").setCurrentRow(0);
    Click(page, "Friends -->");
    Click(page, "Player -->");
    EXPECT_EQ(Find<QListWidget>(page, "Available Planets").currentRow(), 0);
    RoleButton(page, "Enemies", "XYZ-Coord.");
    RoleButton(page, "Hulks", "Clear");
    EXPECT_EQ(Entries(page), epsilon + ", " + epsilon + ", 12.5   -3   0, 5   6   7, ");
    Click(page, "Ok");
  });
  seam.Expect("POSCOORDBOX", [&](QDialog& box) {
    // The enemies start at a planet, so the box starts empty; a refused field is selected.
    EXPECT_EQ(Edit(box, "X").text() + Edit(box, "Y").text() + Edit(box, "Z").text(), "");
    EXPECT_EQ(Edit(box, "Z").maxLength(), 254);
    Type(box, {"7", "+2", "1e5"});
    EXPECT_EQ(box.focusWidget(), &Edit(box, "Y"));
    EXPECT_EQ(Edit(box, "Y").selectedText(), "+2");
    Type(box, {"12.5", " -3", "0\t"});
    EXPECT_FALSE(box.isVisible());
  });
  seam.Expect("ERRORBOX", Press("Cancel"));
  PositionPage::Run(nullptr, config, system, planets);
  StarSystem expected = before;
  expected.friendPosition.planet = expected.playerPosition.planet = "\xC9psilon";
  expected.friendPlanetDefined = expected.playerPlanetDefined = expected.enemyCoordsDefined = true;
  expected.enemyPosition = ShipPosition{12, -3, 0, "Mars"};
  expected.playerCoordsDefined = expected.enemyPlanetDefined = expected.hulkPlanetDefined = false;
  expected.neutralPlanetDefined = false;
  EXPECT_EQ(system, expected);
}

// Each options page shows the battle, keeps a refused "Ok" open and stores what it decided; an
// edit holds no more than the battle file does, and every group is exclusive on its own.
TEST(OptionsPages, ShowTheBattleAndStoreOnOk) {
  BattleConfig config =
      Read({"Player = DD", "Title = Old", "TitleLine = [t01.acm] Part one", "TitleLine = Part two",
            "WarpOut = Sequential", "Collision = OffForAll", "ShipChange = On", "PerfectCloak = On",
            "System = Sol", "Stardate = -5", "WarpDisable = Player", "Friend = SC1", "Enemy = SC1",
            "StartingDialog = [p01.acm] Pilot: Engage now", "EndingDialog = Wing: Done",
            "BattleMode = Stat"});
  config.remarks = {" header", " my notes"};
  const QStringList general = {"Ship Change", "Warp Out", "Collisions", "Perfect Cloak"};
  const QStringList system = {"Battle Mode", "Warp Disable"};
  ScriptedSeam seam;
  seam.Expect("GENERALOPTIONBOX", [&](QDialog& page) {
    auto& title = Edit(page, "Title");
    // The label names the edit to assistive tools.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&title)->relations(QAccessible::Label).size(),
              1);
    EXPECT_EQ(page.windowTitle() + ": " + title.text() + Text(page, "Title Lines").toPlainText() +
                  Text(page, "Script Remarks").toPlainText() + ": " + Checked(page, general),
              "General Options: Old[t01.acm] Part one\nPart two\n my notes\n: Manual, "
              "Sequential, Off for All, On");
    title.setText(QString::fromUtf8("\u03A9"));  // beyond what key clicks can type
    QTest::keyClicks(&title, "  Raid" + QString(60, 'x'));
    Text(page, "Title Lines").setPlainText("x");
    Text(page, "Script Remarks").setPlainText("one\n\n");
    // "Off" and "On" stand in two groups each.
    Choose(page, "Ship Change", "Off");
    Choose(page, "Collisions", "Off for Player");
    Choose(page, "Perfect Cloak", "Off");
    Choose(page, "Warp Out", "When Cleared");
    EXPECT_EQ(Checked(page, general), "Off, When Cleared, Off for Player, Off");
    Click(page, "Ok");
  });
  seam.Expect("MESSAGBOX", Press("Ok"));
  seam.Expect("SYSTEMOPTIONBOX", [&](QDialog& page) {
    auto& stardate = Edit(page, "Stardate");
    EXPECT_EQ(page.windowTitle() + ": " + stardate.text() +
                  Text(page, "Starting Dialogs").toPlainText() +
                  Text(page, "Ending Dialogs").toPlainText() + ": " + Checked(page, system),
              "Sol Options: -5[p01.acm] Pilot: Engage now\nWing: Done\n: Statistic, Player");
    Choose(page, "Battle Mode", "AI");
    Choose(page, "Warp Disable", "Player");
    Choose(page, "Warp Disable", "Enemy");
    EXPECT_EQ(Checked(page, system), "AI, Enemy");
    stardate.setText("99999999999");
    Click(page, "Ok");
    EXPECT_TRUE(page.isVisible());
    stardate.setText("4711");
    Text(page, "Starting Dialogs").setPlainText("No speaker");
    Text(page, "Ending Dialogs").setPlainText("");
    Click(page, "Ok");
  });
  seam.Expect("ERRORBOX", Press("Cancel")).Expect("MESSAGBOX", Press("Ok"));
  GeneralOptionsPage::Run(nullptr, config);
  SystemOptionsPage::Run(nullptr, config, config.systems[0]);
  EXPECT_EQ(config.remarks, (std::vector<std::string>{" header", "one"}));
  EXPECT_EQ(
      test_support::WrittenValues(config),
      (Lines{"Title = ?  Raid" + std::string(43, 'x'), "TitleLine = x", "Player = DD",
             "WarpOut = WhenCleared", "Collision = Off", "ShipChange = Off", "PerfectCloak = Off",
             "System = Sol", "Stardate = 4711", "Friend = SC1", "Enemy = SC1",
             "StartingDialog = Speaker: No speaker", "WarpDisable = Enemy", "BattleMode = AI"}));
}

// The pages show the system's choices, a time edit enabled with its choice; "OK" is refused
// while a chosen time is missing and stores the page once it is there; "Cancel" stores nothing,
// but the "Ok" of a dialogs box (of one list or a pair) stores its lines at once.
TEST(ActionPages, ShowTheSystemStoreOnOkAndNothingOnCancel) {
  const QStringList groups = {"Friend Warp In", "Enemy Warp In", "Enemy Warp Out",
                              "Friend Warp Out & Escort"};
  const QStringList edits = {"Friend warp-in time", "Enemy warp-in time", "Enemy warp-out time",
                             "Friend warp-out time", "Join-escort time"};
  BattleConfig config =
      Read({"Player = DD", "System = Sol", "FriendAction = WarpInAfter 30",
            "EnemyAction = WarpOutAfter Cleared", "FriendAction = JoinEscortAfter 15",
            "NeutralAction = WarpOutAfter Cleared", "NeutralBehavior = FriendAfter 40"});
  StarSystem& s = config.systems.at(0);
  StarSystem expected = s;
  expected.Dialogs(DialogEvent::EnemyWarpOutDialog) = {Line("Lead", "Go")};
  ScriptedSeam seam;
  seam.Expect("ACTIONBOX", [&](QDialog& page) {
    EXPECT_EQ(page.windowTitle(), "Actions of the Friend and Enemy Ships in Sol");
    EXPECT_EQ(Group(page, "Friend Warp Out & Escort").title(), "Friend Warp Out && Escort");
    EXPECT_EQ(Shown(page, groups, edits),
              "Warp in after, Initially in the system, Warp out after cleared, Join escort "
              "after, 30+, , , , 15+");
    Choose(page, "Friend Warp In", "Initially in the system");
    Click(Group(page, "Enemy Warp Out"), "Dialogs");
    Click(page, "Cancel");
  });
  seam.Expect("DIALOGSBOX2", [](QDialog& box) {
    Text(box, " Enemies Warp Out Dialog ").setPlainText("Lead: Go");
    Click(box, "Ok");
  });
  seam.Expect("ACTIONBOX", [&](QDialog& page) {
    Choose(page, "Friend Warp In", "Initially in the system");
    Choose(page, "Friend Warp Out & Escort", "Warp out after");
    Choose(page, "Enemy Warp Out", "Warp out after");
    Choose(page, "Enemy Warp In", "Warp in after");
    QTest::keyClicks(&Edit(page, "Enemy warp-in time"), "30");
    QTest::keyClicks(&Edit(page, "Friend warp-out time"), "5");
    EXPECT_EQ(Shown(page, groups, edits),
              "Initially in the system, Warp in after, Warp out after, Warp out after, 30, 30+, "
              "+, 5+, 15");
    Click(page, "OK");
    EXPECT_TRUE(page.isVisible());
    QTest::keyClicks(&Edit(page, "Enemy warp-out time"), "40");
    Click(page, "OK");
  });
  seam.Expect("ERRORBOX", Press("Cancel"));
  seam.Expect("NBEHAVIORBOX", [&](QDialog& page) {
    const QStringList neutralGroups = {"Neutral Warp In", "Neutral Warp Out", "Neutrall Behavior"};
    const QStringList neutralEdits = {"Warp-in time", "Warp-out time", "Behavior time"};
    EXPECT_EQ(page.windowTitle(), "Actions and Behavior of the Neutral Ships in Sol");
    EXPECT_EQ(Shown(page, neutralGroups, neutralEdits),
              "Initially in the system, Warp out after cleared, Friend after, , , 40+");
    Choose(page, "Neutral Warp In", "Warp in after");
    QTest::keyClicks(&Edit(page, "Warp-in time"), "5");
    Choose(page, "Neutrall Behavior", "Random");
    EXPECT_EQ(Shown(page, neutralGroups, neutralEdits),
              "Warp in after, Warp out after cleared, Random, 5+, , 40");
    Choose(page, "Neutrall Behavior", "Enemy after");
    Find<QPushButton>(page, "behaviorDialogs").click();
    Click(page, "OK");
  });
  seam.Expect("DIALOGSBOX1", [](QDialog& box) {
    Text(box, " Neutrals Become Friends Dialog ").setPlainText("A: b");
    Text(box, " Neutrals Become Enemies Dialog ").setPlainText("No speaker");
    Click(box, "Ok");
  });
  seam.Expect("MESSAGBOX", Press("Ok"));
  ActionsPage::Run(nullptr, config, s);
  EXPECT_EQ(s, expected);
  ActionsPage::Run(nullptr, config, s);
  NeutralBehaviorPage::Run(nullptr, config, s);
  EXPECT_EQ(test_support::WrittenValues(config),
            (Lines{"Player = DD", "System = Sol", "FriendAction = WarpOutAfter 5",
                   "EnemyAction = WarpInAfter 30", "EnemyAction = WarpOutAfter 40",
                   "NeutralAction = WarpInAfter 5", "NeutralAction = WarpOutAfter Cleared",
                   "NeutralBehavior = EnemyAfter 40", "EnemyWarpOutDialog = Lead: Go",
                   "NeutralToFriendDialog = A: b", "NeutralToEnemyDialog = Speaker: No speaker"}));
}

// A battle whose texts hold every byte a line can carry (all but NUL and LF; "#" only in the
// remarks, where the reader allows it): the remarks, the title lines and each of the system's
// eleven dialog lists hold bytes 1-255 in pieces of 64, each list ending in a text that ends in
// CR; the title holds the control characters and undefined bytes.
BattleConfig EveryByteBattle() {
  std::string all, noHash, title;
  for (int b = 1; b < 256; ++b) {
    if (b == '\n') continue;
    all += char(b);
    if (b != '#') noHash += char(b);
    if (b < ' ' || std::string_view("\x7f\x81\x8d\x8f\x90\x9d\xa0\xad\xff").find(char(b)) !=
                       std::string::npos) {
      title += char(b);
    }
  }
  const auto lines = [](const std::string& bytes, const std::string& head, const std::string& end) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); i += 64)
      text += head + "<" + bytes.substr(i, 64) + ">\r\n";
    return text + end + "ends in CR\r\r\n";
  };
  std::string text =
      "VK7 Battle\r\nFile Format Version 1.2\r\n// Created by Velkor Editor\r\n" +
      lines(all, "//", "//") + "Title = <" + title + ">\r\n" +
      lines(noHash, "TitleLine = ", "TitleLine = [v\xa0\x81.acm] ") +
      "ShipChange = Off\r\nWarpOut = Anytime\r\nCollision = On\r\nPerfectCloak = "
      "Off\r\nPlayer = HALBERD\r\nSystem = Sol\r\nStardate = -56\r\nBattleMode = AI\r\n";
  for (const std::string list :
       {"StartingDialog", "EndingDialog", "FriendWarpInDialog", "EnemyWarpInDialog",
        "NeutralWarpInDialog", "FriendWarpOutDialog", "EnemyWarpOutDialog", "NeutralWarpOutDialog",
        "FriendJoinEscortDialog", "NeutralToFriendDialog", "NeutralToEnemyDialog"}) {
    text += lines(noHash, list + " = [v\xa0\x81.acm] " + list + " \x8d: ", list + " = Wing: ");
  }
  const auto read = test_support::ReadBattleText(text, false);
  EXPECT_TRUE(read.ok) << read.Describe();
  return read.config;
}

// Changes every choice and text of a page: another button of each group, each box, each edit.
void ChangeEverything(QDialog& page) {
  for (QGroupBox* group : page.findChildren<QGroupBox*>()) {
    const auto buttons = group->findChildren<QRadioButton*>();
    const auto other = std::ranges::find(buttons, false, &QRadioButton::isChecked);
    if (other != buttons.end()) (*other)->click();
  }
  for (QCheckBox* box : page.findChildren<QCheckBox*>()) box->click();
  for (QLineEdit* edit : page.findChildren<QLineEdit*>()) edit->setText("1");
  for (QPlainTextEdit* edit : page.findChildren<QPlainTextEdit*>()) edit->setPlainText("A: b");
}

// "Ok" on what a page or box showed stores every byte as it was; "Cancel" after changing
// everything stores nothing. Each "Dialogs" button opens its box, titled for its lists, each
// list under its caption.
TEST(PageEdits, OkWithoutChangesKeepsEveryByte) {
  using Dialogs = std::vector<std::array<const char*, 3>>;  // button, box title, "caption: list"
  // clang-format off
  const struct {
    const char* page;
    std::function<void(BattleConfig&)> run;
    const char* leave;
    Dialogs dialogs;
  } pages[] = {
      {"GENERALOPTIONBOX", [](BattleConfig& c) { GeneralOptionsPage::Run(nullptr, c); }, "Ok", {}},
      {"SYSTEMOPTIONBOX", [](BattleConfig& c) { SystemOptionsPage::Run(nullptr, c, c.systems[0]); }, "Ok", {}},
      {"ACTIONBOX", [](BattleConfig& c) { ActionsPage::Run(nullptr, c, c.systems[0]); }, "Cancel",
       {{"friendWarpInDialogs", "Sol Friends Warp In Dialog ", " Friends Warp In Dialog : FriendWarpInDialog"},
        {"enemyWarpInDialogs", "Sol Enemies Warp In Dialog ", " Enemies Warp In Dialog : EnemyWarpInDialog"},
        {"friendExitDialogs", "Sol Friends Warp Out and Join Escort Dialogs ",
         " Friends Warp Out Dialog : FriendWarpOutDialog, Friends Join Escort Dialog : FriendJoinEscortDialog"},
        {"enemyWarpOutDialogs", "Sol Enemies Warp Out Dialog ", " Enemies Warp Out Dialog : EnemyWarpOutDialog"}}},
      {"NBEHAVIORBOX", [](BattleConfig& c) { NeutralBehaviorPage::Run(nullptr, c, c.systems[0]); }, "Cancel",
       {{"warpInDialogs", "Sol Neutrals Warp In Dialog ", " Neutrals Warp In Dialog : NeutralWarpInDialog"},
        {"warpOutDialogs", "Sol Neutrals Warp Out Dialog ", " Neutrals Warp Out Dialog : NeutralWarpOutDialog"},
        {"behaviorDialogs", "Sol Neutral Behavior Dialogs ",
         " Neutrals Become Friends Dialog : NeutralToFriendDialog, Neutrals Become Enemies Dialog : NeutralToEnemyDialog"}}},
  };
  // clang-format on
  const BattleConfig before = EveryByteBattle();
  for (const auto& page : pages) {
    SCOPED_TRACE(page.page);
    BattleConfig config = before;
    for (const bool change : {false, true}) {
      ScriptedSeam seam;
      seam.Expect(page.page, [&](QDialog& shown) {
        for (const auto& dialog : page.dialogs) Find<QPushButton>(shown, dialog[0]).click();
        if (change) ChangeEverything(shown);
        Click(shown, change ? "Cancel" : page.leave);
      });
      for (const auto& dialog : page.dialogs) {
        const bool pair = QString(dialog[2]).contains(',');
        seam.Expect(pair ? "DIALOGSBOX1" : "DIALOGSBOX2", [&](QDialog& box) {
          QStringList shown = {box.windowTitle()};
          for (const auto* group : box.findChildren<QGroupBox*>()) {
            const auto* edit = group->findChild<QPlainTextEdit*>();
            shown << group->title() + ": " +
                         edit->toPlainText().section("] ", 1).section(' ', 0, 0);
            EXPECT_EQ(edit->accessibleName(), group->title());  // the caption names the edit
          }
          EXPECT_EQ(shown.join(",").toStdString(),
                    QString(dialog[1] + QString(",") + dialog[2]).toStdString());
          if (change) ChangeEverything(box);
          Click(box, change ? "Cancel" : "Ok");
        });
      }
      page.run(config);
      EXPECT_TRUE(config == before);
    }
  }
}

// Nothing but digits in front, behind or after a minus sign read from the file; its first
// character deleted, or typed over the whole text, a minus is refused.
TEST(PageEdits, DigitsOnlyEditsTakeNothingButDigits) {
  BattleConfig config = Read({"Player = DD", "System = Sol", "Stardate = -56"});
  SystemOptionsPage options(nullptr, config, config.systems[0]);
  ActionsPage actions(nullptr, config.systems[0]);
  NeutralBehaviorPage neutrals(nullptr, config.systems[0]);
  Choose(actions, "Friend Warp Out & Escort", "Join escort after");
  Choose(neutrals, "Neutrall Behavior", "Enemy after");
  for (auto [edit, shown] : {std::pair{&Edit(options, "Stardate"), QString("-56")},
                             {&Edit(actions, "Join-escort time"), ""},
                             {&Edit(neutrals, "Behavior time"), ""}}) {
    SCOPED_TRACE(edit->accessibleName().toStdString());
    EXPECT_EQ(edit->text(), shown);
    edit->selectAll();
    QTest::keyClicks(edit, "-");  // over the minus read from the file as well
    EXPECT_EQ(edit->text(), shown);
    for (const auto& [key, typed] :
         {std::pair{Qt::Key_Home, "-x+ ."}, {Qt::Key_Right, "x-"}, {Qt::Key_End, "7x-"}}) {
      QTest::keyClick(edit, key);
      QTest::keyClicks(edit, typed);
    }
    EXPECT_EQ(edit->text(), shown + "7");
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, "-");
    EXPECT_EQ(edit->text(), (shown + "7").mid(1));
    edit->selectAll();
    QTest::keyClicks(edit, "-7");
    EXPECT_EQ(edit->text(), "7");
  }
}

}  // namespace
}  // namespace vk7
