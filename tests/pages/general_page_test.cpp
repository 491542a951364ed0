#include "pages/general_page.h"

#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>

#include "pages/page_test_support.h"

namespace vk7 {
namespace {

using namespace test;

// The buttons that can be pressed, besides "Options" and "Cancel", which always can.
QString Enabled(QDialog& page) {
  return EnabledOf(page, {"Select -->", "Add -->", "Remove <--", "Next -->", "Finish"});
}

// A player and escorts are taken from the catalog; "Finish" is refused while an escort's name
// clashes with the player's default name; double clicks name the ships (a taken name changes
// nothing), a new class keeps the player's name, and the options box, cancelled, changes
// nothing. Leaving asks first, each way.
TEST(GeneralPage, TakesNamesAndClassesFinishesAndLeaves) {
  // "Br\xe9" is a Windows-1252 "é": rows cross into the widgets converted.
  const auto ships =
      CatalogFrom<ShipCatalog>("Heavy Cruiser=HC1\nDestroyer=DD\nScout=SC\nBr\xe9ka=BRK\n");
  BattleConfig config;
  config.name = "Alpha";
  config.escorts = {Ship("SC", "DD P"), Ship("HC1", "Hawk")};
  config.systems = {System("Sol"), System("Vega"), System("Keth")};
  config.systems[2].friends = {Ship("SC", "Kestrel")};
  BattleConfig expected = config;
  expected.player = Ship("BRK", "Endeavour");
  expected.escorts = {Ship("SC", "Falcon"), Ship("HC1", "Hawk"), Ship("BRK"), Ship("BRK")};
  ScriptedSeam seam;
  seam.Expect("GENERALBOX", [](QDialog& page) {
    EXPECT_EQ(page.windowTitle(), "Battle Configuration <Alpha>  -  General Parameters");
    QListWidget& available = Find<QListWidget>(page, "Available Ships");
    QListWidget& escort = Find<QListWidget>(page, "Escort");
    QListWidget& player = Find<QListWidget>(page, "Player Ship");
    EXPECT_EQ(Rows(available) + Rows(player),
              (QStringList{"HC1   (Heavy Cruiser)", "DD   (Destroyer)", "SC   (Scout)",
                           QString::fromUtf8("BRK   (Br\u00e9ka)")}));
    EXPECT_EQ(Enabled(page), "Finish");
    SelectRow(available, 1);
    EXPECT_EQ(Enabled(page), "Select -->, Add -->, Finish");
    Click(page, "Select -->");
    Click(page, "Add -->");
    SelectRow(available, 3);
    Click(page, "Add -->");
    Click(page, "Add -->");
    SelectRow(escort, 2);
    EXPECT_EQ(Enabled(page), "Select -->, Add -->, Remove <--, Next -->, Finish");
    Click(page, "Remove <--");
    // The view would hand the selection on to a neighbour; nothing stays selected.
    EXPECT_EQ(SelectedRow(escort), -1);
    EXPECT_EQ(Enabled(page), "Select -->, Add -->, Next -->, Finish");
    Click(page, "Options");
    Click(page, "Finish");
    ClickRow(escort, 0, true);
    ClickRow(escort, 1, true);
    EXPECT_EQ(Rows(player) + Rows(escort),
              (QStringList{"DD", "SC --> Falcon", "HC1 --> Hawk", "BRK", "BRK"}));
    ClickRow(player, 0, true);
    Click(page, "Select -->");
    EXPECT_EQ(Rows(player), QStringList{"BRK --> Endeavour"});
    for (int way = 0; way < 3; ++way) Leave(page, way);
    Click(page, "Finish");
  });
  seam.Expect("GENERALOPTIONBOX", Press("Cancel"));
  seam.Expect("ERRORBOX",
              Refused("Your escort ship name DD P conflicts with a default player ship name . "
                      "Please change this name!"));
  seam.Expect("NAMEBOX", [](QDialog& box) {
    EXPECT_EQ(box.windowTitle() + ": " + Find<QLabel>(box, "promptLabel").text(),
              "Ship Name: Set the name of the SC class escort");
    auto& edit = Find<QLineEdit>(box, "Set the name of the SC class escort");
    EXPECT_EQ(edit.text(), "DD P");
    edit.setText(" Falcon ");
    Click(box, "Ok");
  });
  seam.Expect("NAMEBOX", TypeAndPress("Set the name of the HC1 class escort", "Kestrel", "Ok"));
  seam.Expect("ERRORBOX",
              Refused("Ship name Kestrel already used for a friendly ship in system 3"));
  seam.Expect("NAMEBOX",
              TypeAndPress("Set the name of the DD class player ship", "Endeavour", "Ok"));
  for (int way = 0; way < 3; ++way) seam.Expect("CANCELBOX", Press("No"));
  EXPECT_EQ(GeneralPage::Run(nullptr, config, ships), PageResult::Finish);
  EXPECT_EQ(config, expected);
  config.systems.clear();
  seam.Expect("GENERALBOX", [](QDialog& page) {
    EXPECT_EQ(Enabled(page), "Next -->");  // "Finish" waits for a system
    Leave(page, 2);
  });
  seam.Expect("CANCELBOX", Press("Yes"));
  EXPECT_EQ(GeneralPage::Run(nullptr, config, ships), PageResult::Cancel);
}

}  // namespace
}  // namespace vk7
