// What the pages' edits hand back: untouched text byte for byte, and digits only where digits
// are asked for.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
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
#include "support/battle_text.h"
#include "support/temp_dir.h"

namespace vk7 {
namespace {

using namespace test;

// A battle whose texts hold every byte a line can carry (all but NUL and LF; "#" only in the
// remarks, where the reader allows it): no-break spaces, bytes Windows-1252 leaves undefined,
// control characters, a CR inside a line and one ending a text. every_byte.vk7 was written by
// code, with CR LF line ends: the remarks, the title lines and each of the system's eleven dialog
// lists hold bytes 1-255 in pieces of 64, each ending in a text that ends in CR; the title holds
// the control characters and undefined bytes; options and battle mode are defined, as "Ok" does.
BattleConfig EveryByteBattle() {
  const std::string text = ReadBytes(std::string(VK7_TEST_DATA_DIR) + "/pages/every_byte.vk7");
  for (int b = 1; b < 256; ++b) EXPECT_NE(text.find(static_cast<char>(b)), text.npos) << b;
  const auto read = test_support::ReadBattleText(text, false);
  EXPECT_TRUE(read.ok) << read.Describe();
  EXPECT_EQ(read.config.systems.at(0).Dialogs(DialogEvent::EndingDialog).back().text,
            "ends in CR\r");
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
  const struct {
    const char* page;
    std::function<void(BattleConfig&)> run;
    const char* leave;
    std::vector<std::array<const char*, 3>> dialogs;  // button, box title, "caption: list"
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
         " Friends Warp Out Dialog : FriendWarpOutDialog,"
         " Friends Join Escort Dialog : FriendJoinEscortDialog"},
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
         " Neutrals Become Friends Dialog : NeutralToFriendDialog,"
         " Neutrals Become Enemies Dialog : NeutralToEnemyDialog"}}},
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
        const QString lists = dialog[2];
        seam.Expect(lists.contains(',') ? "DIALOGSBOX1" : "DIALOGSBOX2", [&](QDialog& box) {
          EXPECT_EQ(box.windowTitle(), dialog[1]);
          QStringList shown;
          for (const auto* edit : box.findChildren<QPlainTextEdit*>()) {
            shown << edit->accessibleName() + ": " +
                         edit->toPlainText().section("] ", 1).section(' ', 0, 0);
          }
          EXPECT_EQ(shown.join(",").toStdString(), dialog[2]);
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
    // Nothing but digits in front, behind or after a minus sign read from the file.
    for (const auto& [key, typed] :
         {std::pair{Qt::Key_Home, "-x+ ."}, {Qt::Key_Right, "x-"}, {Qt::Key_End, "7x-"}}) {
      QTest::keyClick(edit, key);
      QTest::keyClicks(edit, typed);
    }
    EXPECT_EQ(edit->text(), shown + "7");
    // Its first character deleted, a minus sign cannot be typed back.
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, "-");
    EXPECT_EQ(edit->text(), (shown + "7").mid(1));
    // Typed over the whole text, a minus is refused too.
    edit->selectAll();
    QTest::keyClicks(edit, "-7");
    EXPECT_EQ(edit->text(), "7");
  }
}

}  // namespace
}  // namespace vk7
