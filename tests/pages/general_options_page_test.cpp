#include "pages/general_options_page.h"

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "pages/options_test_support.h"
#include "widgets/widget_text.h"

namespace vk7 {
namespace {

using namespace test;
using Entry = RecordingReporter::Entry;

BattleConfig Battle() {
  BattleConfig config;
  config.InitNew();
  config.remarks.emplace_back(" my notes");
  config.title = BattleTitle{"Old", {"Part one", "Part two"}, {"t01.acm", ""}, true};
  config.options = BattleOptions{WarpOutMode::Sequential,
                                 CollisionMode::OffForAll,
                                 ShipChangeMode::On,
                                 1,
                                 true,
                                 true,
                                 true,
                                 true};
  return config;
}

TEST(GeneralOptionsLogic, ModesOpenOnTheButtonTheirFlagAndValueSelect) {
  struct Case {
    bool defined;
    std::int32_t value, shown;
  };
  // Ship change, warp out and collisions alike: down or 0 first, 1 second, anything else last.
  for (const Case& c : {Case{false, 2, 0}, Case{true, 0, 0}, Case{true, 1, 1}, Case{true, 2, 2},
                        Case{true, 7, 2}, Case{true, -1, 2}}) {
    BattleConfig config;
    config.options = BattleOptions{static_cast<WarpOutMode>(c.value),
                                   static_cast<CollisionMode>(c.value),
                                   static_cast<ShipChangeMode>(c.value),
                                   c.value,
                                   c.defined,
                                   c.defined,
                                   c.defined,
                                   c.defined};
    const GeneralOptionsState state = OpenGeneralOptions(config);
    EXPECT_EQ((std::vector{static_cast<std::int32_t>(state.shipChange),
                           static_cast<std::int32_t>(state.warpOut),
                           static_cast<std::int32_t>(state.collision)}),
              std::vector<std::int32_t>(3, c.shown))
        << c.value;
    EXPECT_EQ(state.perfectCloak, c.defined && c.value != 0) << c.value;
  }
}

TEST(GeneralOptionsLogic, TitleIsMendedOrDropped) {
  struct Case {
    std::string typed, stored;
    bool defined, hashWarning;
  };
  const std::string fifty(50, 'x');
  for (const Case& c : std::vector<Case>{{"  New title\t", "New title", true, false},
                                         {"A#B", "A*B", true, true},
                                         {" \t ", "Old", false, false},  // the old text stays
                                         {"", "Old", false, false},
                                         {fifty + "yyyyy", fifty, true, false}}) {
    BattleConfig config = Battle();
    GeneralOptionsState state = OpenGeneralOptions(config);
    state.title = c.typed;
    RecordingReporter reporter;
    ASSERT_TRUE(Apply(state, config, reporter));
    EXPECT_EQ(config.title.title, c.stored) << c.typed;
    EXPECT_EQ(config.title.titleDefined, c.defined) << c.typed;
    EXPECT_EQ(reporter.Entries(),
              c.hashWarning ? std::vector{WarningEntry(kTitleHashWarning)} : std::vector<Entry>{});
  }
}

TEST(GeneralOptionsLogic, TitleLinesAreRebuiltAndEachWarningShownOnceInOrder) {
  BattleConfig config = Battle();
  GeneralOptionsState state = OpenGeneralOptions(config);
  state.title = "Fight #1";
  state.titleLines = "[v1.acm]\n" + std::string(201, 'a') + "\r\n\n  [v#2] Act one: Ambush \n[v3]#";
  RecordingReporter reporter;
  ASSERT_TRUE(Apply(state, config, reporter));
  EXPECT_EQ(config.title.titleLines,
            (std::vector<std::string>{std::string(200, 'a'), "Act one: Ambush", "*"}));
  EXPECT_EQ(config.title.titleLineVoices, (std::vector<std::string>{"", "v*2", "v3"}));
  EXPECT_EQ(reporter.Entries(), (std::vector{WarningEntry(kTitleLineWithoutTextWarning),
                                             WarningEntry(kTitleLineTruncatedWarning),
                                             WarningEntry(kTitleHashWarning)}));
}

TEST(GeneralOptionsLogic, RemarksFollowTheHeaderWithoutTrailingBlankLines) {
  const std::string header = kCreatedByRemark;
  struct Case {
    bool hasHeader;
    std::string typed;
    std::vector<std::string> stored;
  };
  for (const Case& c : std::vector<Case>{
           {true, "a\r\n\r\n  b\r\n \t\r\n\r\n", {header, "a", "", "  b"}},
           {true, "\n\n \n", {header}},
           {true, std::string(250, 'r') + "\nlast#", {header, std::string(200, 'r'), "last#"}},
           // Without a header the first remark would be taken for it and vanish from the page.
           {false, "note\n", {header, "note"}},
           {false, "", {}}}) {
    BattleConfig config = Battle();
    if (!c.hasHeader) config.remarks.clear();
    GeneralOptionsState state = OpenGeneralOptions(config);
    state.remarks = c.typed;
    RecordingReporter reporter;
    ASSERT_TRUE(Apply(state, config, reporter));
    EXPECT_EQ(config.remarks, c.stored) << c.typed;
    EXPECT_TRUE(reporter.Entries().empty());
  }
}

TEST(GeneralOptionsLogic, ConfirmingUnchangedRaisesEveryOptionFlagAndKeepsTheRest) {
  BattleConfig config = Battle();
  config.options = BattleOptions{};
  config.options.shipChange = ShipChangeMode::Auto;  // flag down: stored as shown, "Off"
  BattleConfig expected = config;
  expected.options = BattleOptions{
      WarpOutMode::Anytime, CollisionMode::On, ShipChangeMode::Off, 0, true, true, true, true};
  RecordingReporter reporter;
  ASSERT_TRUE(Apply(OpenGeneralOptions(config), config, reporter));
  EXPECT_EQ(config, expected);
  EXPECT_TRUE(reporter.Entries().empty());
}

TEST(GeneralOptionsLogic, OutOfMemoryIsReportedAndLeavesTheBattleAlone) {
  BattleConfig config = Battle();
  const BattleConfig before = config;
  GeneralOptionsState state = OpenGeneralOptions(config);
  state.title = "New #";
  state.remarks = "other";
  state.collision = CollisionMode::Off;
  ExhaustedReporter reporter;
  EXPECT_FALSE(Apply(state, config, reporter));
  EXPECT_EQ(config, before);
  EXPECT_EQ(reporter.Entries(), std::vector{ErrorEntry("Out of memory!")});
}

TEST(GeneralOptionsPage, OpensOnTheBattleAndCancelLeavesItAlone) {
  BattleConfig config = Battle();
  const BattleConfig before = config;
  ScriptedSeam seam;
  seam.Expect("GENERALOPTIONBOX", [](QDialog& page) {
    EXPECT_EQ(page.windowTitle(), "General Options");
    EXPECT_EQ(Find<QLineEdit>(page, "Title").text(), "Old");
    EXPECT_EQ(Find<QPlainTextEdit>(page, "Title Lines").toPlainText(),
              "[t01.acm] Part one\nPart two\n");
    EXPECT_EQ(Find<QPlainTextEdit>(page, "Script Remarks").toPlainText(), " my notes\n");
    EXPECT_EQ(Checked(page, "Ship Change") + Checked(page, "Warp Out") +
                  Checked(page, "Collisions") + Checked(page, "Perfect Cloak"),
              (QStringList{"Manual", "Sequential", "Off for All", "On"}));
    Find<QLineEdit>(page, "Title").setText("Changed");
    Find<QPlainTextEdit>(page, "Title Lines").setPlainText("");
    Find<QPlainTextEdit>(page, "Script Remarks").setPlainText("x");
    Toggle(page, "Warp Out", "Anytime");
    Click(page, "Cancel");
  });
  GeneralOptionsPage::Run(nullptr, config);
  EXPECT_EQ(config, before);
}

TEST(GeneralOptionsPage, OkStoresThePageAndWarnsInOrder) {
  BattleConfig config = Battle();
  ScriptedSeam seam;
  seam.Expect("GENERALOPTIONBOX",
              [](QDialog& page) {
                auto& title = Find<QLineEdit>(page, "Title");
                title.clear();
                QTest::keyClicks(&title, "  Raid #2 ");
                Find<QPlainTextEdit>(page, "Title Lines")
                    .setPlainText("[t01.acm] Part one\n[t02.acm]\n\n" + QString(205, 'z'));
                Find<QPlainTextEdit>(page, "Script Remarks").setPlainText("one\n\n  two\n\n \n");
                // "Off" and "On" stand in two groups each; every group is exclusive on its own.
                Toggle(page, "Ship Change", "Off");
                Toggle(page, "Collisions", "Off for Player");
                Toggle(page, "Perfect Cloak", "Off");
                Toggle(page, "Warp Out", "When Cleared");
                EXPECT_EQ(Checked(page, "Ship Change") + Checked(page, "Collisions"),
                          (QStringList{"Off", "Off for Player"}));
                Click(page, "Ok");
              })
      .Expect("MESSAGBOX", Warned(kTitleLineWithoutTextWarning))
      .Expect("MESSAGBOX", Warned(kTitleLineTruncatedWarning))
      .Expect("MESSAGBOX", Warned(kTitleHashWarning));
  GeneralOptionsPage::Run(nullptr, config);
  EXPECT_EQ(config.title,
            (BattleTitle{"Raid *2", {"Part one", std::string(200, 'z')}, {"t01.acm", ""}, true}));
  EXPECT_EQ(config.remarks, (std::vector<std::string>{kCreatedByRemark, "one", "", "  two"}));
  EXPECT_EQ(config.options, (BattleOptions{WarpOutMode::WhenCleared, CollisionMode::Off,
                                           ShipChangeMode::Off, 0, true, true, true, true}));
}

TEST(GeneralOptionsPage, TitleTakesFiftyCharactersAndOnlyWindows1252) {
  BattleConfig config = Battle();
  ScriptedSeam seam;
  seam.Expect("GENERALOPTIONBOX",
              [](QDialog& page) {
                auto& title = Find<QLineEdit>(page, "Title");
                title.clear();
                title.insert(QString::fromUtf8("\u03A9"));  // beyond what key clicks can type
                QTest::keyClicks(&title, QString(60, 'x'));
                EXPECT_EQ(title.text().size(), 50);
                Click(page, "Ok");
              })
      .Expect("MESSAGBOX", Warned(kReplacedCharactersWarning));
  GeneralOptionsPage::Run(nullptr, config);
  EXPECT_EQ(config.title.title, "?" + std::string(49, 'x'));
}

}  // namespace
}  // namespace vk7
