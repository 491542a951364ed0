// The friend and enemy actions page and the neutral behaviour page: what they decide, from
// pages/cases/action_pages.txt, and how their widgets are wired.
#include <gtest/gtest.h>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <sstream>

#include "pages/actions_page.h"
#include "pages/actions_page_logic.h"
#include "pages/neutral_behavior_page.h"
#include "pages/neutral_behavior_page_logic.h"
#include "pages/page_test_support.h"

namespace vk7 {
namespace {

using namespace test;
using Names = std::vector<std::string>;
const Names kWarpIn = {"Initially", "After"}, kWarpOut = {"Never", "After", "AfterCleared"},
            kBehavior = {"EnemyWhenAttacked", "EnemyAfter", "FriendAfter", "Random"},
            kExit = {"Never", "WarpOutAfter", "WarpOutAfterCleared", "JoinEscortAfter",
                     "JoinEscortAfterCleared"};

// A page's groups in the case file's order: each choice, the names it goes by and the texts of
// its time edits.
template <typename F>
void Groups(ActionsPageState& s, F f) {
  f(kWarpIn, s.friendWarpIn, s.friendWarpInTime);
  f(kWarpIn, s.enemyWarpIn, s.enemyWarpInTime);
  f(kWarpOut, s.enemyWarpOut, s.enemyWarpOutTime);
  f(kExit, s.friendExit, s.friendWarpOutTime, s.joinEscortTime);
}
template <typename F>
void Groups(NeutralBehaviorPageState& s, F f) {
  f(kWarpIn, s.warpIn, s.warpInTime);
  f(kWarpOut, s.warpOut, s.warpOutTime);
  f(kBehavior, s.behavior, s.behaviorTime);
}

// A page as the case file writes it, "_" for an empty text.
template <typename State>
std::string Show(State s) {
  std::string shown;
  Groups(s, [&](const Names& names, auto choice, const auto&... texts) {
    shown += (shown.empty() ? "" : " | ") + names.at(static_cast<std::size_t>(choice));
    ((shown += " " + (texts.empty() ? "_" : texts)), ...);
  });
  return shown;
}
template <typename State>
State Parse(const std::string& text) {
  std::istringstream in(text);
  const auto next = [&in] {
    std::string word;
    while (in >> word && word == "|") {
    }
    return word == "_" ? "" : word;
  };
  State s;
  Groups(s, [&](const Names& names, auto& choice, auto&... texts) {
    const auto at = std::find(names.begin(), names.end(), next());
    EXPECT_NE(at, names.end()) << text;
    choice = static_cast<std::remove_reference_t<decltype(choice)>>(at - names.begin());
    ((texts = next()), ...);
  });
  return s;
}

class ActionPagesCase : public testing::TestWithParam<test_support::Case> {};

TEST_P(ActionPagesCase, OpensOrStores) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
  CaseBattle battle = ReadCaseBattle(c, {"Player = DD"});
  StarSystem& s = battle.config.systems.at(0);
  if (battle.steps.empty()) {
    for (const std::string& line : c.expected) {
      battle.shown.push_back(line.starts_with("actions")
                                 ? "actions: " + Show(OpeningActionsState(s))
                                 : "neutrals: " + Show(OpeningNeutralBehaviorState(s)));
    }
    EXPECT_EQ(battle.shown, c.expected);
    return;
  }
  const std::string& ok = battle.steps.at(0);
  const std::string page = ok.substr(ok.find(": ") + 2);
  RecordingReporter reporter;
  const bool stored =
      ok.starts_with("actions")
          ? ApplyActions(Parse<ActionsPageState>(page), s, reporter)
          : ApplyNeutralBehavior(Parse<NeutralBehaviorPageState>(page), s, reporter);
  for (const std::string& value : test_support::WrittenValues(battle.config)) {
    if (value.find("Action =") != std::string::npos || value.starts_with("NeutralBehavior")) {
      battle.shown.push_back(value);
    }
  }
  EXPECT_EQ(stored, !battle.ShowMessages(reporter));
  EXPECT_EQ(battle.shown, c.expected);
}

VK7_CASES(ActionPagesCase, "pages/cases/action_pages.txt");

TEST(ActionTime, ReadsLeadingDigitsAndShowsNegativeTimesAsZero) {
  for (const auto& [text, time] : std::vector<std::pair<std::string, std::optional<int>>>{
           {" \t", std::nullopt}, {" 7 ", 7}, {"+5", 5}, {"-5", 0}, {"2147483648", INT32_MAX}}) {
    EXPECT_EQ(ReadActionTime(text), time) << text;
  }
  EXPECT_EQ(FormatActionTime(45) + FormatActionTime(-1) + FormatActionTime(INT32_MIN), "4500");
  // No file holds both friend exits, yet should a battle do so, the warp-out wins.
  StarSystem s;
  s.friendWarpOutDefined = s.friendJoinEscortDefined = true;
  EXPECT_EQ(OpeningActionsState(s).friendExit, FriendExitChoice::WarpOutAfter);
}

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
