#include "pages/systems_page.h"

#include <gtest/gtest.h>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include "pages/page_test_support.h"

namespace vk7 {
namespace {

using namespace test;
using Names = std::vector<std::string>;

const ShipCatalog kShips = CatalogFrom<ShipCatalog>("Destroyer=DD\n");
// Rows: 0 Sol, 1 Vega, 2 Keth, 3 Arra, 4 Rigel, 5 Deneb, 6 Altair, 7 "Ré" (Windows-1252).
const SystemCatalog kSystems = CatalogFrom<SystemCatalog>(
    "Sol=Earth=Mars\nVega=Vega I\nKeth=Keth Prime\nArra\nRigel\nDeneb\nAltair\nR\xe9\n");
const QString kNoShips = "\t (0 Friends, 0 Enemies, 0 Neutrals, 0 Hulks)";

BattleConfig WithSystems(std::initializer_list<const char*> names) {
  BattleConfig config;
  config.name = "Alpha";
  config.player = Ship("DD");
  for (const char* name : names) config.systems.push_back(System(name));
  return config;
}

Names NamesOf(const BattleConfig& config) {
  Names names;
  for (const StarSystem& system : config.systems) names.push_back(system.name);
  return names;
}

QListWidget& Available(QDialog& page) {
  return Find<QListWidget>(page, "Available Systems");
}
QListWidget& Battle(QDialog& page) {
  return Find<QListWidget>(page, "Systems");
}

void Pick(QDialog& page, int catalogRow, const char* button) {
  SelectRow(Available(page), catalogRow);
  Click(page, button);
}

// The buttons that can be pressed, besides "Check", "<-- Previous" and "Cancel", which always can.
QString Enabled(QDialog& page) {
  QStringList enabled;
  for (const char* label :
       {"Add -->", "Replace -->", "<-- Remove", "Edit", "Up", "Down", "Next -->", "Finish"}) {
    if (Button(page, label).isEnabled()) enabled << label;
  }
  for (const char* label : {"Check", "<-- Previous", "Cancel"}) {
    if (!Button(page, label).isEnabled()) enabled << QString("not ") + label;
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
    EXPECT_EQ(Rows(Battle(page)), (QStringList{"Sol\t (2 Friends, 0 Enemies, 0 Neutrals, 0 Hulks)",
                                               "Vega" + kNoShips}));
    EXPECT_EQ(Rows(Available(page)), (QStringList{"Sol", "Vega", "Keth", "Arra", "Rigel", "Deneb",
                                                  "Altair", QString::fromUtf8("R\u00e9")}));
    EXPECT_EQ(Find<QLabel>(page, "orderLabel").text(), "Order Systems");
    EXPECT_EQ(Enabled(page), "Finish");
    SelectRow(Available(page), 2);
    SelectRow(Battle(page), 0);
    EXPECT_EQ(Enabled(page), "Add -->, Replace -->, <-- Remove, Edit, Up, Down, Next -->, Finish");
    Click(page, "<-- Previous");
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
                Pick(page, 0, "Add -->");
                EXPECT_EQ(NamesOf(config), Names{"sol"});
                for (int row : {1, 2, 3, 4, 7}) Pick(page, row, "Add -->");
                EXPECT_EQ(config.systems.back(), System("R\xe9"));
                EXPECT_EQ(Battle(page).item(5)->text(), QString::fromUtf8("R\u00e9") + kNoShips);
                SelectRow(Available(page), 5);
                EXPECT_FALSE(Button(page, "Add -->").isEnabled());
                // Removing one lets the selected catalog row in again.
                SelectRow(Battle(page), 0);
                Click(page, "<-- Remove");
                EXPECT_TRUE(Button(page, "Add -->").isEnabled());
                Click(page, "Add -->");
                Click(page, "<-- Previous");
              })
      .Expect("ERRORBOX", Refused("This system is already contained in your battle configuration!"))
      .Expect("DELETEBOX", Press("Yes"));
  EXPECT_EQ(RunPage(config, systemNumber), PageResult::Previous);
  EXPECT_EQ(NamesOf(config), (Names{"Vega", "Keth", "Arra", "Rigel", "R\xe9", "Deneb"}));
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
                Pick(page, 0, "Replace -->");  // the same name: not even a question
                Pick(page, 1, "Replace -->");  // another system's name: refused
                Pick(page, 2, "Replace -->");  // "No"
                EXPECT_EQ(NamesOf(config), (Names{"Sol", "Vega"}));
                Click(page, "Replace -->");  // "Yes"
                EXPECT_EQ(Rows(Battle(page)),
                          (QStringList{"Keth\t (1 Friends, 0 Enemies, 0 Neutrals, 0 Hulks)",
                                       "Vega" + kNoShips}));
                EXPECT_EQ(SelectedRow(Battle(page)), 0);
                Click(page, "<-- Previous");
              })
      .Expect("ERRORBOX", Press("Cancel"))
      .Expect("REPLACEBOX",
              [](QDialog& box) {
                EXPECT_EQ(Find<QLabel>(box, "firstLabel").text(), "Sol by Keth ?");
                EXPECT_EQ(Find<QLabel>(box, "secondLabel").text(),
                          " (This will delete all positions given by planets in this system!)");
                Click(box, "No");
              })
      .Expect("REPLACEBOX", Press("Yes"));
  EXPECT_EQ(RunPage(config, systemNumber), PageResult::Previous);
  EXPECT_EQ(NamesOf(config), (Names{"Keth", "Vega"}));
}

TEST(SystemsPage, RemoveAsksAndTheLastRemovalDisablesFinish) {
  BattleConfig config = WithSystems({"Sol", "Vega"});
  int systemNumber = 1;
  ScriptedSeam seam;
  seam.Expect("SYSTEMBOX",
              [&config](QDialog& page) {
                SelectRow(Available(page), 4);
                SelectRow(Battle(page), 1);
                Click(page, "<-- Remove");
                EXPECT_EQ(Battle(page).count(), 2);
                Click(page, "<-- Remove");
                EXPECT_EQ(Rows(Battle(page)), QStringList{"Sol" + kNoShips});
                EXPECT_EQ(SelectedRow(Battle(page)), -1);
                EXPECT_EQ(Enabled(page), "Add -->, Finish");
                SelectRow(Battle(page), 0);
                Click(page, "<-- Remove");
                EXPECT_TRUE(config.systems.empty());
                EXPECT_EQ(Enabled(page), "Add -->");
                Click(page, "<-- Previous");
              })
      .Expect("DELETEBOX",
              [](QDialog& box) {
                EXPECT_EQ(box.windowTitle(), "Delete");
                EXPECT_EQ(Find<QLabel>(box, "objectLabel").text(), "Vega and all its contents ?");
                Click(box, "No");
              })
      .Expect("DELETEBOX", Press("Yes"))
      .Expect("DELETEBOX", Press("Yes"));
  EXPECT_EQ(RunPage(config, systemNumber), PageResult::Previous);
}

// "Edit", "Next -->" and a double click all go on with the selected system.
TEST(SystemsPage, EditNextAndDoubleClickChooseTheSystem) {
  const std::function<void(QDialog&)> ways[] = {
      [](QDialog& page) { Click(page, "Edit"); },
      [](QDialog& page) { Click(page, "Next -->"); },
      [](QDialog& page) { DoubleClickRow(Battle(page), 2); },
  };
  for (const auto& go : ways) {
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
    const auto press = [&](const char* button, const Names& names, int selected) {
      Click(page, button);
      EXPECT_EQ(NamesOf(config), names) << button;
      EXPECT_EQ(SelectedRow(Battle(page)), selected) << button;
    };
    SelectRow(Battle(page), 0);
    press("Up", {"Sol", "Vega", "Keth"}, 0);
    press("Down", {"Vega", "Sol", "Keth"}, 1);
    EXPECT_EQ(Rows(Battle(page)),
              (QStringList{"Vega" + kNoShips, "Sol\t (0 Friends, 1 Enemies, 0 Neutrals, 0 Hulks)",
                           "Keth" + kNoShips}));
    press("Down", {"Vega", "Keth", "Sol"}, 2);
    press("Down", {"Vega", "Keth", "Sol"}, 2);
    press("Up", {"Vega", "Sol", "Keth"}, 1);
    Click(page, "Edit");
  });
  EXPECT_EQ(RunPage(config, systemNumber), PageResult::Next);
  EXPECT_EQ(systemNumber, 2);
}

TEST(SystemsPage, CheckShowsTheResultsAndChangesNothing) {
  BattleConfig config = WithSystems({"Sol", "Nowhere"});
  int systemNumber = 1;
  ScriptedSeam seam;
  seam.Expect("SYSTEMBOX",
              [](QDialog& page) {
                Click(page, "Check");
                EXPECT_TRUE(page.isVisible());
                Click(page, "<-- Previous");
              })
      .Expect("CHECKBOX", [](QDialog& box) {
        EXPECT_EQ(box.windowTitle(), "Check Results");
        EXPECT_EQ(Rows(Find<QListWidget>(box, "Missing Systems")), QStringList{"Nowhere"});
        Click(box, "OK");
      });
  EXPECT_EQ(RunPage(config, systemNumber), PageResult::Previous);
  EXPECT_EQ(config, WithSystems({"Sol", "Nowhere"}));
}

TEST(SystemsPage, FinishWarnsAboutStatisticModeAndFinishes) {
  BattleConfig config = WithSystems({"Sol"});
  config.systems[0].battleMode = BattleMode::Stat;
  config.systems[0].battleModeDefined = true;
  int systemNumber = 1;
  ScriptedSeam seam;
  seam.Expect("SYSTEMBOX", Press("Finish")).Expect("MESSAGBOX", [](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), "Warning");
    EXPECT_TRUE(MessageText(box).contains("following system(s): Sol. The Battle mode"));
    Click(box, "Ok");
  });
  EXPECT_EQ(RunPage(config, systemNumber), PageResult::Finish);
  EXPECT_EQ(config.systems[0].battleMode, BattleMode::AI);
  EXPECT_EQ(systemNumber, 1);
}

TEST(SystemsPage, FinishRefusedKeepsThePageOpen) {
  BattleConfig config = WithSystems({"Sol"});
  config.player = ShipEntry{"DD", "DD E1", true, true};
  config.escorts = {Ship("DD")};
  int systemNumber = 1;
  ScriptedSeam seam;
  seam.Expect("SYSTEMBOX",
              [](QDialog& page) {
                Click(page, "Finish");
                EXPECT_TRUE(page.isVisible());
                Click(page, "Cancel");
                EXPECT_TRUE(page.isVisible());
                page.close();
              })
      .Expect("ERRORBOX",
              Refused("Your player ship name DD E1 conflicts with a default escort ship name . "
                      "Please change this name!"))
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
    const QString longName = "Vega Prime Major Minor Long Name";
    QString name;  // the longest that still ends well before the stop
    for (const QChar c : longName) {
      if (metrics.horizontalAdvance(name + c) > 0.85 * 60 * average / 4) break;
      name += c;
    }
    QStyleOptionViewItem option;
    option.initFrom(&list);
    option.widget = &list;
    const auto width = [&](const QString& text) {
      list.item(1)->setText(text + kNoShips);
      return list.itemDelegate()->sizeHint(option, list.model()->index(1, 0)).width();
    };
    const int solWidth = width("Sol");
    EXPECT_EQ(width(name), solWidth) << name.toStdString();
    EXPECT_GT(width(longName), solWidth);  // pushed to the next stop
    Click(page, "<-- Previous");
  });
  EXPECT_EQ(RunPage(config, systemNumber), PageResult::Previous);
}

}  // namespace
}  // namespace vk7
