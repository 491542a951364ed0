// The friend and enemy actions page and the neutral behaviour page.
#include <gtest/gtest.h>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "pages/actions_page.h"
#include "pages/neutral_behavior_page.h"
#include "pages/page_test_support.h"

namespace vk7 {
namespace {

using namespace test;

// Each group's checked choice, then each edit's text, "+" marking an enabled one.
QString Shown(QDialog& page, const QStringList& groups, const QStringList& edits) {
  QString shown = Checked(page, groups);
  for (const QString& name : edits) {
    const auto& edit = Find<QLineEdit>(page, name);
    shown += ", " + edit.text() + (edit.isEnabled() ? "+" : "");
  }
  return shown;
}

// "OK" is refused while a chosen time is missing and stores the page once it is there;
// "Cancel" stores nothing, but the "Ok" of a dialogs box stores its lines at once.
TEST(ActionsPage, ShowsTheSystemStoresOnOkAndNothingOnCancel) {
  const QStringList groups = {"Friend Warp In", "Enemy Warp In", "Enemy Warp Out",
                              "Friend Warp Out & Escort"};
  const QStringList edits = {"Friend warp-in time", "Enemy warp-in time", "Enemy warp-out time",
                             "Friend warp-out time", "Join-escort time"};
  auto read = test_support::ReadBattleLines(
      {"Player = DD", "System = Sol", "FriendAction = WarpInAfter 30",
       "EnemyAction = WarpOutAfter Cleared", "FriendAction = JoinEscortAfter 15"});
  StarSystem& s = read.config.systems.at(0);
  StarSystem expected = s;
  expected.Dialogs(DialogEvent::EnemyWarpOutDialog) = {Line("Lead", "Go")};
  ScriptedSeam seam;
  seam.Expect("ACTIONBOX", [&](QDialog& page) {
    EXPECT_EQ(page.windowTitle(), "Actions of the Friend and Enemy Ships in Sol");
    EXPECT_EQ(Group(page, "Friend Warp Out & Escort").title(), "Friend Warp Out && Escort");
    EXPECT_EQ(Shown(page, groups, edits),
              "Warp in after, Initially in the system, Warp out "
              "after cleared, Join escort after, 30+, , , , 15+");
    Choose(page, "Friend Warp In", "Initially in the system");
    Click(Group(page, "Enemy Warp Out"), "Dialogs");
    Click(page, "Cancel");
  });
  seam.Expect("DIALOGSBOX2", [](QDialog& box) {
    Find<QPlainTextEdit>(box, " Enemies Warp Out Dialog ").setPlainText("Lead: Go");
    Click(box, "Ok");
  });
  ActionsPage::Run(nullptr, read.config, s);
  EXPECT_EQ(s, expected);
  seam.Expect("ACTIONBOX",
              [&](QDialog& page) {
                Choose(page, "Friend Warp In", "Initially in the system");
                Choose(page, "Friend Warp Out & Escort", "Warp out after");
                Choose(page, "Enemy Warp Out", "Warp out after");
                Choose(page, "Enemy Warp In", "Warp in after");
                QTest::keyClicks(&Find<QLineEdit>(page, "Enemy warp-in time"), "30");
                QTest::keyClicks(&Find<QLineEdit>(page, "Friend warp-out time"), "5");
                EXPECT_EQ(Shown(page, groups, edits),
                          "Initially in the system, Warp in after, Warp out after, Warp out "
                          "after, 30, 30+, +, 5+, 15");
                Click(page, "OK");
                EXPECT_TRUE(page.isVisible());
                QTest::keyClicks(&Find<QLineEdit>(page, "Enemy warp-out time"), "40");
                Click(page, "OK");
              })
      .Expect("ERRORBOX", Refused("You have not specified a warp out time for enemies!"));
  ActionsPage::Run(nullptr, read.config, s);
  EXPECT_TRUE(seam.Done());
  EXPECT_EQ(
      test_support::WrittenValues(read.config),
      (std::vector<std::string>{"Player = DD", "System = Sol", "FriendAction = WarpOutAfter 5",
                                "EnemyAction = WarpInAfter 30", "EnemyAction = WarpOutAfter 40",
                                "EnemyWarpOutDialog = Lead: Go"}));
}

TEST(NeutralBehaviorPage, ShowsTheSystemAndStoresOnOk) {
  const QStringList groups = {"Neutral Warp In", "Neutral Warp Out", "Neutrall Behavior"};
  const QStringList edits = {"Warp-in time", "Warp-out time", "Behavior time"};
  auto read = test_support::ReadBattleLines({"Player = DD", "System = Sol",
                                             "NeutralAction = WarpOutAfter Cleared",
                                             "NeutralBehavior = FriendAfter 40"});
  StarSystem& s = read.config.systems.at(0);
  ScriptedSeam seam;
  seam.Expect("NBEHAVIORBOX", [&](QDialog& page) {
    EXPECT_EQ(page.windowTitle(), "Actions and Behavior of the Neutral Ships in Sol");
    EXPECT_EQ(Shown(page, groups, edits),
              "Initially in the system, Warp out after cleared, Friend after, , , 40+");
    Choose(page, "Neutral Warp In", "Warp in after");
    QTest::keyClicks(&Find<QLineEdit>(page, "Warp-in time"), "5");
    Choose(page, "Neutrall Behavior", "Random");
    EXPECT_EQ(Shown(page, groups, edits),
              "Warp in after, Warp out after cleared, Random, 5+, , 40");
    Choose(page, "Neutrall Behavior", "Enemy after");
    Find<QPushButton>(page, "behaviorDialogs").click();
    Click(page, "OK");
  });
  // The pair box stores both its lists on "Ok".
  seam.Expect("DIALOGSBOX1", [](QDialog& box) {
    Find<QPlainTextEdit>(box, " Neutrals Become Friends Dialog ").setPlainText("No speaker here");
    Find<QPlainTextEdit>(box, " Neutrals Become Enemies Dialog ").setPlainText("[v.acm] A: b\nB:");
    Click(box, "Ok");
  });
  seam.Expect("MESSAGBOX", Warned("At least one dialog line had no speaker definition. Default "
                                  "speaker inserted."));
  seam.Expect("MESSAGBOX", Warned("At least one dialog line contained a speaker or voice file, "
                                  "but no text. Line has been removed."));
  NeutralBehaviorPage::Run(nullptr, read.config, s);
  EXPECT_EQ(test_support::WrittenValues(read.config),
            (std::vector<std::string>{
                "Player = DD", "System = Sol", "NeutralAction = WarpInAfter 5",
                "NeutralAction = WarpOutAfter Cleared", "NeutralBehavior = EnemyAfter 40",
                "NeutralToFriendDialog = Speaker: No speaker here",
                "NeutralToEnemyDialog = [v.acm] A: b"}));
}

}  // namespace
}  // namespace vk7
