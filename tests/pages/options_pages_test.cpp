// The general and system options pages: what they show and store of values the battle file
// cannot hold, out of memory, and how the widgets are wired.
#include <gtest/gtest.h>
#include <QAccessible>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <new>

#include "pages/dialog_lines_box_logic.h"
#include "pages/general_options_page.h"
#include "pages/general_options_page_logic.h"
#include "pages/page_test_support.h"
#include "pages/system_options_page.h"
#include "pages/system_options_page_logic.h"
#include "widgets/widget_text.h"

namespace vk7 {
namespace {

using namespace test;
using Lines = std::vector<DialogLine>;

// A mode whose flag is down opens on the first button, a value outside the named ones on the
// last; a warp-disable box shows its flag, and a checked box stores 1.
TEST(OptionsLogic, ModesFlagsAndValuesTheFileCannotHold) {
  for (const auto& [defined, value, shown] :
       {std::tuple{false, 2, 0}, {true, 1, 1}, {true, 7, 2}, {true, -1, 2}}) {
    BattleConfig config;
    BattleOptions& o = config.options;
    o = {WarpOutMode(value), CollisionMode(value), ShipChangeMode(value), value};
    o.warpOutDefined = o.collisionDefined = o.shipChangeDefined = o.perfectCloakDefined = defined;
    const GeneralOptionsState s = OpenGeneralOptions(config);
    EXPECT_EQ((std::vector{static_cast<int>(s.shipChange), static_cast<int>(s.warpOut),
                           static_cast<int>(s.collision), s.perfectCloak ? 1 : 0}),
              (std::vector{shown, shown, shown, defined && value != 0 ? 1 : 0}))
        << value;
  }
  StarSystem s = System("Sol");
  s.battleMode = static_cast<BattleMode>(5);
  s.battleModeDefined = s.warpDisableFriendDefined = s.warpDisableEnemy = true;
  s.warpDisableNeutralDefined = true;
  SystemOptionsState state = OpenSystemOptions(s);
  EXPECT_EQ(state.battleMode, BattleMode::Stat);
  EXPECT_EQ(state.warpDisableFriend + 2 * state.warpDisableEnemy + 4 * state.warpDisableNeutral +
                8 * state.warpDisablePlayer,
            5);
  state.warpDisablePlayer = true;
  state.warpDisableFriend = false;
  RecordingReporter reporter;
  ASSERT_TRUE(Apply(state, s, reporter));
  EXPECT_EQ(
      (std::vector{s.warpDisablePlayer, s.warpDisablePlayerDefined, s.warpDisableFriend,
                   s.warpDisableFriendDefined, s.warpDisableEnemy, s.warpDisableEnemyDefined}),
      (std::vector{true, true, false, false, true, false}));
}

// Runs out of memory while the first message is being shown.
class ExhaustedReporter : public RecordingReporter {
  bool exhausted_ = false;

 protected:
  void OnMessage(const std::string& title, const std::string& text) override {
    if (!std::exchange(exhausted_, true)) throw std::bad_alloc();
    RecordingReporter::OnMessage(title, text);
  }
};

// Out of memory on the first warning stores nothing: of the options, or of either dialog list.
TEST(OptionsLogic, OutOfMemoryIsReportedAndStoresNothing) {
  BattleConfig config;
  config.title.title = "Old";
  config.systems = {System("Sol")};
  const BattleConfig before = config;
  GeneralOptionsState general = OpenGeneralOptions(config);
  general.title = "New #";
  general.remarks = "other";
  general.collision = CollisionMode::Off;
  SystemOptionsState system = OpenSystemOptions(config.systems[0]);
  system.stardate = "77";
  system.warpDisableNeutral = true;
  system.endingDialogs = "no speaker";
  Lines upper = {Line("A", "b")}, lower = {Line("C", "d")};
  for (int page = 0; page < 3; ++page) {
    ExhaustedReporter reporter;
    EXPECT_FALSE(page == 0 ? Apply(general, config, reporter)
                 : page == 1
                     ? Apply(system, config.systems[0], reporter)
                     : StoreDialogLists({{"Wing: Copy", upper}, {"no speaker", lower}}, reporter));
    EXPECT_EQ(reporter.Entries(), std::vector{ErrorEntry("Out of memory!")});
  }
  EXPECT_EQ(config, before);
  EXPECT_EQ(upper, Lines{Line("A", "b")});
  EXPECT_EQ(lower, Lines{Line("C", "d")});
}

QString Text(QDialog& page, const QString& edit) {
  return Find<QPlainTextEdit>(page, edit).toPlainText();
}

// Each page shows the battle, keeps a refused "Ok" open and stores what it decided.
TEST(OptionsPages, ShowTheBattleAndStoreOnOk) {
  auto read = test_support::ReadBattleLines(
      {"Player = DD", "Title = Old", "TitleLine = [t01.acm] Part one", "TitleLine = Part two",
       "WarpOut = Sequential", "Collision = OffForAll", "ShipChange = On", "PerfectCloak = On",
       "System = Sol", "Stardate = -5", "WarpDisable = Player",
       "StartingDialog = [p01.acm] Pilot: Engage now", "EndingDialog = Wing: Done",
       "BattleMode = Stat"});
  BattleConfig& config = read.config;
  config.remarks = {" header", " my notes"};
  const QStringList general = {"Ship Change", "Warp Out", "Collisions", "Perfect Cloak"};
  const QStringList system = {"Battle Mode", "Warp Disable"};
  ScriptedSeam seam;
  seam.Expect("GENERALOPTIONBOX",
              [&](QDialog& page) {
                EXPECT_EQ(page.windowTitle(), "General Options");
                auto& title = Find<QLineEdit>(page, "Title");
                // The label names the edit to assistive tools.
                const auto labels =
                    QAccessible::queryAccessibleInterface(&title)->relations(QAccessible::Label);
                EXPECT_EQ(labels.size(), 1);
                EXPECT_EQ(title.text() + Text(page, "Title Lines") + Text(page, "Script Remarks"),
                          "Old[t01.acm] Part one\nPart two\n my notes\n");
                EXPECT_EQ(Checked(page, general), "Manual, Sequential, Off for All, On");
                title.setText(QString::fromUtf8("\u03A9"));  // beyond what key clicks can type
                QTest::keyClicks(&title, "  Raid" + QString(60, 'x'));
                EXPECT_EQ(title.text().size(), 50);
                Find<QPlainTextEdit>(page, "Title Lines").setPlainText("x");
                Find<QPlainTextEdit>(page, "Script Remarks").setPlainText("one\n\n");
                // "Off" and "On" stand in two groups each; every group is exclusive on its own.
                Choose(page, "Ship Change", "Off");
                Choose(page, "Collisions", "Off for Player");
                Choose(page, "Perfect Cloak", "Off");
                Choose(page, "Warp Out", "When Cleared");
                EXPECT_EQ(Checked(page, general), "Off, When Cleared, Off for Player, Off");
                Click(page, "Ok");
              })
      .Expect("MESSAGBOX", Warned(kReplacedCharactersWarning));
  seam.Expect("SYSTEMOPTIONBOX",
              [&](QDialog& page) {
                EXPECT_EQ(page.windowTitle(), "Sol Options");
                auto& stardate = Find<QLineEdit>(page, "Stardate");
                EXPECT_EQ(
                    stardate.text() + Text(page, "Starting Dialogs") + Text(page, "Ending Dialogs"),
                    "-5[p01.acm] Pilot: Engage now\nWing: Done\n");
                EXPECT_EQ(Checked(page, system), "Statistic, Player");
                Choose(page, "Battle Mode", "AI");
                Choose(page, "Warp Disable", "Player");
                Choose(page, "Warp Disable", "Enemy");
                EXPECT_EQ(Checked(page, system), "AI, Enemy");
                stardate.setText("99999999999");
                Click(page, "Ok");
                EXPECT_TRUE(page.isVisible());
                stardate.setText("4711");
                Find<QPlainTextEdit>(page, "Starting Dialogs").setPlainText("No speaker");
                Find<QPlainTextEdit>(page, "Ending Dialogs").setPlainText("");
                Click(page, "Ok");
              })
      .Expect("ERRORBOX", Refused(kStardateRangeError))
      .Expect("MESSAGBOX", Warned("At least one dialog line had no speaker definition. Default "
                                  "speaker inserted."));
  GeneralOptionsPage::Run(nullptr, config);
  SystemOptionsPage::Run(nullptr, config, config.systems[0]);
  EXPECT_TRUE(seam.Done());
  EXPECT_EQ(config.remarks, (std::vector<std::string>{" header", "one"}));
  EXPECT_EQ(test_support::WrittenValues(config),
            (std::vector<std::string>{"Title = ?  Raid" + std::string(43, 'x'), "TitleLine = x",
                                      "Player = DD", "WarpOut = WhenCleared", "Collision = Off",
                                      "ShipChange = Off", "PerfectCloak = Off", "System = Sol",
                                      "Stardate = 4711", "StartingDialog = Speaker: No speaker",
                                      "WarpDisable = Enemy", "BattleMode = AI"}));
}

}  // namespace
}  // namespace vk7
