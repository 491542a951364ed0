// The friend and enemy actions page and the neutral behaviour page: what they decide, from
// pages/cases/action_pages.txt, and how their widgets are wired.
#include <gtest/gtest.h>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>
#include <sstream>

#include "pages/actions_page.h"
#include "pages/actions_page_logic.h"
#include "pages/neutral_behavior_page.h"
#include "pages/neutral_behavior_page_logic.h"
#include "pages/page_test_support.h"
#include "support/battle_text.h"

namespace vk7 {
namespace {

using namespace test;
using Names = std::vector<std::string>;
const Names kWarpIn = {"Initially", "After"}, kWarpOut = {"Never", "After", "AfterCleared"},
            kBehavior = {"EnemyWhenAttacked", "EnemyAfter", "FriendAfter", "Random"},
            kExit = {"Never", "WarpOutAfter", "WarpOutAfterCleared", "JoinEscortAfter",
                     "JoinEscortAfterCleared"};

// A page as the case file writes it: choices and edit texts, "_" for an empty text.
struct PageLine {
  std::vector<std::string> words;
  std::size_t next = 0;
  std::string Text() {
    const std::string& word = words.at(next++);
    return word == "_" ? "" : word;
  }
  template <typename Choice>
  Choice Pick(const Names& names) {
    const auto at = std::find(names.begin(), names.end(), words.at(next++));
    EXPECT_NE(at, names.end()) << words[next - 1];
    return static_cast<Choice>(at - names.begin());
  }
};
PageLine Parse(const std::string& text) {
  PageLine line;
  std::istringstream in(text);
  for (std::string word; in >> word;) {
    if (word != "|") line.words.push_back(word);
  }
  return line;
}
template <typename Choice>
std::string Show(const Names& names, Choice choice, const std::string& text) {
  return names.at(static_cast<std::size_t>(choice)) + " " + (text.empty() ? "_" : text);
}

std::string ShowActions(const ActionsPageState& s) {
  return "actions: " + Show(kWarpIn, s.friendWarpIn, s.friendWarpInTime) + " | " +
         Show(kWarpIn, s.enemyWarpIn, s.enemyWarpInTime) + " | " +
         Show(kWarpOut, s.enemyWarpOut, s.enemyWarpOutTime) + " | " +
         Show(kExit, s.friendExit, s.friendWarpOutTime) + " " +
         (s.joinEscortTime.empty() ? "_" : s.joinEscortTime);
}
std::string ShowNeutrals(const NeutralBehaviorPageState& s) {
  return "neutrals: " + Show(kWarpIn, s.warpIn, s.warpInTime) + " | " +
         Show(kWarpOut, s.warpOut, s.warpOutTime) + " | " +
         Show(kBehavior, s.behavior, s.behaviorTime);
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
                                 ? ShowActions(OpeningActionsState(s))
                                 : ShowNeutrals(OpeningNeutralBehaviorState(s)));
    }
    EXPECT_EQ(battle.shown, c.expected);
    return;
  }
  const std::string& ok = battle.steps.at(0);
  PageLine page = Parse(ok.substr(ok.find(": ") + 2));
  RecordingReporter reporter;
  const bool stored =
      ok.starts_with("actions")
          ? ApplyActions(
                {page.Pick<WarpInChoice>(kWarpIn), page.Text(), page.Pick<WarpInChoice>(kWarpIn),
                 page.Text(), page.Pick<WarpOutChoice>(kWarpOut), page.Text(),
                 page.Pick<FriendExitChoice>(kExit), page.Text(), page.Text()},
                s, reporter)
          : ApplyNeutralBehavior(
                {page.Pick<WarpInChoice>(kWarpIn), page.Text(), page.Pick<WarpOutChoice>(kWarpOut),
                 page.Text(), page.Pick<NeutralBehavior>(kBehavior), page.Text()},
                s, reporter);
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
QStringList Shown(QDialog& page, const QStringList& groups, const QStringList& edits) {
  QStringList shown;
  for (const QString& group : groups) shown << Checked(page, group);
  for (const QString& name : edits) {
    const auto& edit = Find<QLineEdit>(page, name);
    shown << edit.text() + (edit.isEnabled() ? "+" : "");
  }
  return shown;
}

const QStringList kActionGroups = {"Friend Warp In", "Enemy Warp In", "Enemy Warp Out",
                                   "Friend Warp Out & Escort"};
const QStringList kActionEdits = {"Friend warp-in time", "Enemy warp-in time",
                                  "Enemy warp-out time", "Friend warp-out time",
                                  "Join-escort time"};

TEST(ActionsPage, ShowsTheSystemStoresOnOkAndNothingOnCancel) {
  auto read = test_support::ReadBattleLines(
      {"Player = DD", "System = Sol", "FriendAction = WarpInAfter 30",
       "EnemyAction = WarpOutAfter Cleared", "FriendAction = JoinEscortAfter 15"});
  StarSystem& s = read.config.systems.at(0);
  const StarSystem before = s;
  ScriptedSeam seam;
  seam.Expect("ACTIONBOX", [](QDialog& page) {
    EXPECT_EQ(page.windowTitle(), "Actions of the Friend and Enemy Ships in Sol");
    EXPECT_EQ(Group(page, "Friend Warp Out & Escort").title(), "Friend Warp Out && Escort");
    EXPECT_EQ(Shown(page, kActionGroups, kActionEdits),
              (QStringList{"Warp in after", "Initially in the system", "Warp out after cleared",
                           "Join escort after", "30+", "", "", "", "15+"}));
    Choose(page, "Friend Warp In", "Initially in the system");
    Choose(page, "Enemy Warp In", "Warp in after");
    Click(Group(page, "Enemy Warp Out"), "Dialogs");
    Click(page, "Cancel");
  });
  // The box's "Ok" stores its lines whatever the page does then.
  seam.Expect("DIALOGSBOX2", [](QDialog& box) {
    Find<QPlainTextEdit>(box, " Enemies Warp Out Dialog ").setPlainText("Lead: Go");
    Click(box, "Ok");
  });
  ActionsPage::Run(nullptr, read.config, s);
  StarSystem expected = before;
  expected.Dialogs(DialogEvent::EnemyWarpOutDialog) = {Line("Lead", "Go")};
  EXPECT_EQ(s, expected);
  seam.Expect("ACTIONBOX",
              [](QDialog& page) {
                Choose(page, "Friend Warp In", "Initially in the system");
                Choose(page, "Friend Warp Out & Escort", "Warp out after");
                Choose(page, "Enemy Warp Out", "Warp out after");
                Choose(page, "Enemy Warp In", "Warp in after");
                QTest::keyClicks(&Find<QLineEdit>(page, "Enemy warp-in time"), "30");
                QTest::keyClicks(&Find<QLineEdit>(page, "Friend warp-out time"), "5");
                EXPECT_EQ(Shown(page, kActionGroups, kActionEdits),
                          (QStringList{"Initially in the system", "Warp in after", "Warp out after",
                                       "Warp out after", "30", "30+", "+", "5+", "15"}));
                Click(page, "OK");
                EXPECT_TRUE(page.isVisible());
                QTest::keyClicks(&Find<QLineEdit>(page, "Enemy warp-out time"), "10");
                Click(page, "OK");
                EXPECT_FALSE(page.isVisible());
              })
      .Expect("ERRORBOX", Refused("You have not specified a warp out time for enemies!"))
      .Expect("MESSAGBOX", Warned("The enemy warp out time you have specified is less than the "
                                  "warp in time. Under these circumstances the script will "
                                  "execute the warp out immediately after the warp in!"));
  ActionsPage::Run(nullptr, read.config, s);
  EXPECT_TRUE(seam.Done());
  const auto values = test_support::WrittenValues(read.config);
  EXPECT_EQ(
      std::vector(values.begin() + 2, values.begin() + 5),
      (std::vector<std::string>{"FriendAction = WarpOutAfter 5", "EnemyAction = WarpInAfter 30",
                                "EnemyAction = WarpOutAfter 10"}));
  EXPECT_EQ(values.size(), 6u);  // and the dialog line
}

TEST(NeutralBehaviorPage, ShowsTheSystemStoresOnOkAndNothingOnCancel) {
  const QStringList groups = {"Neutral Warp In", "Neutral Warp Out", "Neutrall Behavior"};
  const QStringList edits = {"Warp-in time", "Warp-out time", "Behavior time"};
  auto read = test_support::ReadBattleLines({"Player = DD", "System = Sol",
                                             "NeutralAction = WarpOutAfter Cleared",
                                             "NeutralBehavior = FriendAfter 40"});
  StarSystem& s = read.config.systems.at(0);
  const StarSystem before = s;
  ScriptedSeam seam;
  seam.Expect("NBEHAVIORBOX", [&](QDialog& page) {
    EXPECT_EQ(page.windowTitle(), "Actions and Behavior of the Neutral Ships in Sol");
    EXPECT_EQ(Shown(page, groups, edits),
              (QStringList{"Initially in the system", "Warp out after cleared", "Friend after", "",
                           "", "40+"}));
    Choose(page, "Neutrall Behavior", "Random");
    Click(page, "Cancel");
  });
  NeutralBehaviorPage::Run(nullptr, read.config, s);
  EXPECT_EQ(s, before);
  seam.Expect("NBEHAVIORBOX",
              [&](QDialog& page) {
                Choose(page, "Neutral Warp In", "Warp in after");
                QTest::keyClicks(&Find<QLineEdit>(page, "Warp-in time"), "5");
                Choose(page, "Neutrall Behavior", "Enemy after");
                Find<QLineEdit>(page, "Behavior time").clear();
                Click(page, "OK");
                EXPECT_TRUE(page.isVisible());
                QTest::keyClicks(&Find<QLineEdit>(page, "Behavior time"), "15");
                Choose(page, "Neutrall Behavior", "Random");
                EXPECT_EQ(Shown(page, groups, edits),
                          (QStringList{"Warp in after", "Warp out after cleared", "Random", "5+",
                                       "", "15"}));
                Choose(page, "Neutrall Behavior", "Friend after");
                Click(page, "OK");
              })
      .Expect("ERRORBOX", Refused("You have not specified a time for the behavior change!"));
  NeutralBehaviorPage::Run(nullptr, read.config, s);
  EXPECT_TRUE(seam.Done());
  EXPECT_EQ(test_support::WrittenValues(read.config),
            (std::vector<std::string>{
                "Player = DD", "System = Sol", "NeutralAction = WarpInAfter 5",
                "NeutralAction = WarpOutAfter Cleared", "NeutralBehavior = FriendAfter 15"}));
}

}  // namespace
}  // namespace vk7
