#include "pages/system_options_page.h"

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "pages/options_test_support.h"

namespace vk7 {
namespace {

using namespace test;
using Entry = RecordingReporter::Entry;

StarSystem Sol() {
  StarSystem sol = System("Sol");
  sol.stardate = -5;
  sol.stardateDefined = true;
  sol.battleMode = BattleMode::Stat;
  sol.battleModeDefined = true;
  sol.warpDisablePlayerDefined = true;  // flag up, value 0: shown checked
  sol.warpDisableFriend = true;         // value without flag: shown unchecked
  sol.Dialogs(DialogEvent::StartingDialog) = {Line("Pilot", "Engage now", "p01.acm")};
  sol.Dialogs(DialogEvent::EndingDialog) = {Line("Wing", "Done")};
  return sol;
}

TEST(SystemOptionsLogic, BattleModeIsStatisticOnlyWhenDefinedAndNotAIAndAlwaysStored) {
  struct Case {
    bool defined;
    std::int32_t value;
    BattleMode shown;
  };
  for (const Case& c : {Case{false, 1, BattleMode::AI}, Case{true, 0, BattleMode::AI},
                        Case{true, 1, BattleMode::Stat}, Case{true, 5, BattleMode::Stat}}) {
    StarSystem system = Sol();
    system.battleMode = static_cast<BattleMode>(c.value);
    system.battleModeDefined = c.defined;
    StarSystem expected = system;
    expected.battleMode = c.shown;
    expected.battleModeDefined = true;
    expected.warpDisablePlayer = true;  // its box showed checked, and a checked box stores 1
    const SystemOptionsState state = OpenSystemOptions(system);
    EXPECT_EQ(state.battleMode, c.shown) << c.value;
    RecordingReporter reporter;
    ASSERT_TRUE(Apply(state, system, reporter));
    EXPECT_EQ(system, expected) << c.value;  // nothing else changes when nothing was touched
  }
}

TEST(SystemOptionsLogic, WarpDisableStoresOneOrOnlyLowersTheFlag) {
  struct Case {
    bool checked, oldValue, oldFlag, value, flag;
  };
  for (const Case& c : {Case{true, false, false, true, true}, Case{false, true, true, true, false},
                        Case{false, false, true, false, false}}) {
    StarSystem s = Sol();
    s.warpDisablePlayer = s.warpDisableFriend = s.warpDisableEnemy = s.warpDisableNeutral =
        c.oldValue;
    s.warpDisablePlayerDefined = s.warpDisableFriendDefined = s.warpDisableEnemyDefined =
        s.warpDisableNeutralDefined = c.oldFlag;
    SystemOptionsState state = OpenSystemOptions(s);
    state.warpDisablePlayer = state.warpDisableFriend = state.warpDisableEnemy =
        state.warpDisableNeutral = c.checked;
    RecordingReporter reporter;
    ASSERT_TRUE(Apply(state, s, reporter));
    EXPECT_EQ((std::vector{s.warpDisablePlayer, s.warpDisableFriend, s.warpDisableEnemy,
                           s.warpDisableNeutral}),
              std::vector<bool>(4, c.value));
    EXPECT_EQ((std::vector{s.warpDisablePlayerDefined, s.warpDisableFriendDefined,
                           s.warpDisableEnemyDefined, s.warpDisableNeutralDefined}),
              std::vector<bool>(4, c.flag));
  }
}

TEST(SystemOptionsLogic, StardateIsReadOrRefusedWhenItDoesNotFit) {
  struct Case {
    std::string typed;
    bool accepted, defined;
    std::int32_t stored;
  };
  for (const Case& c : std::vector<Case>{
           {"", true, false, -5},  // only the flag is lowered
           {"0000000000042", true, true, 42},
           {"12abc", true, true, 12},
           {"2147483647", true, true, INT32_MAX},
           {"-2147483648", true, true, INT32_MIN},
           {std::string(254, '0') + "7", true, true, 0},  // only 254 characters are read
           {"2147483648", false, true, -5},
           {"-2147483649", false, true, -5},
           {std::string(300, '9'), false, true, -5}}) {
    StarSystem system = Sol();
    const StarSystem before = system;
    SystemOptionsState state = OpenSystemOptions(system);
    state.stardate = c.typed;
    state.battleMode = BattleMode::AI;
    state.startingDialogs = "no speaker";
    RecordingReporter reporter;
    EXPECT_EQ(Apply(state, system, reporter), c.accepted) << c.typed;
    EXPECT_EQ(system.stardateDefined, c.defined) << c.typed;
    EXPECT_EQ(system.stardate, c.stored) << c.typed;
    if (!c.accepted) {  // refused before anything is stored or any warning is shown
      EXPECT_EQ(system, before) << c.typed;
      EXPECT_EQ(reporter.Entries(), std::vector{ErrorEntry(kStardateRangeError)});
    }
  }
}

TEST(SystemOptionsLogic, BothDialogEditsShareOneSetOfWarnings) {
  StarSystem system = Sol();
  SystemOptionsState state = OpenSystemOptions(system);
  state.startingDialogs =
      "No speaker\n\n[a#.acm] Pilot: Go\nPilot:\n" + std::string(41, 's') + ": x";
  state.endingDialogs = "Nor here\r\n[v.acm]\r\n";
  RecordingReporter reporter;
  ASSERT_TRUE(Apply(state, system, reporter));
  EXPECT_EQ(system.Dialogs(DialogEvent::StartingDialog),
            (std::vector{Line("Speaker", "No speaker"), Line("Pilot", "Go", "a*.acm"),
                         Line(std::string(40, 's'), "x")}));
  EXPECT_EQ(system.Dialogs(DialogEvent::EndingDialog), (std::vector{Line("Speaker", "Nor here")}));
  ASSERT_EQ(reporter.Entries().size(), 4u);
  EXPECT_EQ(reporter.Entries()[0], WarningEntry("At least one speaker or dialog line was longer "
                                                "than allowed. Object has been truncated."));
  EXPECT_EQ(reporter.Entries()[3],
            WarningEntry("At least one dialog line contained a speaker or voice file, but no "
                         "text. Line has been removed."));
}

TEST(SystemOptionsLogic, OutOfMemoryIsReportedAndLeavesTheSystemAlone) {
  StarSystem system = Sol();
  const StarSystem before = system;
  SystemOptionsState state = OpenSystemOptions(system);
  state.stardate = "77";
  state.warpDisableNeutral = true;
  state.endingDialogs = "no speaker";
  ExhaustedReporter reporter;
  EXPECT_FALSE(Apply(state, system, reporter));
  EXPECT_EQ(system, before);
  EXPECT_EQ(reporter.Entries(), std::vector{ErrorEntry("Out of memory!")});
}

TEST(SystemOptionsPage, OpensOnTheSystemAndCancelLeavesItAlone) {
  BattleConfig config;
  config.systems.push_back(Sol());
  const BattleConfig before = config;
  ScriptedSeam seam;
  seam.Expect("SYSTEMOPTIONBOX", [](QDialog& page) {
    EXPECT_EQ(page.windowTitle(), "Sol Options");
    EXPECT_EQ(Find<QLineEdit>(page, "Stardate").text(), "-5");
    EXPECT_EQ(Checked(page, "Battle Mode") + Checked(page, "Warp Disable"),
              (QStringList{"Statistic", "Player"}));
    EXPECT_EQ(Find<QPlainTextEdit>(page, "Starting Dialogs").toPlainText(),
              "[p01.acm] Pilot: Engage now\n");
    EXPECT_EQ(Find<QPlainTextEdit>(page, "Ending Dialogs").toPlainText(), "Wing: Done\n");
    Toggle(page, "Battle Mode", "AI");
    Toggle(page, "Warp Disable", "Neutral");
    Find<QLineEdit>(page, "Stardate").setText("1");
    Find<QPlainTextEdit>(page, "Ending Dialogs").setPlainText("");
    Click(page, "Cancel");
  });
  SystemOptionsPage::Run(nullptr, config, config.systems[0]);
  EXPECT_EQ(config, before);
}

TEST(SystemOptionsPage, OkStoresThePageWithOneSetOfWarnings) {
  BattleConfig config;
  config.systems.push_back(Sol());
  ScriptedSeam seam;
  seam.Expect("SYSTEMOPTIONBOX",
              [](QDialog& page) {
                Toggle(page, "Battle Mode", "AI");
                EXPECT_EQ(Checked(page, "Battle Mode"), QStringList{"AI"});
                Toggle(page, "Warp Disable", "Player");
                Toggle(page, "Warp Disable", "Enemy");
                auto& stardate = Find<QLineEdit>(page, "Stardate");
                stardate.clear();
                QTest::keyClicks(&stardate, "47a-1 1");  // only digits get in
                EXPECT_EQ(stardate.text(), "4711");
                Find<QPlainTextEdit>(page, "Starting Dialogs")
                    .setPlainText("No speaker\n\n[p02.acm] Lead: Go");
                Find<QPlainTextEdit>(page, "Ending Dialogs").setPlainText("Nor here\nWing:");
                Click(page, "Ok");
              })
      .Expect("MESSAGBOX",
              Warned("At least one dialog line had no speaker definition. Default speaker "
                     "inserted."))
      .Expect("MESSAGBOX", Warned("At least one dialog line contained a speaker or voice file, "
                                  "but no text. Line has been removed."));
  StarSystem& sol = config.systems[0];
  SystemOptionsPage::Run(nullptr, config, sol);
  EXPECT_TRUE(seam.Done());
  EXPECT_EQ(sol.battleMode, BattleMode::AI);
  EXPECT_FALSE(sol.warpDisablePlayerDefined);
  EXPECT_TRUE(sol.warpDisableEnemy && sol.warpDisableEnemyDefined);
  EXPECT_EQ(sol.stardate, 4711);
  EXPECT_EQ(sol.Dialogs(DialogEvent::StartingDialog),
            (std::vector{Line("Speaker", "No speaker"), Line("Lead", "Go", "p02.acm")}));
  EXPECT_EQ(sol.Dialogs(DialogEvent::EndingDialog), (std::vector{Line("Speaker", "Nor here")}));
}

TEST(SystemOptionsPage, AStardateBeyondThirtyTwoBitsKeepsThePageOpen) {
  BattleConfig config;
  config.systems.push_back(Sol());
  const BattleConfig before = config;
  ScriptedSeam seam;
  seam.Expect("SYSTEMOPTIONBOX",
              [](QDialog& page) {
                auto& stardate = Find<QLineEdit>(page, "Stardate");
                stardate.clear();
                QTest::keyClicks(&stardate, "99999999999");
                Click(page, "Ok");
                EXPECT_TRUE(page.isVisible());
                EXPECT_EQ(stardate.text(), "99999999999");
                Click(page, "Cancel");
              })
      .Expect("ERRORBOX", Refused(kStardateRangeError));
  SystemOptionsPage::Run(nullptr, config, config.systems[0]);
  EXPECT_EQ(config, before);
}

}  // namespace
}  // namespace vk7
