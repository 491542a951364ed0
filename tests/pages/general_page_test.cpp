#include "pages/general_page.h"

#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "battle/text_line_file.h"
#include "gui_support/scripted_seam.h"

namespace vk7 {
namespace {

using test::Find;
using test::Press;
using test::ScriptedSeam;

ShipCatalog Catalog(const std::string& text) {
  TextLineFile source;
  source.OpenMemory(text);
  ShipCatalog catalog;
  catalog.Read(source);
  return catalog;
}

// "Br\xe9" is a Windows-1252 "é": rows cross into the widgets converted.
const ShipCatalog kShips = Catalog("Heavy Cruiser=HC1\nDestroyer=DD\nScout=SC\nBr\xe9ka=BRK\n");

ShipEntry Ship(const char* shipClass, const char* name = nullptr) {
  return ShipEntry{shipClass, name != nullptr ? name : "", true, name != nullptr};
}

StarSystem System(const char* name) {
  StarSystem system;
  system.name = name;
  system.nameDefined = true;
  return system;
}

QStringList Rows(QListWidget& list) {
  QStringList rows;
  for (int i = 0; i < list.count(); ++i) rows << list.item(i)->text();
  return rows;
}

QListWidget& List(QDialog& page, const char* label) {
  return Find<QListWidget>(page, label);
}

bool Selected(QListWidget& list) {
  return !list.selectedItems().isEmpty();
}

void SelectRow(QListWidget& list, int row) {
  list.setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

// What the window system delivers for a double click: press, release, double click, release.
void DoubleClickRow(QListWidget& list, int row) {
  QListWidgetItem* item = list.item(row);
  list.scrollToItem(item);
  const QPoint center = list.visualItemRect(item).center();
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, center);
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, center);
  QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, center);
}

// The labels of the buttons that can be pressed; "Options" and "Cancel" always can.
QStringList Enabled(QDialog& page) {
  QStringList enabled;
  for (const char* label : {"Select -->", "Add -->", "Remove <--", "Next -->", "Finish"}) {
    if (test::Button(page, label).isEnabled()) enabled << label;
  }
  EXPECT_TRUE(test::Button(page, "Options").isEnabled() &&
              test::Button(page, "Cancel").isEnabled());
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
    EXPECT_TRUE(Rows(List(page, "Player Ship")).isEmpty());
    EXPECT_TRUE(Rows(List(page, "Escort")).isEmpty());
    EXPECT_TRUE(Find<QLabel>(page, "escortHint").text() == "(Double click to set/edit ship name)");
    EXPECT_EQ(Enabled(page), QStringList{});

    SelectRow(List(page, "Available Ships"), 1);
    EXPECT_EQ(Enabled(page), (QStringList{"Select -->", "Add -->"}));
    test::Click(page, "Select -->");
    EXPECT_EQ(Rows(List(page, "Player Ship")), QStringList{"DD"});
    // "Finish" waits for a system and the next opening.
    EXPECT_EQ(Enabled(page), (QStringList{"Select -->", "Add -->", "Next -->"}));
    List(page, "Available Ships").clearSelection();
    EXPECT_EQ(Enabled(page), QStringList{"Next -->"});
    test::Click(page, "Next -->");
  });
  EXPECT_EQ(GeneralPage::Run(nullptr, config, kShips), PageResult::Next);
  EXPECT_EQ(config.player, Ship("DD"));
}

TEST(GeneralPage, OpensWithTheBattlesShipsAndANewClassKeepsThePlayersName) {
  BattleConfig config;
  config.name = "Beta";
  config.player = Ship("HC1", "Endeavour");
  config.escorts = {Ship("SC"), Ship("SC", "Hawk")};
  config.systems = {System("Sol")};
  ScriptedSeam seam;
  seam.Expect("GENERALBOX", [](QDialog& page) {
    EXPECT_EQ(Rows(List(page, "Player Ship")), QStringList{"HC1 --> Endeavour"});
    EXPECT_EQ(Rows(List(page, "Escort")), (QStringList{"SC", "SC --> Hawk"}));
    EXPECT_EQ(Enabled(page), (QStringList{"Next -->", "Finish"}));
    SelectRow(List(page, "Available Ships"), 3);
    test::Click(page, "Select -->");
    EXPECT_EQ(Rows(List(page, "Player Ship")), QStringList{QString::fromUtf8("BRK --> Endeavour")});
    test::Click(page, "Next -->");
  });
  EXPECT_EQ(GeneralPage::Run(nullptr, config, kShips), PageResult::Next);
  EXPECT_EQ(config.player, Ship("BRK", "Endeavour"));
}

TEST(GeneralPage, AddsAndRemovesEscorts) {
  BattleConfig config;
  config.player = Ship("DD");
  ScriptedSeam seam;
  seam.Expect("GENERALBOX", [&config](QDialog& page) {
    QListWidget& available = List(page, "Available Ships");
    QListWidget& escort = List(page, "Escort");
    SelectRow(available, 2);
    test::Click(page, "Add -->");
    test::Click(page, "Add -->");
    SelectRow(available, 0);
    test::Click(page, "Add -->");
    EXPECT_EQ(Rows(escort), (QStringList{"SC", "SC", "HC1"}));
    EXPECT_EQ(config.escorts, (std::vector<ShipEntry>{Ship("SC"), Ship("SC"), Ship("HC1")}));
    EXPECT_FALSE(test::Button(page, "Remove <--").isEnabled());

    SelectRow(escort, 1);
    EXPECT_TRUE(test::Button(page, "Remove <--").isEnabled());
    test::Click(page, "Remove <--");
    EXPECT_EQ(Rows(escort), (QStringList{"SC", "HC1"}));
    EXPECT_EQ(config.escorts, (std::vector<ShipEntry>{Ship("SC"), Ship("HC1")}));
    EXPECT_FALSE(Selected(escort));
    EXPECT_FALSE(test::Button(page, "Remove <--").isEnabled());
    // The catalog selection is left as it was.
    EXPECT_TRUE(test::Button(page, "Add -->").isEnabled());

    SelectRow(escort, 0);
    test::Click(page, "Remove <--");
    EXPECT_EQ(Rows(escort), QStringList{"HC1"});
    EXPECT_FALSE(Selected(escort));
    test::Click(page, "Next -->");
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
            EXPECT_EQ(List(page, "Escort").selectedItems().value(0), List(page, "Escort").item(0));
            DoubleClickRow(List(page, "Escort"), 1);
            EXPECT_EQ(Rows(List(page, "Escort")), (QStringList{"SC --> Falcon", "HC1 --> Hawk"}));
            DoubleClickRow(List(page, "Player Ship"), 0);
            EXPECT_EQ(Rows(List(page, "Player Ship")), QStringList{"DD --> Endeavour"});
            EXPECT_TRUE(Selected(List(page, "Player Ship")));
            test::Click(page, "Next -->");
          })
      .Expect("NAMEBOX",
              [](QDialog& box) {
                auto& edit = Find<QLineEdit>(box, "Set the name of the SC class escort");
                EXPECT_EQ(edit.text(), "");
                edit.setText(" Falcon ");
                test::Click(box, "Ok");
              })
      .Expect("NAMEBOX",
              test::TypeAndPress("Set the name of the HC1 class escort", "Kestrel", "Ok"))
      .Expect("ERRORBOX",
              [](QDialog& box) {
                EXPECT_EQ(test::MessageText(box),
                          "Ship name Kestrel already used for a friendly ship in system 3");
                test::Click(box, "Cancel");
              })
      .Expect("NAMEBOX",
              test::TypeAndPress("Set the name of the DD class player ship", "Endeavour", "Ok"));
  EXPECT_EQ(GeneralPage::Run(nullptr, config, kShips), PageResult::Next);
  EXPECT_EQ(config.player, Ship("DD", "Endeavour"));
  EXPECT_EQ(config.escorts, (std::vector<ShipEntry>{Ship("SC", "Falcon"), Ship("HC1", "Hawk")}));
}

TEST(GeneralPage, OptionsOpensTheGeneralOptions) {
  BattleConfig config;
  config.player = Ship("DD");
  const BattleConfig before = config;
  ScriptedSeam seam;
  seam.Expect("GENERALBOX",
              [](QDialog& page) {
                test::Click(page, "Options");
                EXPECT_TRUE(page.isVisible());
                test::Click(page, "Next -->");
              })
      .Expect("GENERALOPTIONBOX", Press("Cancel"));
  EXPECT_EQ(GeneralPage::Run(nullptr, config, kShips), PageResult::Next);
  EXPECT_EQ(config, before);
}

TEST(GeneralPage, FinishIsRefusedOnANameClashAndThenAccepted) {
  BattleConfig config;
  config.player = Ship("DD");
  config.escorts = {Ship("SC", "DD P")};
  config.systems = {System("Sol")};
  ScriptedSeam seam;
  seam.Expect("GENERALBOX",
              [](QDialog& page) {
                test::Click(page, "Finish");
                EXPECT_TRUE(page.isVisible());
                DoubleClickRow(List(page, "Escort"), 0);
                test::Click(page, "Finish");
              })
      .Expect("ERRORBOX",
              [](QDialog& box) {
                EXPECT_EQ(test::MessageText(box),
                          "Your escort ship name DD P conflicts with a default player ship name . "
                          "Please change this name!");
                test::Click(box, "Cancel");
              })
      .Expect("NAMEBOX", test::TypeAndPress("Set the name of the SC class escort", "Hawk", "Ok"));
  EXPECT_EQ(GeneralPage::Run(nullptr, config, kShips), PageResult::Finish);
  EXPECT_EQ(config.escorts, std::vector<ShipEntry>{Ship("SC", "Hawk")});
}

// "Cancel", Escape and the close box all ask; "No" keeps the page open.
TEST(GeneralPage, LeavingAsksFirst) {
  const std::vector<std::pair<const char*, std::function<void(QDialog&)>>> ways = {
      {"Cancel", [](QDialog& page) { test::Click(page, "Cancel"); }},
      {"Escape", [](QDialog& page) { QTest::keyClick(&page, Qt::Key_Escape); }},
      {"close box", [](QDialog& page) { page.close(); }},
  };
  for (const auto& [way, leave] : ways) {
    SCOPED_TRACE(way);
    BattleConfig config;
    ScriptedSeam seam;
    seam.Expect("GENERALBOX",
                [leave](QDialog& page) {
                  leave(page);
                  EXPECT_TRUE(page.isVisible());
                  leave(page);
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
  const ShipCatalog ships = Catalog(text);
  ASSERT_EQ(ships.Entries().size(), 10000U);
  BattleConfig config;
  QElapsedTimer timer;
  timer.start();
  qint64 opened = 0;
  ScriptedSeam seam;
  seam.Expect("GENERALBOX", [&](QDialog& page) {
    opened = timer.elapsed();
    QListWidget& available = List(page, "Available Ships");
    EXPECT_EQ(available.count(), 10000);
    EXPECT_EQ(available.item(9999)->text(), "CLASS9999   (Label 9999)");
    SelectRow(available, 9999);
    test::Click(page, "Select -->");
    QTest::keyClick(&page, Qt::Key_Escape);
  });
  seam.Expect("CANCELBOX", Press("Yes"));
  GeneralPage::Run(nullptr, config, ships);
  EXPECT_EQ(config.player, Ship("CLASS9999"));
  // A few milliseconds in an optimised build; generous for sanitizers and a busy machine.
  RecordProperty("open_ms", static_cast<int>(opened));
  EXPECT_LT(opened, 3000);
}

}  // namespace
}  // namespace vk7
