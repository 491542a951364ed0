#include "pages/actions_page.h"

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QTest>

#include "pages/action_pages_support.h"
#include "pages/actions_page_logic.h"

namespace vk7 {
namespace {

using namespace test;
using W = WarpInChoice;
using O = WarpOutChoice;
using F = FriendExitChoice;

const char* const kEnemyEarly =
    "The enemy warp out time you have specified is less than the warp in time. Under these "
    "circumstances the script will execute the warp out immediately after the warp in!";

ActionsPageState State(W friendIn, std::string friendInTime, W enemyIn = W::Initially,
                       std::string enemyInTime = "", O enemyOut = O::Never,
                       std::string enemyOutTime = "", F exit = F::Never,
                       std::string friendOutTime = "", std::string joinTime = "") {
  return {friendIn,     friendInTime, enemyIn,       enemyInTime, enemyOut,
          enemyOutTime, exit,         friendOutTime, joinTime};
}

// The five times as "friend-in enemy-in enemy-out friend-out join", "-" where undefined.
std::string Times(const StarSystem& s) {
  const auto time = [](bool defined, std::int32_t t) { return defined ? std::to_string(t) : "-"; };
  return time(s.friendWarpInDefined, s.friendWarpInAfter) + " " +
         time(s.enemyWarpInDefined, s.enemyWarpInAfter) + " " +
         time(s.enemyWarpOutDefined, s.enemyWarpOutAfter) + " " +
         time(s.friendWarpOutDefined, s.friendWarpOutAfter) + " " +
         time(s.friendJoinEscortDefined, s.friendJoinEscortAfter);
}

StarSystem Sol(bool fi, int fiT, bool ei, int eiT, bool eo, int eoT, bool fo, int foT, bool je,
               int jeT) {
  StarSystem s;
  s.name = "Sol";
  s.friendWarpInDefined = fi, s.friendWarpInAfter = fiT;
  s.enemyWarpInDefined = ei, s.enemyWarpInAfter = eiT;
  s.enemyWarpOutDefined = eo, s.enemyWarpOutAfter = eoT;
  s.friendWarpOutDefined = fo, s.friendWarpOutAfter = foT;
  s.friendJoinEscortDefined = je, s.friendJoinEscortAfter = jeT;
  return s;
}

TEST(ActionsPageLogic, OpeningStateFollowsTheFlags) {
  const struct {
    StarSystem system;
    ActionsPageState expected;
  } cases[] = {
      {Sol(0, 9, 0, 9, 0, 9, 0, 9, 0, 9), {}},
      {Sol(1, 30, 1, -5, 0, 0, 0, 0, 0, 0), State(W::After, "30", W::After, "0")},
      {Sol(0, 0, 0, 0, 1, 0, 0, 0, 0, 0), State(W::Initially, "", W::Initially, "", O::After, "0")},
      {Sol(0, 0, 0, 0, 1, -1, 0, 0, 0, 0),
       State(W::Initially, "", W::Initially, "", O::AfterCleared)},
      // Both exits defined: the warp-out wins.
      {Sol(0, 0, 0, 0, 0, 0, 1, 20, 1, 5),
       State(W::Initially, "", W::Initially, "", O::Never, "", F::WarpOutAfter, "20")},
      {Sol(0, 0, 0, 0, 0, 0, 1, -1, 0, 0),
       State(W::Initially, "", W::Initially, "", O::Never, "", F::WarpOutAfterCleared)},
      {Sol(0, 0, 0, 0, 0, 0, 0, 0, 1, 15),
       State(W::Initially, "", W::Initially, "", O::Never, "", F::JoinEscortAfter, "", "15")},
      {Sol(0, 0, 0, 0, 0, 0, 0, 0, 1, -1),
       State(W::Initially, "", W::Initially, "", O::Never, "", F::JoinEscortAfterCleared)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(OpeningActionsState(c.system), c.expected) << Times(c.system);
}

TEST(ActionsPageLogic, OkStoresInOrderAndStopsAtTheFirstError) {
  const auto early = [](const char* who, const char* what) {
    return WarningEntry(std::string("The ") + who +
                        " time you have specified is less than the warp in time. Under these "
                        "circumstances the script will execute the " +
                        what + " immediately after the warp in!");
  };
  const struct {
    ActionsPageState state;
    bool ok;
    const char* times;
    std::vector<RecordingReporter::Entry> entries;
  } cases[] = {
      // clang-format off
      {{}, true, "- - - - -", {}},
      {State(W::After, ""), false, "1 2 3 4 5",
       {ErrorEntry("You have not specified a warp in time for friends!")}},
      {State(W::After, "10", W::After, ""), false, "10 2 3 4 5",
       {ErrorEntry("You have not specified a warp in time for enemies!")}},
      {State(W::After, "0", W::After, "30", O::After, "10"), true, "0 30 10 - -",
       {WarningEntry(kEnemyEarly)}},
      {State(W::Initially, "", W::After, "30", O::After, "30"), true, "- 30 30 - -", {}},
      {State(W::Initially, "", W::After, "30", O::AfterCleared, "10", F::JoinEscortAfterCleared),
       true, "- 30 -1 - -1", {}},
      {State(W::After, "20", W::Initially, "", O::Never, "", F::WarpOutAfter, "5", "7"), true,
       "20 - - 5 -", {early("friend warp out", "warp out")}},
      {State(W::After, "20", W::Initially, "", O::Never, "", F::JoinEscortAfter, "", "5"), true,
       "20 - - - 5", {early("join escort", "join escort")}},
      {State(W::After, "20", W::Initially, "", O::Never, "", F::WarpOutAfterCleared, "5"), true,
       "20 - - -1 -", {}},
      // The join-escort is lowered before the missing warp-out time is noticed.
      {State(W::Initially, "", W::After, "9", O::After, "8", F::WarpOutAfter, "", "6"), false,
       "- 9 8 4 -", {WarningEntry(kEnemyEarly),
                     ErrorEntry("You have not specified a warp out time for friends!")}},
      {State(W::After, "1", W::After, "2", O::After, "", F::Never), false, "1 2 3 4 5",
       {ErrorEntry("You have not specified a warp out time for enemies!")}},
      {State(W::After, "1", W::After, "2", O::After, "3", F::JoinEscortAfter, "4", ""), false,
       "1 2 3 - 5", {ErrorEntry("You have not specified a join escort time for friends!")}},
      {State(W::After, "99999999999", W::After, "2", O::Never, "", F::Never), true,
       "2147483647 2 - - -", {}},
      // clang-format on
  };
  for (const auto& c : cases) {
    StarSystem s = Sol(1, 1, 1, 2, 1, 3, 1, 4, 1, 5);
    RecordingReporter reporter;
    EXPECT_EQ(ApplyActions(c.state, s, reporter), c.ok) << c.times;
    EXPECT_EQ(Times(s), c.times);
    EXPECT_EQ(reporter.Entries(), c.entries) << c.times;
  }
}

TEST(ActionsPage, OpensWithTheSystemAndCancelChangesNothing) {
  StarSystem s = Sol(1, 30, 0, 0, 1, -1, 0, 0, 1, 15);
  s.Dialogs(DialogEvent::EnemyWarpOutDialog).push_back({"Lead", "Go", "", true, true, true});
  const StarSystem before = s;
  BattleConfig config;
  ScriptedSeam seam;
  seam.Expect("ACTIONBOX", [](QDialog& page) {
    EXPECT_EQ(page.windowTitle(), "Actions of the Friend and Enemy Ships in Sol");
    EXPECT_EQ(Checked(Group(page, "Friend Warp In")), "Warp in after");
    EXPECT_EQ(Checked(Group(page, "Enemy Warp In")), "Initially in the system");
    EXPECT_EQ(Checked(Group(page, "Enemy Warp Out")), "Warp out after cleared");
    EXPECT_EQ(Checked(Group(page, "Friend Warp Out & Escort")), "Join escort after");
    EXPECT_EQ(Group(page, "Friend Warp Out & Escort").title(), "Friend Warp Out && Escort");
    QStringList edits;  // text, and "+" when enabled
    for (const char* edit : {"Friend warp-in time", "Enemy warp-in time", "Enemy warp-out time",
                             "Friend warp-out time", "Join-escort time"}) {
      const auto& line = Find<QLineEdit>(page, edit);
      edits << line.text() + (line.isEnabled() ? "+" : "");
    }
    EXPECT_EQ(edits, (QStringList{"30+", "", "", "", "15+"}));
    Click(page, "Cancel");
  });
  ActionsPage::Run(nullptr, config, s);
  EXPECT_EQ(s, before);
}

TEST(ActionsPage, ChoicesSwitchOnlyTheirOwnEditsAndErrorsKeepThePageOpen) {
  StarSystem s = Sol(1, 7, 0, 0, 0, 0, 0, 0, 0, 0);
  BattleConfig config;
  ScriptedSeam seam;
  seam.Expect("ACTIONBOX",
              [](QDialog& page) {
                auto& friendIn = Group(page, "Friend Warp In");
                auto& exit = Group(page, "Friend Warp Out & Escort");
                auto& inEdit = Find<QLineEdit>(page, "Friend warp-in time");
                auto& outEdit = Find<QLineEdit>(page, "Friend warp-out time");
                auto& joinEdit = Find<QLineEdit>(page, "Join-escort time");
                inEdit.clear();
                QTest::keyClicks(&inEdit, "4x-5 ");  // digits only
                Radio(friendIn, "Initially in the system").click();
                EXPECT_FALSE(inEdit.isEnabled());
                Radio(friendIn, "Warp in after").click();
                EXPECT_TRUE(inEdit.isEnabled());
                EXPECT_EQ(inEdit.text(), "45");
                Radio(exit, "Warp out after").click();
                EXPECT_TRUE(outEdit.isEnabled() && !joinEdit.isEnabled());
                Radio(exit, "Join escort after").click();
                EXPECT_TRUE(!outEdit.isEnabled() && joinEdit.isEnabled());
                Radio(Group(page, "Enemy Warp Out"), "Warp out after").click();
                EXPECT_EQ(Checked(exit), "Join escort after");
                EXPECT_EQ(Checked(Group(page, "Enemy Warp In")), "Initially in the system");
                Click(page, "OK");
                EXPECT_TRUE(page.isVisible());
                Click(page, "Cancel");
              })
      .Expect("ERRORBOX", Refused("You have not specified a warp out time for enemies!"));
  ActionsPage::Run(nullptr, config, s);
  EXPECT_EQ(Times(s), "45 - - - -");  // stored before the error, kept after Cancel
}

TEST(ActionsPage, WarningsAreShownAndOkCloses) {
  StarSystem s = Sol(0, 0, 1, 30, 0, 0, 0, 0, 0, 0);
  BattleConfig config;
  ScriptedSeam seam;
  seam.Expect("ACTIONBOX",
              [](QDialog& page) {
                Radio(Group(page, "Enemy Warp Out"), "Warp out after").click();
                QTest::keyClicks(&Find<QLineEdit>(page, "Enemy warp-out time"), "10");
                Click(page, "OK");
                EXPECT_FALSE(page.isVisible());
              })
      .Expect("MESSAGBOX", Press("Ok"));
  ActionsPage::Run(nullptr, config, s);
  EXPECT_EQ(seam.History().back().title, "Warning");
  EXPECT_EQ(seam.History().back().text, kEnemyEarly);
  EXPECT_EQ(Times(s), "- 30 10 - -");
}

}  // namespace
}  // namespace vk7
