// What the pages' edits hand back: untouched text byte for byte, and digits only where digits
// are asked for.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <functional>

#include "pages/actions_page.h"
#include "pages/general_options_page.h"
#include "pages/neutral_behavior_page.h"
#include "pages/page_test_support.h"
#include "pages/system_options_page.h"

namespace vk7 {
namespace {

using namespace test;

// A battle whose texts hold every byte a line can carry (all but NUL and LF; "#" only in the
// remarks, where the reader allows it): no-break spaces, bytes Windows-1252 leaves undefined,
// control characters, a CR inside a line and one ending a text. The remarks, the title lines and
// each of the system's eleven dialog lists hold bytes 1-255 in pieces of 64, each list ending in
// a text that ends in CR; the title holds the control characters and undefined bytes; options
// and battle mode are defined, as "Ok" does.
BattleConfig EveryByteBattle() {
  std::string all, noHash, title;
  for (int b = 1; b < 256; ++b) {
    if (b == '\n') continue;
    all += static_cast<char>(b);
    if (b != '#') noHash += static_cast<char>(b);
    if (b < ' ' || std::string_view("\x7f\x81\x8d\x8f\x90\x9d\xa0\xad\xff").find(char(b)) !=
                       std::string_view::npos) {
      title += static_cast<char>(b);
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
// everything stores nothing. Each "Dialogs" button opens its box, titled for its lists, each list
// under its caption.
TEST(PageEdits, OkWithoutChangesKeepsEveryByte) {
  using Dialogs = std::vector<std::array<const char*, 3>>;  // button, box title, "caption: list"
  const struct {
    const char* page;
    std::function<void(BattleConfig&)> run;
    const char* leave;
    Dialogs dialogs;
  } pages[] = {
      {"GENERALOPTIONBOX", [](BattleConfig& c) { GeneralOptionsPage::Run(nullptr, c); }, "Ok", {}},
      {"SYSTEMOPTIONBOX",
       [](BattleConfig& c) { SystemOptionsPage::Run(nullptr, c, c.systems[0]); },
       "Ok",
       {}},
      {"ACTIONBOX",
       [](BattleConfig& c) { ActionsPage::Run(nullptr, c, c.systems[0]); },
       "Cancel",
       {{"friendWarpInDialogs", "Sol Friends Warp In Dialog ",
         " Friends Warp In Dialog : FriendWarpInDialog"},
        {"enemyWarpInDialogs", "Sol Enemies Warp In Dialog ",
         " Enemies Warp In Dialog : EnemyWarpInDialog"},
        {"friendExitDialogs", "Sol Friends Warp Out and Join Escort Dialogs ",
         " Friends Warp Out Dialog : FriendWarpOutDialog, Friends Join Escort Dialog : "
         "FriendJoinEscortDialog"},
        {"enemyWarpOutDialogs", "Sol Enemies Warp Out Dialog ",
         " Enemies Warp Out Dialog : EnemyWarpOutDialog"}}},
      {"NBEHAVIORBOX",
       [](BattleConfig& c) { NeutralBehaviorPage::Run(nullptr, c, c.systems[0]); },
       "Cancel",
       {{"warpInDialogs", "Sol Neutrals Warp In Dialog ",
         " Neutrals Warp In Dialog : NeutralWarpInDialog"},
        {"warpOutDialogs", "Sol Neutrals Warp Out Dialog ",
         " Neutrals Warp Out Dialog : NeutralWarpOutDialog"},
        {"behaviorDialogs", "Sol Neutral Behavior Dialogs ",
         " Neutrals Become Friends Dialog : NeutralToFriendDialog, Neutrals Become Enemies Dialog "
         ": NeutralToEnemyDialog"}}},
  };
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
        seam.Expect(QString(dialog[2]).contains(',') ? "DIALOGSBOX1" : "DIALOGSBOX2",
                    [&](QDialog& box) {
                      QStringList shown = {box.windowTitle()};
                      for (const auto* edit : box.findChildren<QPlainTextEdit*>()) {
                        shown << edit->accessibleName() + ": " +
                                     edit->toPlainText().section("] ", 1).section(' ', 0, 0);
                      }
                      EXPECT_EQ(shown.join(","), QString(dialog[1]) + "," + dialog[2]);
                      if (change) ChangeEverything(box);
                      Click(box, change ? "Cancel" : "Ok");
                    });
      }
      page.run(config);
      EXPECT_TRUE(seam.Done());
      EXPECT_TRUE(config == before);
    }
  }
}

// Nothing but digits in front, behind or after a minus sign read from the file; its first
// character deleted, or typed over the whole text, a minus is refused.
TEST(PageEdits, DigitsOnlyEditsTakeNothingButDigits) {
  BattleConfig config = EveryByteBattle();  // Sol at stardate -56
  SystemOptionsPage options(nullptr, config, config.systems[0]);
  ActionsPage actions(nullptr, config.systems[0]);
  NeutralBehaviorPage neutrals(nullptr, config.systems[0]);
  Choose(actions, "Friend Warp Out & Escort", "Join escort after");
  Choose(neutrals, "Neutrall Behavior", "Enemy after");
  for (auto [edit, shown] : {std::pair{&Find<QLineEdit>(options, "Stardate"), QString("-56")},
                             {&Find<QLineEdit>(actions, "Join-escort time"), ""},
                             {&Find<QLineEdit>(neutrals, "Behavior time"), ""}}) {
    SCOPED_TRACE(edit->accessibleName().toStdString());
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
