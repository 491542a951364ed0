#include "pages/general_page.h"

#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "pages/page_test_support.h"

namespace vk7 {
namespace {

using namespace test;

// "Br\xe9" is a Windows-1252 "é": rows cross into the widgets converted.
const ShipCatalog kShips =
    CatalogFrom<ShipCatalog>("Heavy Cruiser=HC1\nDestroyer=DD\nScout=SC\nBr\xe9ka=BRK\n");

QListWidget& List(QDialog& page, const char* label) {
  return Find<QListWidget>(page, label);
}

// The labels of the buttons that can be pressed; "Options" and "Cancel" always can.
QStringList Enabled(QDialog& page) {
  QStringList enabled;
  for (const char* label : {"Select -->", "Add -->", "Remove <--", "Next -->", "Finish"}) {
    if (Button(page, label).isEnabled()) enabled << label;
  }
  EXPECT_TRUE(Button(page, "Options").isEnabled() && Button(page, "Cancel").isEnabled());
  return enabled;
}

TEST(GeneralPage, NewBattleOpensEmptyAndSelectEnablesNext) {
  BattleConfig config;
  config.name = "Alpha";
  ScriptedSeam seam;
  seam.Expect("GENERALBOX", [](QDialog& page) {
    EXPECT_EQ(page.windowTitle(), "Battle Configuration <Alpha>  -  General Parameters");
    EXPECT_EQ(Rows(List(page, "Available Ships")),
              (QStringList{"HC1   (Heavy Cruiser)", "DD   (Destroyer)", "SC   (Scout)",
                           QString::fromUtf8("BRK   (Br\u00e9ka)")}));
    EXPECT_EQ(List(page, "Player Ship").count() + List(page, "Escort").count(), 0);
    EXPECT_EQ(Find<QLabel>(page, "escortHint").text(), "(Double click to set/edit ship name)");
    EXPECT_EQ(Enabled(page), QStringList{});
    SelectRow(List(page, "Available Ships"), 1);
    EXPECT_EQ(Enabled(page), (QStringList{"Select -->", "Add -->"}));
    Click(page, "Select -->");
    EXPECT_EQ(Rows(List(page, "Player Ship")), QStringList{"DD"});
    // "Finish" waits for a system and the next opening.
    EXPECT_EQ(Enabled(page), (QStringList{"Select -->", "Add -->", "Next -->"}));
    List(page, "Available Ships").clearSelection();
    EXPECT_EQ(Enabled(page), QStringList{"Next -->"});
    Click(page, "Next -->");
  });
  EXPECT_EQ(GeneralPage::Run(nullptr, config, kShips), PageResult::Next);
  EXPECT_EQ(config.player, Ship("DD"));
}

// The options box, cancelled, changes nothing; a new class keeps the player's name.
TEST(GeneralPage, OpensWithTheBattlesShipsAndANewClassKeepsThePlayersName) {
  BattleConfig config;
  config.name = "Beta";
  config.player = Ship("HC1", "Endeavour");
  config.escorts = {Ship("SC"), Ship("SC", "Hawk")};
  config.systems = {System("Sol")};
  BattleConfig expected = config;
  expected.player.shipClass = "BRK";
  ScriptedSeam seam;
  seam.Expect("GENERALBOX",
              [](QDialog& page) {
                EXPECT_EQ(Rows(List(page, "Player Ship")), QStringList{"HC1 --> Endeavour"});
                EXPECT_EQ(Rows(List(page, "Escort")), (QStringList{"SC", "SC --> Hawk"}));
                EXPECT_EQ(Enabled(page), (QStringList{"Next -->", "Finish"}));
                Click(page, "Options");
                EXPECT_TRUE(page.isVisible());
                SelectRow(List(page, "Available Ships"), 3);
                Click(page, "Select -->");
                EXPECT_EQ(Rows(List(page, "Player Ship")), QStringList{"BRK --> Endeavour"});
                Click(page, "Next -->");
              })
      .Expect("GENERALOPTIONBOX", Press("Cancel"));
  EXPECT_EQ(GeneralPage::Run(nullptr, config, kShips), PageResult::Next);
  EXPECT_EQ(config, expected);
}

TEST(GeneralPage, AddsAndRemovesEscorts) {
  BattleConfig config;
  config.player = Ship("DD");
  ScriptedSeam seam;
  seam.Expect("GENERALBOX", [&config](QDialog& page) {
    QListWidget& available = List(page, "Available Ships");
    QListWidget& escort = List(page, "Escort");
    SelectRow(available, 2);
    Click(page, "Add -->");
    Click(page, "Add -->");
    SelectRow(available, 0);
    Click(page, "Add -->");
    EXPECT_EQ(Rows(escort), (QStringList{"SC", "SC", "HC1"}));
    EXPECT_EQ(config.escorts, (std::vector<ShipEntry>{Ship("SC"), Ship("SC"), Ship("HC1")}));
    EXPECT_FALSE(Button(page, "Remove <--").isEnabled());
    SelectRow(escort, 1);
    EXPECT_TRUE(Button(page, "Remove <--").isEnabled());
    Click(page, "Remove <--");
    EXPECT_EQ(Rows(escort), (QStringList{"SC", "HC1"}));
    EXPECT_EQ(SelectedRow(escort), -1);
    // The catalog selection is left as it was.
    EXPECT_EQ(Enabled(page), (QStringList{"Select -->", "Add -->", "Next -->"}));
    SelectRow(escort, 0);
    Click(page, "Remove <--");
    EXPECT_EQ(Rows(escort), QStringList{"HC1"});
    Click(page, "Next -->");
  });
  EXPECT_EQ(GeneralPage::Run(nullptr, config, kShips), PageResult::Next);
  EXPECT_EQ(config.escorts, std::vector<ShipEntry>{Ship("HC1")});
}

TEST(GeneralPage, DoubleClicksNameTheShipsAndATakenNameChangesNothing) {
  BattleConfig config;
  config.player = Ship("DD");
  config.escorts = {Ship("SC"), Ship("HC1", "Hawk")};
  config.systems = {System("Sol"), System("Vega"), System("Keth")};
  config.systems[2].friends = {Ship("SC", "Kestrel")};
  ScriptedSeam seam;
  seam.Expect(
          "GENERALBOX",
          [](QDialog& page) {
            DoubleClickRow(List(page, "Escort"), 0);
            EXPECT_EQ(Rows(List(page, "Escort")), (QStringList{"SC --> Falcon", "HC1 --> Hawk"}));
            EXPECT_EQ(SelectedRow(List(page, "Escort")), 0);
            DoubleClickRow(List(page, "Escort"), 1);
            EXPECT_EQ(Rows(List(page, "Escort")), (QStringList{"SC --> Falcon", "HC1 --> Hawk"}));
            DoubleClickRow(List(page, "Player Ship"), 0);
            EXPECT_EQ(Rows(List(page, "Player Ship")), QStringList{"DD --> Endeavour"});
            EXPECT_EQ(SelectedRow(List(page, "Player Ship")), 0);
            Click(page, "Next -->");
          })
      .Expect("NAMEBOX",
              [](QDialog& box) {
                auto& edit = Find<QLineEdit>(box, "Set the name of the SC class escort");
                EXPECT_EQ(edit.text(), "");
                edit.setText(" Falcon ");
                Click(box, "Ok");
              })
      .Expect("NAMEBOX", TypeAndPress("Set the name of the HC1 class escort", "Kestrel", "Ok"))
      .Expect("ERRORBOX", Refused("Ship name Kestrel already used for a friendly ship in system 3"))
      .Expect("NAMEBOX",
              TypeAndPress("Set the name of the DD class player ship", "Endeavour", "Ok"));
  EXPECT_EQ(GeneralPage::Run(nullptr, config, kShips), PageResult::Next);
  EXPECT_EQ(config.player, Ship("DD", "Endeavour"));
  EXPECT_EQ(config.escorts, (std::vector<ShipEntry>{Ship("SC", "Falcon"), Ship("HC1", "Hawk")}));
}

TEST(GeneralPage, FinishIsRefusedOnANameClashAndThenAccepted) {
  BattleConfig config;
  config.player = Ship("DD");
  config.escorts = {Ship("SC", "DD P")};
  config.systems = {System("Sol")};
  ScriptedSeam seam;
  seam.Expect("GENERALBOX",
              [](QDialog& page) {
                Click(page, "Finish");
                EXPECT_TRUE(page.isVisible());
                DoubleClickRow(List(page, "Escort"), 0);
                Click(page, "Finish");
              })
      .Expect("ERRORBOX",
              Refused("Your escort ship name DD P conflicts with a default player ship name . "
                      "Please change this name!"))
      .Expect("NAMEBOX", TypeAndPress("Set the name of the SC class escort", "Hawk", "Ok"));
  EXPECT_EQ(GeneralPage::Run(nullptr, config, kShips), PageResult::Finish);
  EXPECT_EQ(config.escorts, std::vector<ShipEntry>{Ship("SC", "Hawk")});
}

// "Cancel", Escape and the close box all ask; "No" keeps the page open.
TEST(GeneralPage, LeavingAsksFirst) {
  for (int way : {0, 1, 2}) {
    BattleConfig config;
    ScriptedSeam seam;
    seam.Expect("GENERALBOX",
                [way](QDialog& page) {
                  Leave(page, way);
                  EXPECT_TRUE(page.isVisible()) << way;
                  Leave(page, way);
                })
        .Expect("CANCELBOX", Press("No"))
        .Expect("CANCELBOX", Press("Yes"));
    EXPECT_EQ(GeneralPage::Run(nullptr, config, kShips), PageResult::Cancel);
  }
}

TEST(GeneralPage, TenThousandClassesFillAtOnce) {
  std::string text;
  for (int i = 0; i < 10000; ++i) {
    text += "Label " + std::to_string(i) + "=CLASS" + std::to_string(i) + "\n";
  }
  const ShipCatalog ships = CatalogFrom<ShipCatalog>(text);
  BattleConfig config;
  QElapsedTimer timer;
  timer.start();
  qint64 opened = 0;
  ScriptedSeam seam;
  seam.Expect("GENERALBOX", [&](QDialog& page) {
    opened = timer.elapsed();
    QListWidget& available = List(page, "Available Ships");
    ASSERT_EQ(available.count(), 10000);
    EXPECT_EQ(available.item(9999)->text(), "CLASS9999   (Label 9999)");
    SelectRow(available, 9999);
    Click(page, "Select -->");
    QTest::keyClick(&page, Qt::Key_Escape);
  });
  seam.Expect("CANCELBOX", Press("Yes"));
  GeneralPage::Run(nullptr, config, ships);
  EXPECT_EQ(config.player, Ship("CLASS9999"));
  RecordProperty("open_ms", static_cast<int>(opened));
  EXPECT_LT(opened, 3000);
}

}  // namespace
}  // namespace vk7
