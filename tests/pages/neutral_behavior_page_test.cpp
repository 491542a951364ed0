#include "pages/neutral_behavior_page.h"

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QTest>

#include "pages/action_pages_support.h"
#include "pages/neutral_behavior_page_logic.h"

namespace vk7 {
namespace {

using namespace test;
using B = NeutralBehavior;
using W = WarpInChoice;
using O = WarpOutChoice;

const char* const kNoBehaviorTime = "You have not specified a time for the behavior change!";
const char* const kWarpOutEarly =
    "The neutral warp out time you have specified is less than the warp in time. Under these "
    "circumstances the script will execute the warp out immediately after the warp in!";
const char* const kBehaviorEarly =
    "The time for the behavior change you have specified is less than the warp in time. Under "
    "these circumstances the script will execute the behavior change immediately after the "
    "warp in!";

NeutralBehaviorPageState State(W warpIn, std::string warpInTime, O warpOut = O::Never,
                               std::string warpOutTime = "", B behavior = B::EnemyWhenAttacked,
                               std::string behaviorTime = "") {
  return {warpIn, warpInTime, warpOut, warpOutTime, behavior, behaviorTime};
}

// "in out behaviour/time", "-" where undefined.
std::string Settings(const StarSystem& s) {
  const auto value = [](bool defined, std::int32_t v) { return defined ? std::to_string(v) : "-"; };
  return value(s.neutralWarpInDefined, s.neutralWarpInAfter) + " " +
         value(s.neutralWarpOutDefined, s.neutralWarpOutAfter) + " " +
         value(s.neutralBehaviorDefined, static_cast<std::int32_t>(s.neutralBehavior)) + "/" +
         value(s.neutralBehaviorTimeDefined, s.neutralBehaviorTime);
}

StarSystem Sol(bool in, int inT, bool out, int outT, bool beh, int behavior, bool time, int timeT) {
  StarSystem s;
  s.name = "Sol";
  s.neutralWarpInDefined = in, s.neutralWarpInAfter = inT;
  s.neutralWarpOutDefined = out, s.neutralWarpOutAfter = outT;
  s.neutralBehaviorDefined = beh, s.neutralBehavior = static_cast<B>(behavior);
  s.neutralBehaviorTimeDefined = time, s.neutralBehaviorTime = timeT;
  return s;
}

TEST(NeutralBehaviorPageLogic, OpeningStateFollowsTheFlags) {
  const struct {
    StarSystem system;
    NeutralBehaviorPageState expected;
  } cases[] = {
      {Sol(0, 9, 0, 9, 0, 2, 1, 9), {}},
      {Sol(0, 0, 0, 0, 1, 1, 1, 25), State(W::Initially, "", O::Never, "", B::EnemyAfter, "25")},
      {Sol(0, 0, 0, 0, 1, 3, 1, 25), State(W::Initially, "", O::Never, "", B::Random)},
      {Sol(0, 0, 0, 0, 1, 7, 0, 0), State(W::Initially, "", O::Never, "", B::Random)},
      {Sol(1, 60, 1, 0, 0, 0, 0, 0), State(W::After, "60", O::After, "0")},
      {Sol(0, 0, 1, -1, 0, 0, 0, 0), State(W::Initially, "", O::AfterCleared)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OpeningNeutralBehaviorState(c.system), c.expected) << Settings(c.system);
  }
}

TEST(NeutralBehaviorPageLogic, OkStoresInOrderAndStopsAtTheFirstError) {
  const struct {
    NeutralBehaviorPageState state;
    bool ok;
    const char* settings;
    std::vector<RecordingReporter::Entry> entries;
  } cases[] = {
      // clang-format off
      {State(W::After, ""), false, "- - 2/40",
       {ErrorEntry("You have not specified a warp in time!")}},
      {State(W::After, "5", O::After, ""), false, "5 - 2/40",
       {ErrorEntry("You have not specified a warp out time!")}},
      // "Random" keeps the old time; "after cleared" never warns.
      {State(W::After, "100", O::AfterCleared, "", B::Random), true, "100 -1 3/40", {}},
      {State(W::After, "60", O::After, "30", B::EnemyAfter, "10"), true, "60 30 1/10",
       {WarningEntry(kWarpOutEarly), WarningEntry(kBehaviorEarly)}},
      {State(W::After, "60", O::Never, "", B::FriendAfter, "60"), true, "60 - 2/60", {}},
      {State(W::Initially, "", O::Never, "", B::EnemyWhenAttacked), true, "- - 0/40", {}},
      // clang-format on
  };
  for (const auto& c : cases) {
    StarSystem s = Sol(0, 0, 0, 0, 1, 2, 1, 40);
    RecordingReporter reporter;
    EXPECT_EQ(ApplyNeutralBehavior(c.state, s, reporter), c.ok) << c.settings;
    EXPECT_EQ(Settings(s), c.settings);
    EXPECT_EQ(reporter.Entries(), c.entries) << c.settings;
  }
  // The behaviour is stored before its missing time is noticed.
  StarSystem s = Sol(0, 0, 0, 0, 0, 0, 0, 0);
  RecordingReporter reporter;
  EXPECT_FALSE(
      ApplyNeutralBehavior(State(W::Initially, "", O::Never, "", B::EnemyAfter, ""), s, reporter));
  EXPECT_EQ(Settings(s), "- - 1/-");
  EXPECT_EQ(reporter.Entries(), std::vector{ErrorEntry(kNoBehaviorTime)});
}

TEST(NeutralBehaviorPage, OpensWithTheSystemAndCancelChangesNothing) {
  StarSystem s = Sol(0, 0, 1, -1, 1, 2, 1, 40);
  const StarSystem before = s;
  BattleConfig config;
  ScriptedSeam seam;
  seam.Expect("NBEHAVIORBOX", [](QDialog& page) {
    EXPECT_EQ(page.windowTitle(), "Actions and Behavior of the Neutral Ships in Sol");
    EXPECT_EQ(Checked(Group(page, "Neutral Warp In")), "Initially in the system");
    EXPECT_EQ(Checked(Group(page, "Neutral Warp Out")), "Warp out after cleared");
    EXPECT_EQ(Checked(Group(page, "Neutrall Behavior")), "Friend after");
    EXPECT_FALSE(Find<QLineEdit>(page, "Warp-in time").isEnabled() ||
                 Find<QLineEdit>(page, "Warp-out time").isEnabled());
    EXPECT_TRUE(Find<QLineEdit>(page, "Behavior time").isEnabled());
    EXPECT_EQ(Find<QLineEdit>(page, "Behavior time").text(), "40");
    Click(page, "Cancel");
  });
  NeutralBehaviorPage::Run(nullptr, config, s);
  EXPECT_EQ(s, before);
}

TEST(NeutralBehaviorPage, BehaviourChoicesShareOneTimeEditAndErrorsKeepThePageOpen) {
  StarSystem s = Sol(0, 0, 0, 0, 0, 0, 0, 0);
  BattleConfig config;
  ScriptedSeam seam;
  seam.Expect("NBEHAVIORBOX",
              [](QDialog& page) {
                auto& group = Group(page, "Neutrall Behavior");
                auto& time = Find<QLineEdit>(page, "Behavior time");
                EXPECT_EQ(Checked(group), "Enemy when attacked");
                EXPECT_FALSE(time.isEnabled());
                Radio(group, "Friend after").click();
                Click(page, "OK");
                EXPECT_TRUE(page.isVisible());
                Radio(group, "Enemy after").click();
                EXPECT_TRUE(time.isEnabled());
                QTest::keyClicks(&time, "1a5");
                Radio(group, "Random").click();
                EXPECT_FALSE(time.isEnabled());
                Radio(group, "Friend after").click();
                EXPECT_EQ(time.text(), "15");
                Radio(Group(page, "Neutral Warp Out"), "Warp out after").click();
                QTest::keyClicks(&Find<QLineEdit>(page, "Warp-out time"), "90");
                EXPECT_EQ(Checked(group), "Friend after");
                EXPECT_EQ(Checked(Group(page, "Neutral Warp In")), "Initially in the system");
                Click(page, "OK");
              })
      .Expect("ERRORBOX", [&s](QDialog& box) {
        EXPECT_EQ(box.windowTitle(), "Error");
        EXPECT_EQ(MessageText(box), kNoBehaviorTime);
        EXPECT_EQ(Settings(s), "- - 2/-");  // the behaviour counts already
        Click(box, "Cancel");
      });
  NeutralBehaviorPage::Run(nullptr, config, s);
  EXPECT_EQ(Settings(s), "- 90 2/15");
}

}  // namespace
}  // namespace vk7
