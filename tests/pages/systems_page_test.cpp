// The systems page and the check results it opens.
#include "pages/systems_page.h"

#include <gtest/gtest.h>
#include <QLabel>
#include <QPlainTextEdit>

#include "pages/check_results_page.h"
#include "pages/page_test_support.h"

namespace vk7 {
namespace {

using namespace test;
using Names = std::vector<std::string>;

const ShipCatalog kShips = CatalogFrom<ShipCatalog>("Destroyer=DD\nWarden=WARDEN\n");
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

QListWidget& Battle(QDialog& page) {
  return Find<QListWidget>(page, "Systems");
}
void Pick(QDialog& page, int catalogRow, const char* button) {
  SelectRow(Find<QListWidget>(page, "Available Systems"), catalogRow);
  Click(page, button);
}

// The buttons that can be pressed, besides "Check", "<-- Previous" and "Cancel", which always can.
QString Enabled(QDialog& page) {
  return EnabledOf(
      page, {"Add -->", "Replace -->", "<-- Remove", "Edit", "Up", "Down", "Next -->", "Finish"});
}

PageResult RunPage(BattleConfig& config, int& systemNumber) {
  return SystemsPage::Run(nullptr, config, kShips, kSystems, systemNumber);
}

// The rows' texts are drawn (in the text colour), and the counts of every row start at one
// column, 60 dialog units (15 average characters) in, while the names are narrower than that.
void ExpectCountsLineUp(QListWidget& list) {
  const QImage row = list.viewport()->grab(list.visualItemRect(list.item(0))).toImage();
  const auto* pixels = reinterpret_cast<const QRgb*>(row.constBits());
  EXPECT_GT(std::count(pixels, pixels + row.sizeInBytes() / 4,
                       list.palette().color(QPalette::Text).rgb()),
            0);
  QStyleOptionViewItem option;
  option.initFrom(&list);
  option.widget = &list;
  const auto width = [&](const QString& name) {
    list.item(0)->setText(name + kNoShips);
    return list.itemDelegate()->sizeHint(option, list.model()->index(0, 0)).width();
  };
  EXPECT_EQ(width("Sol"), width("Deneb Rigel"));
  EXPECT_GT(width(QString(24, 'W')), width("Sol"));  // pushed to the next stop
}

// Adding stops at six; removing and replacing ask first (what replacing keeps and drops, and
// which names it refuses, is checked on the logic); Up and Down move the system and its
// selection; "Check" looks at this battle; leaving asks first, each way; "Finish" validates
// first; "Edit", "Next -->" and a double click go on with the selected system.
TEST(SystemsPage, EditsTheListChecksLeavesAndGoesOn) {
  BattleConfig config = WithSystems({});
  int systemNumber = 1;
  ScriptedSeam seam;
  seam.Expect("SYSTEMBOX", [&config](QDialog& page) {
    EXPECT_EQ(page.windowTitle(), "Battle Configuration <Alpha>  -  Systems ");
    EXPECT_EQ(Rows(Find<QListWidget>(page, "Available Systems")),
              (QStringList{"Sol", "Vega", "Keth", "Arra", "Rigel", "Deneb", "Altair",
                           QString::fromUtf8("R\u00e9")}));
    EXPECT_EQ(Enabled(page), "");
    for (int row : {0, 1, 2, 3, 4, 7}) Pick(page, row, "Add -->");
    EXPECT_EQ(Enabled(page), "Finish");
    SelectRow(Battle(page), 0);
    EXPECT_EQ(Enabled(page), "Replace -->, <-- Remove, Edit, Up, Down, Next -->, Finish");
    Click(page, "<-- Remove");
    Click(page, "<-- Remove");
    EXPECT_EQ(NamesOf(config), (Names{"Vega", "Keth", "Arra", "Rigel", "R\xe9"}));
    // The view would hand the selection on to a neighbour; nothing stays selected.
    EXPECT_EQ(SelectedRow(Battle(page)), -1);
    EXPECT_EQ(Enabled(page), "Add -->, Finish");
    config.systems[1].friends.resize(2);
    config.systems[1].battleMode = BattleMode::Stat;
    config.systems[1].battleModeDefined = true;
    SelectRow(Battle(page), 1);
    Pick(page, 0, "Replace -->");  // "No"
    Click(page, "Replace -->");    // "Yes"
    EXPECT_EQ(
        Rows(Battle(page)).mid(1, 2),
        (QStringList{"Sol\t (2 Friends, 0 Enemies, 0 Neutrals, 0 Hulks)", "Arra" + kNoShips}));
    SelectRow(Battle(page), 0);
    for (const char* button : {"Up", "Down", "Down", "Down", "Down", "Down", "Up"}) {
      Click(page, button);
    }
    EXPECT_EQ(SelectedRow(Battle(page)), 3);
    config.systems.back().name = "Nowhere";
    Click(page, "Check");
    for (int way = 0; way < 3; ++way) Leave(page, way);
    Click(page, "Finish");
    ExpectCountsLineUp(Battle(page));
  });
  seam.Expect("DELETEBOX", [](QDialog& box) {
    EXPECT_EQ(Find<QLabel>(box, "objectLabel").text(), "Sol and all its contents ?");
    Click(box, "No");
  });
  seam.Expect("DELETEBOX", Press("Yes"));
  seam.Expect("REPLACEBOX", [](QDialog& box) {
    EXPECT_EQ(Find<QLabel>(box, "firstLabel").text() + Find<QLabel>(box, "secondLabel").text(),
              "Keth by Sol ? (This will delete all positions given by planets in this system!)");
    Click(box, "No");
  });
  seam.Expect("REPLACEBOX", Press("Yes"));
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
  EXPECT_EQ(NamesOf(config), (Names{"Sol", "Arra", "Rigel", "Vega", "Nowhere"}));
  EXPECT_EQ(config.systems[0].battleMode, BattleMode::AI);
  EXPECT_EQ(systemNumber, 1);
  seam.Expect("SYSTEMBOX", Press("Cancel")).Expect("CANCELBOX", Press("Yes"));
  EXPECT_EQ(RunPage(config, systemNumber), PageResult::Cancel);
  // Closed with "Next" but no system chosen (torn down from outside): nothing to go on with.
  seam.Expect("SYSTEMBOX", [](QDialog& page) { page.done(static_cast<int>(PageResult::Next)); });
  EXPECT_EQ(RunPage(config, systemNumber), PageResult::Cancel);
  for (const auto& [button, number] : {std::pair{"Edit", 1}, {"Next -->", 1}, {"", 3}}) {
    seam.Expect("SYSTEMBOX", [button](QDialog& page) {
      SelectRow(Battle(page), 0);
      *button ? Click(page, button) : ClickRow(Battle(page), 2, true);
    });
    systemNumber = 0;
    EXPECT_EQ(RunPage(config, systemNumber), PageResult::Next);
    EXPECT_EQ(systemNumber, number);
  }
}

// Each list of the check results, by name, and the summary below them.
QStringList CheckShown(QDialog& page) {
  QStringList shown;
  for (const char* name :
       {"Missing Ship Classes Missing", "Missing Ship Classes Details", "Missing Planets Missing",
        "Missing Planets Details", "Missing Systems"}) {
    shown << Rows(Find<QListWidget>(page, name)).join(" | ");
  }
  return shown << Find<QPlainTextEdit>(page, "Check Summary").toPlainText();
}

// Two missing classes (one used twice, in two spellings, one a Windows-1252 "É"), a missing
// planet and an unknown system whose planet is not looked at; then, those fixed, a fine battle
// under an empty title (the flow table sees the list's and the import's titles).
TEST(CheckResultsPage, ListsWhatIsMissingAndReturnsIt) {
  BattleConfig config = WithSystems({"Keth", "Lost"});
  config.player = Ship("\xC9lan");
  config.escorts = {Ship("Warden")};
  StarSystem& keth = config.systems[0];
  keth.friends = {Ship("\xC9LAN")};
  keth.hulks = {Ship("Wreck")};
  keth.enemyPosition.planet = "Zed";
  keth.hulkPosition.planet = "keth prime";
  keth.enemyPlanetDefined = keth.hulkPlanetDefined = true;
  config.systems[1].playerPosition.planet = "Nowhere";
  config.systems[1].playerPlanetDefined = true;
  ScriptedSeam seam;
  seam.Expect("CHECKBOX", [](QDialog& page) {
    EXPECT_EQ(page.windowTitle(), "Check Results");
    EXPECT_EQ(CheckShown(page),
              (QStringList{QString::fromUtf8("Élan | Wreck"),
                           QString::fromUtf8("Élan is defined as player ship | ÉLAN is defined as "
                                             "friendly ship in system Keth | Wreck is defined as "
                                             "hulk in system Keth"),
                           "Zed", "Zed is given as enemy position in system Keth", "Lost",
                           "WARNING! The ships, systems and planets listed here are needed for "
                           "this battle and not registered in your vkships.txt or vk7sys.txt "
                           "file. You may not have these objects!"}));
    Click(page, "OK");
  });
  EXPECT_TRUE(CheckResultsPage::Run(nullptr, config, kShips, kSystems, std::nullopt));
  config.player = Ship("dd");
  keth.friends = keth.hulks = {};
  keth.enemyPlanetDefined = false;
  keth.enemyCoordsDefined = true;  // by coordinates only: the planet is never looked up
  config.systems.pop_back();
  seam.Expect("CHECKBOX", [](QDialog& page) {
    EXPECT_EQ(page.windowTitle(), "Check Results");  // as without a title
    EXPECT_EQ(CheckShown(page), QStringList(5, "-- none --")
                                    << "The battle looks FINE! No missing objects found!");
    Click(page, "OK");
  });
  EXPECT_FALSE(CheckResultsPage::Run(nullptr, config, kShips, kSystems, ""));
}

}  // namespace
}  // namespace vk7
