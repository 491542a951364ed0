#include "pages/systems_page.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>

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
  return enabled.join(", ");
}

PageResult RunPage(BattleConfig& config, int& systemNumber) {
  return SystemsPage::Run(nullptr, config, kShips, kSystems, systemNumber);
}

// The counts of every row start at one column, 60 dialog units in, while the names are
// narrower than that (a dialog unit is a quarter of the average character width). Changes
// the text of the list's last row.
void ExpectCountsLineUp(QListWidget& list) {
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
  const int last = list.count() - 1;
  const auto width = [&](const QString& text) {
    list.item(last)->setText(text + kNoShips);
    return list.itemDelegate()->sizeHint(option, list.model()->index(last, 0)).width();
  };
  const int solWidth = width("Sol");
  EXPECT_EQ(width(name), solWidth) << name.toStdString();
  EXPECT_GT(width(longName), solWidth);  // pushed to the next stop
}

// The opening state (counts lined up), "Check" on this battle, leaving (each way asks first)
// and "Finish", which validates first.
TEST(SystemsPage, OpensChecksLeavesAndFinishes) {
  BattleConfig config = WithSystems({"Sol", "Nowhere"});
  config.systems[0].friends.resize(2);
  config.systems[0].battleMode = BattleMode::Stat;
  config.systems[0].battleModeDefined = true;
  BattleConfig expected = config;
  expected.systems[0].battleMode = BattleMode::AI;
  int systemNumber = 2;
  ScriptedSeam seam;
  seam.Expect("SYSTEMBOX", [](QDialog& page) {
    EXPECT_EQ(page.windowTitle(), "Battle Configuration <Alpha>  -  Systems ");
    EXPECT_EQ(Rows(Battle(page)), (QStringList{"Sol\t (2 Friends, 0 Enemies, 0 Neutrals, 0 Hulks)",
                                               "Nowhere" + kNoShips}));
    EXPECT_EQ(Rows(Available(page)), (QStringList{"Sol", "Vega", "Keth", "Arra", "Rigel", "Deneb",
                                                  "Altair", QString::fromUtf8("R\u00e9")}));
    EXPECT_EQ(Enabled(page), "Finish");
    SelectRow(Available(page), 0);
    SelectRow(Battle(page), 0);
    EXPECT_EQ(Enabled(page), "Add -->, Replace -->, <-- Remove, Edit, Up, Down, Next -->, Finish");
    ExpectCountsLineUp(Battle(page));
    Click(page, "Check");
    for (int way = 0; way < 3; ++way) Leave(page, way);
    Click(page, "Finish");
  });
  seam.Expect("CHECKBOX", [](QDialog& box) {
    EXPECT_EQ(Rows(Find<QListWidget>(box, "Missing Systems")), QStringList{"Nowhere"});
    Click(box, "OK");
  });
  for (int way = 0; way < 3; ++way) seam.Expect("CANCELBOX", Press("No"));
  seam.Expect("MESSAGBOX", [](QDialog& box) {
    EXPECT_TRUE(MessageText(box).contains("following system(s): Sol. The Battle mode"));
    Click(box, "Ok");
  });
  EXPECT_EQ(RunPage(config, systemNumber), PageResult::Finish);
  EXPECT_EQ(config, expected);
  EXPECT_EQ(systemNumber, 2);
  seam.Expect("SYSTEMBOX", Press("Cancel")).Expect("CANCELBOX", Press("Yes"));
  EXPECT_EQ(RunPage(config, systemNumber), PageResult::Cancel);
}

// Adding stops at six and refuses a name already in; removing and replacing ask first (what
// replacing keeps and drops is checked on the logic); Up and Down move the system and its
// selection; "Edit", "Next -->" and a double click go on with the selected system.
TEST(SystemsPage, AddsRemovesReplacesMovesAndChooses) {
  BattleConfig config = WithSystems({});
  int systemNumber = 1;
  ScriptedSeam seam;
  seam.Expect("SYSTEMBOX", [&config](QDialog& page) {
    EXPECT_EQ(Enabled(page), "");
    Pick(page, 0, "Add -->");
    EXPECT_EQ(Enabled(page), "Add -->, Finish");
    for (int row : {0, 1, 2, 3, 4, 7}) Pick(page, row, "Add -->");
    EXPECT_EQ(Battle(page).item(5)->text(), QString::fromUtf8("R\u00e9") + kNoShips);
    EXPECT_EQ(Enabled(page), "Finish");
    SelectRow(Battle(page), 1);
    Click(page, "<-- Remove");
    Click(page, "<-- Remove");
    EXPECT_EQ(NamesOf(config), (Names{"Sol", "Keth", "Arra", "Rigel", "R\xe9"}));
    // The view would hand the selection on to a neighbour; nothing stays selected.
    EXPECT_EQ(SelectedRow(Battle(page)), -1);
    EXPECT_EQ(Enabled(page), "Add -->, Finish");
    config.systems[1].friends.resize(1);
    SelectRow(Battle(page), 1);
    Pick(page, 2, "Replace -->");  // the same name: not even a question
    Pick(page, 0, "Replace -->");  // another system's name: refused
    Pick(page, 1, "Replace -->");  // "No"
    Click(page, "Replace -->");    // "Yes"
    EXPECT_EQ(Battle(page).item(1)->text(), "Vega\t (1 Friends, 0 Enemies, 0 Neutrals, 0 Hulks)");
    SelectRow(Battle(page), 0);
    for (const char* button : {"Up", "Down", "Down", "Down", "Down", "Down", "Up"}) {
      Click(page, button);
    }
    EXPECT_EQ(SelectedRow(Battle(page)), 3);
    Click(page, "<-- Previous");
  });
  seam.Expect("ERRORBOX",
              Refused("This system is already contained in your battle configuration!"));
  seam.Expect("DELETEBOX", [](QDialog& box) {
    EXPECT_EQ(Find<QLabel>(box, "objectLabel").text(), "Vega and all its contents ?");
    Click(box, "No");
  });
  seam.Expect("DELETEBOX", Press("Yes"));
  seam.Expect("ERRORBOX", Press("Cancel"));
  seam.Expect("REPLACEBOX", [](QDialog& box) {
    EXPECT_EQ(Find<QLabel>(box, "firstLabel").text(), "Keth by Vega ?");
    EXPECT_EQ(Find<QLabel>(box, "secondLabel").text(),
              " (This will delete all positions given by planets in this system!)");
    Click(box, "No");
  });
  seam.Expect("REPLACEBOX", Press("Yes"));
  EXPECT_EQ(RunPage(config, systemNumber), PageResult::Previous);
  EXPECT_EQ(NamesOf(config), (Names{"Vega", "Arra", "Rigel", "Sol", "R\xe9"}));
  const std::pair<std::function<void(QDialog&)>, int> ways[] = {
      {[](QDialog& page) { Click(page, "Edit"); }, 1},
      {[](QDialog& page) { Click(page, "Next -->"); }, 1},
      {[](QDialog& page) { ClickRow(Battle(page), 2, true); }, 3},
  };
  for (const auto& [go, number] : ways) {
    seam.Expect("SYSTEMBOX", [&go](QDialog& page) {
      SelectRow(Battle(page), 0);
      go(page);
    });
    systemNumber = 0;
    EXPECT_EQ(RunPage(config, systemNumber), PageResult::Next);
    EXPECT_EQ(systemNumber, number);
  }
}

}  // namespace
}  // namespace vk7
