#include "pages/systems_page.h"

#include <gtest/gtest.h>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <map>

#include "battle/text_line_file.h"
#include "gui_support/scripted_seam.h"

namespace vk7 {
namespace {

using test::Find;
using test::Press;
using test::ScriptedSeam;

ShipCatalog Ships(const std::string& text) {
  TextLineFile source;
  source.OpenMemory(text);
  ShipCatalog catalog;
  catalog.Read(source);
  return catalog;
}

SystemCatalog Systems(const std::string& text) {
  TextLineFile source;
  source.OpenMemory(text);
  SystemCatalog catalog;
  catalog.Read(source);
  return catalog;
}

const ShipCatalog kShips = Ships("Destroyer=DD\n");
// Rows: 0 Sol, 1 Vega, 2 Keth, 3 Arra, 4 Rigel, 5 Deneb, 6 Altair, 7 "Ré" (Windows-1252).
const SystemCatalog kSystems =
    Systems("Sol=Earth=Mars\nVega=Vega I\nKeth=Keth Prime\nArra\nRigel\nDeneb\nAltair\nR\xe9\n");

StarSystem System(const char* name) {
  StarSystem system;
  system.name = name;
  system.nameDefined = true;
  return system;
}

BattleConfig WithSystems(std::initializer_list<const char*> names) {
  BattleConfig config;
  config.name = "Alpha";
  config.player = ShipEntry{"DD", "", true, false};
  for (const char* name : names) config.systems.push_back(System(name));
  return config;
}

std::vector<std::string> Names(const BattleConfig& config) {
  std::vector<std::string> names;
  for (const StarSystem& system : config.systems) names.push_back(system.name);
  return names;
}

QStringList Rows(QListWidget& list) {
  QStringList rows;
  for (int i = 0; i < list.count(); ++i) rows << list.item(i)->text();
  return rows;
}

QListWidget& Available(QDialog& page) {
  return Find<QListWidget>(page, "Available Systems");
}
QListWidget& Battle(QDialog& page) {
  return Find<QListWidget>(page, "Systems");
}

void SelectRow(QListWidget& list, int row) {
  list.setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

int SelectedRow(QListWidget& list) {
  const auto selected = list.selectedItems();
  return selected.isEmpty() ? -1 : list.row(selected.front());
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

// The labels of the buttons that can be pressed besides "Check", "<-- Previous" and "Cancel",
// which always can.
QString Enabled(QDialog& page) {
  QStringList enabled;
  for (const char* label :
       {"Add -->", "Replace -->", "<-- Remove", "Edit", "Up", "Down", "Next -->", "Finish"}) {
    if (test::Button(page, label).isEnabled()) enabled << label;
  }
  for (const char* label : {"Check", "<-- Previous", "Cancel"}) {
    if (!test::Button(page, label).isEnabled()) enabled << QString("not ") + label;
  }
  return enabled.join(", ");
}

PageResult RunPage(BattleConfig& config, int& systemNumber) {
  return SystemsPage::Run(nullptr, config, kShips, kSystems, systemNumber);
}

TEST(SystemsPage, OpensWithTitleRowsAndOnlyFinishToPress) {
  BattleConfig config = WithSystems({"Sol", "Vega"});
  config.systems[0].friends.resize(2);
  int systemNumber = 2;
  ScriptedSeam seam;
  seam.Expect("SYSTEMBOX", [](QDialog& page) {
    EXPECT_EQ(page.windowTitle(), "Battle Configuration <Alpha>  -  Systems ");
    EXPECT_EQ(Rows(Battle(page)),
              (QStringList{"Sol\t (2 Friends, 0 Enemies, 0 Neutrals, 0 Hulks)",
                           "Vega\t (0 Friends, 0 Enemies, 0 Neutrals, 0 Hulks)"}));
    EXPECT_EQ(Rows(Available(page)), (QStringList{"Sol", "Vega", "Keth", "Arra", "Rigel", "Deneb",
                                                  "Altair", QString::fromUtf8("R\u00e9")}));
    EXPECT_EQ(Find<QLabel>(page, "orderLabel").text(), "Order Systems");
    EXPECT_EQ(Enabled(page), "Finish");
    SelectRow(Available(page), 2);
    EXPECT_EQ(Enabled(page), "Add -->, Finish");
    SelectRow(Battle(page), 0);
    EXPECT_EQ(Enabled(page), "Add -->, Replace -->, <-- Remove, Edit, Up, Down, Next -->, Finish");
    test::Click(page, "<-- Previous");
  });
  EXPECT_EQ(RunPage(config, systemNumber), PageResult::Previous);
  EXPECT_EQ(systemNumber, 2);
}

TEST(SystemsPage, AddsUpToSixAndRefusesAPresentName) {
  BattleConfig config = WithSystems({"sol"});
  int systemNumber = 1;
  ScriptedSeam seam;
  seam.Expect("SYSTEMBOX",
              [&config](QDialog& page) {
                SelectRow(Available(page), 0);
                test::Click(page, "Add -->");
                EXPECT_EQ(Names(config), std::vector<std::string>{"sol"});
                for (int row : {1, 2, 3, 4, 7}) {
                  SelectRow(Available(page), row);
                  test::Click(page, "Add -->");
                }
                EXPECT_EQ(config.systems.back(), System("R\xe9"));
                EXPECT_EQ(Battle(page).count(), 6);
                EXPECT_EQ(
                    Battle(page).item(5)->text(),
                    QString::fromUtf8("R\u00e9\t (0 Friends, 0 Enemies, 0 Neutrals, 0 Hulks)"));
                SelectRow(Available(page), 5);
                EXPECT_FALSE(test::Button(page, "Add -->").isEnabled());
                // Removing one lets the selected catalog row in again.
                SelectRow(Battle(page), 0);
                test::Click(page, "<-- Remove");
                EXPECT_TRUE(test::Button(page, "Add -->").isEnabled());
                test::Click(page, "Add -->");
                test::Click(page, "<-- Previous");
              })
      .Expect("ERRORBOX",
              [](QDialog& box) {
                EXPECT_EQ(box.windowTitle(), "Error");
                EXPECT_EQ(test::MessageText(box),
                          "This system is already contained in your battle configuration!");
                test::Click(box, "Cancel");
              })
      .Expect("DELETEBOX", Press("Yes"));
  EXPECT_EQ(RunPage(config, systemNumber), PageResult::Previous);
  EXPECT_EQ(Names(config),
            (std::vector<std::string>{"Vega", "Keth", "Arra", "Rigel", "R\xe9", "Deneb"}));
}

// What replacing keeps and drops is checked on the logic; here the page asks and shows it.
TEST(SystemsPage, ReplaceAsksFirst) {
  BattleConfig config = WithSystems({"Sol", "Vega"});
  config.systems[0].friends.resize(1);
  int systemNumber = 1;
  ScriptedSeam seam;
  seam.Expect("SYSTEMBOX",
              [&config](QDialog& page) {
                SelectRow(Battle(page), 0);
                SelectRow(Available(page), 0);  // the same name: not even a question
                test::Click(page, "Replace -->");
                SelectRow(Available(page), 1);  // another system's name: refused
                test::Click(page, "Replace -->");
                SelectRow(Available(page), 2);
                test::Click(page, "Replace -->");  // "No"
                EXPECT_EQ(Names(config), (std::vector<std::string>{"Sol", "Vega"}));
                test::Click(page, "Replace -->");  // "Yes"
                EXPECT_EQ(Names(config), (std::vector<std::string>{"Keth", "Vega"}));
                EXPECT_EQ(Rows(Battle(page)),
                          (QStringList{"Keth\t (1 Friends, 0 Enemies, 0 Neutrals, 0 Hulks)",
                                       "Vega\t (0 Friends, 0 Enemies, 0 Neutrals, 0 Hulks)"}));
                EXPECT_EQ(SelectedRow(Battle(page)), 0);
                test::Click(page, "<-- Previous");
              })
      .Expect("ERRORBOX", Press("Cancel"))
      .Expect("REPLACEBOX",
              [](QDialog& box) {
                EXPECT_EQ(Find<QLabel>(box, "firstLabel").text(), "Sol by Keth ?");
                EXPECT_EQ(Find<QLabel>(box, "secondLabel").text(),
                          " (This will delete all positions given by planets in this system!)");
                test::Click(box, "No");
              })
      .Expect("REPLACEBOX", Press("Yes"));
  EXPECT_EQ(RunPage(config, systemNumber), PageResult::Previous);
}

TEST(SystemsPage, RemoveAsksAndTheLastRemovalDisablesFinish) {
  BattleConfig config = WithSystems({"Sol", "Vega"});
  int systemNumber = 1;
  ScriptedSeam seam;
  seam.Expect("SYSTEMBOX",
              [&config](QDialog& page) {
                SelectRow(Available(page), 4);
                SelectRow(Battle(page), 1);
                test::Click(page, "<-- Remove");
                EXPECT_EQ(Names(config), (std::vector<std::string>{"Sol", "Vega"}));
                EXPECT_EQ(Battle(page).count(), 2);
                test::Click(page, "<-- Remove");
                EXPECT_EQ(Names(config), std::vector<std::string>{"Sol"});
                EXPECT_EQ(Rows(Battle(page)),
                          QStringList{"Sol\t (0 Friends, 0 Enemies, 0 Neutrals, 0 Hulks)"});
                EXPECT_EQ(SelectedRow(Battle(page)), -1);
                EXPECT_EQ(Enabled(page), "Add -->, Finish");
                SelectRow(Battle(page), 0);
                test::Click(page, "<-- Remove");
                EXPECT_TRUE(config.systems.empty());
                EXPECT_EQ(Enabled(page), "Add -->");
                test::Click(page, "<-- Previous");
              })
      .Expect("DELETEBOX",
              [](QDialog& box) {
                EXPECT_EQ(box.windowTitle(), "Delete");
                EXPECT_EQ(Find<QLabel>(box, "objectLabel").text(), "Vega and all its contents ?");
                test::Click(box, "No");
              })
      .Expect("DELETEBOX", Press("Yes"))
      .Expect("DELETEBOX", Press("Yes"));
  EXPECT_EQ(RunPage(config, systemNumber), PageResult::Previous);
}

// "Edit", "Next -->" and a double click all go on with the selected system.
TEST(SystemsPage, EditNextAndDoubleClickChooseTheSystem) {
  const std::vector<std::pair<const char*, std::function<void(QDialog&)>>> ways = {
      {"Edit", [](QDialog& page) { test::Click(page, "Edit"); }},
      {"Next", [](QDialog& page) { test::Click(page, "Next -->"); }},
      {"double click", [](QDialog& page) { DoubleClickRow(Battle(page), 2); }},
  };
  for (const auto& [way, go] : ways) {
    SCOPED_TRACE(way);
    BattleConfig config = WithSystems({"Sol", "Vega", "Keth"});
    int systemNumber = 1;
    ScriptedSeam seam;
    seam.Expect("SYSTEMBOX", [go](QDialog& page) {
      SelectRow(Battle(page), 2);
      go(page);
    });
    EXPECT_EQ(RunPage(config, systemNumber), PageResult::Next);
    EXPECT_EQ(systemNumber, 3);
  }
}

TEST(SystemsPage, UpAndDownMoveTheSelectedSystem) {
  BattleConfig config = WithSystems({"Sol", "Vega", "Keth"});
  config.systems[0].enemies.resize(1);
  int systemNumber = 1;
  ScriptedSeam seam;
  seam.Expect("SYSTEMBOX", [&config](QDialog& page) {
    SelectRow(Battle(page), 0);
    test::Click(page, "Up");
    EXPECT_EQ(Names(config), (std::vector<std::string>{"Sol", "Vega", "Keth"}));
    test::Click(page, "Down");
    EXPECT_EQ(Names(config), (std::vector<std::string>{"Vega", "Sol", "Keth"}));
    EXPECT_EQ(Rows(Battle(page)),
              (QStringList{"Vega\t (0 Friends, 0 Enemies, 0 Neutrals, 0 Hulks)",
                           "Sol\t (0 Friends, 1 Enemies, 0 Neutrals, 0 Hulks)",
                           "Keth\t (0 Friends, 0 Enemies, 0 Neutrals, 0 Hulks)"}));
    EXPECT_EQ(SelectedRow(Battle(page)), 1);
    test::Click(page, "Down");
    test::Click(page, "Down");
    EXPECT_EQ(Names(config), (std::vector<std::string>{"Vega", "Keth", "Sol"}));
    EXPECT_EQ(SelectedRow(Battle(page)), 2);
    test::Click(page, "Up");
    EXPECT_EQ(Names(config), (std::vector<std::string>{"Vega", "Sol", "Keth"}));
    EXPECT_EQ(SelectedRow(Battle(page)), 1);
    test::Click(page, "Edit");
  });
  EXPECT_EQ(RunPage(config, systemNumber), PageResult::Next);
  EXPECT_EQ(systemNumber, 2);
}

TEST(SystemsPage, CheckShowsTheResultsAndChangesNothing) {
  BattleConfig config = WithSystems({"Sol", "Nowhere"});
  const BattleConfig before = config;
  int systemNumber = 1;
  ScriptedSeam seam;
  seam.Expect("SYSTEMBOX",
              [](QDialog& page) {
                test::Click(page, "Check");
                EXPECT_TRUE(page.isVisible());
                test::Click(page, "<-- Previous");
              })
      .Expect("CHECKBOX", [](QDialog& box) {
        EXPECT_EQ(box.windowTitle(), "Check Results");
        EXPECT_EQ(Rows(Find<QListWidget>(box, "Missing Systems")), QStringList{"Nowhere"});
        test::Click(box, "OK");
      });
  EXPECT_EQ(RunPage(config, systemNumber), PageResult::Previous);
  EXPECT_EQ(config, before);
}

TEST(SystemsPage, FinishWarnsAboutStatisticModeAndFinishes) {
  BattleConfig config = WithSystems({"Sol"});
  config.systems[0].battleMode = BattleMode::Stat;
  config.systems[0].battleModeDefined = true;
  int systemNumber = 1;
  ScriptedSeam seam;
  seam.Expect("SYSTEMBOX", Press("Finish")).Expect("MESSAGBOX", [](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), "Warning");
    EXPECT_TRUE(test::MessageText(box).contains("following system(s): Sol. The Battle mode"));
    test::Click(box, "Ok");
  });
  EXPECT_EQ(RunPage(config, systemNumber), PageResult::Finish);
  EXPECT_EQ(config.systems[0].battleMode, BattleMode::AI);
  EXPECT_EQ(systemNumber, 1);
}

TEST(SystemsPage, FinishRefusedKeepsThePageOpen) {
  BattleConfig config = WithSystems({"Sol"});
  config.player = ShipEntry{"DD", "DD E1", true, true};
  config.escorts = {ShipEntry{"DD", "", true, false}};
  int systemNumber = 1;
  ScriptedSeam seam;
  seam.Expect("SYSTEMBOX",
              [](QDialog& page) {
                test::Click(page, "Finish");
                EXPECT_TRUE(page.isVisible());
                test::Click(page, "Cancel");
                EXPECT_TRUE(page.isVisible());
                page.close();
              })
      .Expect("ERRORBOX",
              [](QDialog& box) {
                EXPECT_EQ(test::MessageText(box),
                          "Your player ship name DD E1 conflicts with a default escort ship name . "
                          "Please change this name!");
                test::Click(box, "Cancel");
              })
      .Expect("CANCELBOX", Press("No"))
      .Expect("CANCELBOX", Press("Yes"));
  EXPECT_EQ(RunPage(config, systemNumber), PageResult::Cancel);
}

// The counts of every row start at one column, 60 dialog units in, while the names are
// narrower than that (a dialog unit is a quarter of the average character width).
TEST(SystemsPage, CountsLineUpAtTheTabStop) {
  BattleConfig config = WithSystems({"Sol", "Vega"});
  int systemNumber = 1;
  ScriptedSeam seam;
  seam.Expect("SYSTEMBOX", [](QDialog& page) {
    QListWidget& list = Battle(page);
    const QFontMetrics metrics(list.font());
    const double average =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52.0;
    // The longest name that still ends well before the stop.
    QString name;
    for (const QChar c : QString("Vega Prime Major Minor Long Name")) {
      if (metrics.horizontalAdvance(name + c) > 0.85 * 60 * average / 4) break;
      name += c;
    }
    const QString counts = "\t (0 Friends, 0 Enemies, 0 Neutrals, 0 Hulks)";
    list.item(0)->setText("Sol" + counts);
    list.item(1)->setText(name + counts);
    QStyleOptionViewItem option;
    option.initFrom(&list);
    option.widget = &list;
    QAbstractItemDelegate& delegate = *list.itemDelegate();
    const int solWidth = delegate.sizeHint(option, list.model()->index(0, 0)).width();
    EXPECT_EQ(delegate.sizeHint(option, list.model()->index(1, 0)).width(), solWidth)
        << name.toStdString();
    // A name past the stop pushes its counts to the next one.
    list.item(1)->setText("Vega Prime Major Minor Long Name" + counts);
    EXPECT_GT(delegate.sizeHint(option, list.model()->index(1, 0)).width(), solWidth);
    test::Click(page, "<-- Previous");
  });
  EXPECT_EQ(RunPage(config, systemNumber), PageResult::Previous);
}

}  // namespace
}  // namespace vk7
