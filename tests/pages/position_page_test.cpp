#include "pages/position_page.h"

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QPushButton>

#include "pages/page_test_support.h"

namespace vk7 {
namespace {

using namespace test;

const char* const kRoleNames[] = {"Player", "Friends", "Enemies", "Neutrals", "Hulks"};

const SystemCatalog kSystems =
    CatalogFrom<SystemCatalog>("Keth=Keth Prime=Arra\nSol=Mercury=Earth=Mars\n");

const QStringList kSolEntries = {"100   -200   300", "", "Mars", "Earth", ""};

StarSystem Sol() {
  StarSystem system = System("Sol");
  system.playerPosition = ShipPosition{100, -200, 300, ""};
  system.enemyPosition = ShipPosition{0, 0, 0, "Mars"};
  system.neutralPosition = ShipPosition{4, 5, 6, "Earth"};
  system.playerCoordsDefined = system.enemyPlanetDefined = system.neutralPlanetDefined =
      system.neutralCoordsDefined = true;
  return system;
}

// "Ok" keeps the neutrals at their planet only.
StarSystem SolAfterOk() {
  StarSystem system = Sol();
  system.neutralCoordsDefined = false;
  return system;
}

QStringList Entries(QDialog& page) {
  QStringList texts;
  for (const char* name : kRoleNames) texts << Find<QLineEdit>(page, name).text();
  return texts;
}

void Select(QDialog& page, const QString& planet) {
  auto& list = Find<QListWidget>(page, "Available Planets");
  const auto found = list.findItems(planet, Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1);
  list.setCurrentItem(found.front());
}

void ClickRole(QDialog& page, const QString& role, const QString& button) {
  Find<QPushButton>(page, role + " " + button).click();
}

// A coordinates box action: type the three texts and press "Ok".
ScriptedSeam::Action TypeCoordinates(const QString& x, const QString& y, const QString& z) {
  return [=](QDialog& box) {
    for (const auto& [axis, text] : {std::pair{"X", x}, {"Y", y}, {"Z", z}}) {
      Find<QLineEdit>(box, axis).setText(text);
    }
    Click(box, "Ok");
  };
}

void RunPage(StarSystem& system, const SystemCatalog& systems = kSystems) {
  BattleConfig config;
  PositionPage::Run(nullptr, config, system, systems);
}

TEST(PositionPage, OpensWithTheSystemsPositionsAndPlanets) {
  StarSystem system = Sol();
  ScriptedSeam seam;
  seam.Expect("POSITIONBOX", [](QDialog& page) {
    EXPECT_EQ(page.windowTitle(), "Sol Positions");
    EXPECT_EQ(Rows(Find<QListWidget>(page, "Available Planets")),
              (QStringList{"Mercury", "Earth", "Mars"}));
    EXPECT_TRUE(Find<QListWidget>(page, "Available Planets").selectedItems().isEmpty());
    EXPECT_EQ(Entries(page), kSolEntries);
    for (const char* name : kRoleNames) EXPECT_TRUE(Find<QLineEdit>(page, name).isReadOnly());
    EXPECT_TRUE(Button(page, "Ok").property("default").toBool());
    Click(page, "Cancel");
  });
  RunPage(system);
}

TEST(PositionPage, RoleButtonTakesTheSelectedPlanetAndKeepsTheSelection) {
  StarSystem system = Sol();
  ScriptedSeam seam;
  seam.Expect("POSITIONBOX", [](QDialog& page) {
    Click(page, "Friends -->");  // nothing selected yet
    EXPECT_EQ(Entries(page), kSolEntries);
    Select(page, "Earth");
    Click(page, "Friends -->");
    Click(page, "Player -->");
    EXPECT_EQ(Entries(page), (QStringList{"Earth", "Earth", "Mars", "Earth", ""}));
    EXPECT_EQ(Find<QListWidget>(page, "Available Planets").currentItem()->text(), "Earth");
    Click(page, "Ok");
  });
  RunPage(system);
  StarSystem expected = SolAfterOk();
  expected.friendPosition.planet = expected.playerPosition.planet = "Earth";
  expected.friendPlanetDefined = expected.playerPlanetDefined = true;
  expected.playerCoordsDefined = false;  // x, y and z stay as they were
  EXPECT_EQ(system, expected);
}

TEST(PositionPage, CoordinatesAreTypedInTheBoxAndStoredAsWholeNumbers) {
  StarSystem system = Sol();
  ScriptedSeam seam;
  seam.Expect("POSITIONBOX",
              [](QDialog& page) {
                ClickRole(page, "Enemies", "XYZ-Coord.");
                EXPECT_EQ(Find<QLineEdit>(page, "Enemies").text(), "12.5   -3   0");
                Click(page, "Ok");
              })
      .Expect("POSCOORDBOX", [](QDialog& box) {
        EXPECT_EQ(box.windowTitle(), "Position Coordinates");
        // The enemies start at a planet, so the box starts empty.
        for (const char* axis : {"X", "Y", "Z"}) {
          EXPECT_EQ(Find<QLineEdit>(box, axis).text(), "");
          EXPECT_EQ(Find<QLineEdit>(box, axis).maxLength(), 254);  // what the box reads
        }
        TypeCoordinates("12.5", " -3", "0\t")(box);
      });
  RunPage(system);
  StarSystem expected = SolAfterOk();
  expected.enemyPosition = ShipPosition{12, -3, 0, "Mars"};
  expected.enemyCoordsDefined = true;
  expected.enemyPlanetDefined = false;
  EXPECT_EQ(system, expected);
}

TEST(PositionPage, CoordinatesBoxShowsTheCurrentValuesAndCancelChangesNothing) {
  StarSystem system = Sol();
  ScriptedSeam seam;
  seam.Expect("POSITIONBOX",
              [](QDialog& page) {
                ClickRole(page, "Player", "XYZ-Coord.");
                ClickRole(page, "Hulks", "XYZ-Coord.");
                EXPECT_EQ(Entries(page), kSolEntries);
                Click(page, "Ok");
              })
      .Expect("POSCOORDBOX",
              [](QDialog& box) {
                EXPECT_EQ(Find<QLineEdit>(box, "X").text() + Find<QLineEdit>(box, "Y").text() +
                              Find<QLineEdit>(box, "Z").text(),
                          "100-200300");
                Find<QLineEdit>(box, "X").setText("1");
                Click(box, "Cancel");
              })
      .Expect("POSCOORDBOX", [](QDialog& box) {
        Find<QLineEdit>(box, "X").setText("1");
        QTest::keyClick(&box, Qt::Key_Escape);
      });
  RunPage(system);
  EXPECT_EQ(system, SolAfterOk());
}

TEST(PositionPage, InvalidCoordinateKeepsTheBoxOpenOnThatField) {
  StarSystem system = Sol();
  ScriptedSeam seam;
  seam.Expect("POSITIONBOX",
              [](QDialog& page) {
                ClickRole(page, "Neutrals", "XYZ-Coord.");
                EXPECT_EQ(Find<QLineEdit>(page, "Neutrals").text(), "-   .   -.5");
                Click(page, "Ok");
              })
      .Expect("POSCOORDBOX",
              [](QDialog& box) {
                auto& y = Find<QLineEdit>(box, "Y");
                TypeCoordinates("7", "+2", "1e5")(box);
                EXPECT_TRUE(box.isVisible());
                EXPECT_EQ(box.focusWidget(), &y);
                EXPECT_EQ(y.selectedText(), "+2");
                y.setText("1..2");
                Click(box, "Ok");
                EXPECT_TRUE(box.isVisible());
                TypeCoordinates("-", ".", "-.5")(box);
                EXPECT_FALSE(box.isVisible());
              })
      .Expect("ERRORBOX", Refused("Invalid coordinates!"))
      .Expect("ERRORBOX", Press("Cancel"));  // two points in Y
  RunPage(system);
  StarSystem expected = Sol();
  expected.neutralPosition = ShipPosition{0, 0, 0, "Earth"};
  expected.neutralPlanetDefined = false;
  EXPECT_EQ(system, expected);
}

TEST(PositionPage, ClearThenOkLowersBothFlags) {
  StarSystem system = Sol();
  ScriptedSeam seam;
  seam.Expect("POSITIONBOX", [](QDialog& page) {
    for (const char* name : kRoleNames) ClickRole(page, name, "Clear");
    EXPECT_EQ(Entries(page), (QStringList{"", "", "", "", ""}));
    Click(page, "Ok");
  });
  RunPage(system);
  StarSystem expected = Sol();
  expected.playerCoordsDefined = expected.enemyPlanetDefined = expected.neutralPlanetDefined =
      expected.neutralCoordsDefined = false;
  EXPECT_EQ(system, expected);
}

TEST(PositionPage, CancelAndEscapeLeaveTheSystemUntouched) {
  for (const bool escape : {false, true}) {
    StarSystem system = Sol();
    ScriptedSeam seam;
    seam.Expect("POSITIONBOX",
                [escape](QDialog& page) {
                  for (const char* name : kRoleNames) ClickRole(page, name, "Clear");
                  Select(page, "Mercury");
                  Click(page, "Hulks -->");
                  ClickRole(page, "Friends", "XYZ-Coord.");
                  if (escape) {
                    QTest::keyClick(&page, Qt::Key_Escape);
                  } else {
                    Click(page, "Cancel");
                  }
                })
        .Expect("POSCOORDBOX", TypeCoordinates("1", "2", "3"));
    RunPage(system);
    EXPECT_EQ(system, Sol()) << (escape ? "Escape" : "Cancel");
  }
}

TEST(PositionPage, UnknownSystemHasNoPlanetsButKeepsItsEntries) {
  StarSystem system = Sol();
  system.name = "Nowhere";
  ScriptedSeam seam;
  seam.Expect("POSITIONBOX",
              [](QDialog& page) {
                EXPECT_EQ(page.windowTitle(), "Nowhere Positions");
                EXPECT_EQ(Find<QListWidget>(page, "Available Planets").count(), 0);
                Click(page, "Player -->");
                ClickRole(page, "Friends", "XYZ-Coord.");
                EXPECT_EQ(Entries(page),
                          (QStringList{"100   -200   300", "1   2   3", "Mars", "Earth", ""}));
                Click(page, "Ok");
              })
      .Expect("POSCOORDBOX", TypeCoordinates("1", "2", "3"));
  RunPage(system);
  StarSystem expected = SolAfterOk();
  expected.name = "Nowhere";
  expected.friendPosition = ShipPosition{1, 2, 3, ""};
  expected.friendCoordsDefined = true;
  EXPECT_EQ(system, expected);
}

TEST(PositionPage, PlanetNamesCrossTheWidgetsAsWindows1252) {
  // "Épsilon" and "Æther" in Windows-1252.
  const SystemCatalog systems = CatalogFrom<SystemCatalog>("Vega=\xC9psilon=\xC6ther\n");
  StarSystem system;
  system.name = "vega";  // the catalog is searched regardless of case
  system.hulkPosition.planet = "\xC6ther";
  system.hulkPlanetDefined = true;
  ScriptedSeam seam;
  seam.Expect("POSITIONBOX", [](QDialog& page) {
    EXPECT_EQ(Rows(Find<QListWidget>(page, "Available Planets")),
              (QStringList{QString::fromUtf8("Épsilon"), QString::fromUtf8("Æther")}));
    EXPECT_EQ(Find<QLineEdit>(page, "Hulks").text(), QString::fromUtf8("Æther"));
    Select(page, QString::fromUtf8("Épsilon"));
    Click(page, "Player -->");
    Click(page, "Ok");
  });
  RunPage(system, systems);
  EXPECT_EQ(system.playerPosition.planet, "\xC9psilon");
  EXPECT_EQ(system.hulkPosition.planet, "\xC6ther");
}

}  // namespace
}  // namespace vk7
