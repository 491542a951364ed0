#include "pages/position_page.h"

#include <gtest/gtest.h>
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

const char* const kRoleNames[] = {"Player", "Friends", "Enemies", "Neutrals", "Hulks"};

SystemCatalog Catalog(const std::string& text) {
  TextLineFile source;
  source.OpenMemory(text);
  SystemCatalog catalog;
  catalog.Read(source);
  return catalog;
}

const SystemCatalog kSystems = Catalog("Keth=Keth Prime=Arra\nSol=Mercury=Earth=Mars\n");

StarSystem Sol() {
  StarSystem system;
  system.name = "Sol";
  system.nameDefined = true;
  system.playerPosition = ShipPosition{100, -200, 300, ""};
  system.playerCoordsDefined = true;
  system.enemyPosition = ShipPosition{0, 0, 0, "Mars"};
  system.enemyPlanetDefined = true;
  system.neutralPosition = ShipPosition{4, 5, 6, "Earth"};
  system.neutralPlanetDefined = true;
  system.neutralCoordsDefined = true;
  return system;
}

QStringList Rows(QListWidget& list) {
  QStringList rows;
  for (int i = 0; i < list.count(); ++i) rows << list.item(i)->text();
  return rows;
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
    Find<QLineEdit>(box, "X").setText(x);
    Find<QLineEdit>(box, "Y").setText(y);
    Find<QLineEdit>(box, "Z").setText(z);
    test::Click(box, "Ok");
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
    EXPECT_EQ(Entries(page), (QStringList{"100   -200   300", "", "Mars", "Earth", ""}));
    for (const char* name : kRoleNames) {
      EXPECT_TRUE(Find<QLineEdit>(page, name).isReadOnly()) << name;
      EXPECT_EQ(Find<QPushButton>(page, QString(name) + " -->").text(), QString(name) + " -->");
    }
    EXPECT_TRUE(test::Button(page, "Ok").property("default").toBool());
    test::Click(page, "Cancel");
  });
  RunPage(system);
}

TEST(PositionPage, RoleButtonTakesTheSelectedPlanetAndKeepsTheSelection) {
  StarSystem system = Sol();
  ScriptedSeam seam;
  seam.Expect("POSITIONBOX", [](QDialog& page) {
    test::Click(page, "Friends -->");  // nothing selected yet
    EXPECT_EQ(Entries(page), (QStringList{"100   -200   300", "", "Mars", "Earth", ""}));
    Select(page, "Earth");
    test::Click(page, "Friends -->");
    test::Click(page, "Player -->");
    EXPECT_EQ(Entries(page), (QStringList{"Earth", "Earth", "Mars", "Earth", ""}));
    EXPECT_EQ(Find<QListWidget>(page, "Available Planets").currentItem()->text(), "Earth");
    test::Click(page, "Ok");
  });
  RunPage(system);
  StarSystem expected = Sol();
  expected.friendPosition.planet = "Earth";
  expected.friendPlanetDefined = true;
  expected.playerPosition.planet = "Earth";
  expected.playerPlanetDefined = true;
  expected.playerCoordsDefined = false;  // x, y and z stay as they were
  expected.neutralCoordsDefined = false;
  EXPECT_EQ(system, expected);
}

TEST(PositionPage, CoordinatesAreTypedInTheBoxAndStoredAsWholeNumbers) {
  StarSystem system = Sol();
  ScriptedSeam seam;
  seam.Expect("POSITIONBOX",
              [](QDialog& page) {
                ClickRole(page, "Enemies", "XYZ-Coord.");
                EXPECT_EQ(Find<QLineEdit>(page, "Enemies").text(), "12.5   -3   0");
                test::Click(page, "Ok");
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
  StarSystem expected = Sol();
  expected.enemyPosition = ShipPosition{12, -3, 0, "Mars"};
  expected.enemyCoordsDefined = true;
  expected.enemyPlanetDefined = false;
  expected.neutralCoordsDefined = false;
  EXPECT_EQ(system, expected);
}

TEST(PositionPage, CoordinatesBoxShowsTheCurrentValuesAndCancelChangesNothing) {
  StarSystem system = Sol();
  ScriptedSeam seam;
  seam.Expect(
          "POSITIONBOX",
          [](QDialog& page) {
            ClickRole(page, "Player", "XYZ-Coord.");
            ClickRole(page, "Hulks", "XYZ-Coord.");
            EXPECT_EQ(Entries(page), (QStringList{"100   -200   300", "", "Mars", "Earth", ""}));
            test::Click(page, "Ok");
          })
      .Expect("POSCOORDBOX",
              [](QDialog& box) {
                EXPECT_EQ(Find<QLineEdit>(box, "X").text(), "100");
                EXPECT_EQ(Find<QLineEdit>(box, "Y").text(), "-200");
                EXPECT_EQ(Find<QLineEdit>(box, "Z").text(), "300");
                Find<QLineEdit>(box, "X").setText("1");
                test::Click(box, "Cancel");
              })
      .Expect("POSCOORDBOX", [](QDialog& box) {
        Find<QLineEdit>(box, "X").setText("1");
        QTest::keyClick(&box, Qt::Key_Escape);
      });
  RunPage(system);
  StarSystem expected = Sol();
  expected.neutralCoordsDefined = false;
  EXPECT_EQ(system, expected);
}

TEST(PositionPage, InvalidCoordinateKeepsTheBoxOpenOnThatField) {
  StarSystem system = Sol();
  ScriptedSeam seam;
  seam.Expect("POSITIONBOX",
              [](QDialog& page) {
                ClickRole(page, "Neutrals", "XYZ-Coord.");
                EXPECT_EQ(Find<QLineEdit>(page, "Neutrals").text(), "-   .   -.5");
                test::Click(page, "Ok");
              })
      .Expect("POSCOORDBOX",
              [](QDialog& box) {
                auto& y = Find<QLineEdit>(box, "Y");
                TypeCoordinates("7", "+2", "1e5")(box);
                EXPECT_TRUE(box.isVisible());
                EXPECT_EQ(box.focusWidget(), &y);
                EXPECT_EQ(y.selectedText(), "+2");
                y.setText("1..2");
                test::Click(box, "Ok");
                EXPECT_TRUE(box.isVisible());
                TypeCoordinates("-", ".", "-.5")(box);
                EXPECT_FALSE(box.isVisible());
              })
      .Expect("ERRORBOX",
              [](QDialog& error) {
                EXPECT_EQ(error.windowTitle(), "Error");
                EXPECT_EQ(test::MessageText(error), "Invalid coordinates!");
                test::Click(error, "Cancel");
              })
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
    test::Click(page, "Ok");
  });
  RunPage(system);
  StarSystem expected = Sol();
  expected.playerCoordsDefined = false;
  expected.enemyPlanetDefined = false;
  expected.neutralPlanetDefined = false;
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
                  test::Click(page, "Hulks -->");
                  ClickRole(page, "Friends", "XYZ-Coord.");
                  if (escape) {
                    QTest::keyClick(&page, Qt::Key_Escape);
                  } else {
                    test::Click(page, "Cancel");
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
                test::Click(page, "Player -->");
                ClickRole(page, "Friends", "XYZ-Coord.");
                EXPECT_EQ(Entries(page),
                          (QStringList{"100   -200   300", "1   2   3", "Mars", "Earth", ""}));
                test::Click(page, "Ok");
              })
      .Expect("POSCOORDBOX", TypeCoordinates("1", "2", "3"));
  RunPage(system);
  EXPECT_EQ(system.enemyPosition.planet, "Mars");
  EXPECT_TRUE(system.enemyPlanetDefined);
  EXPECT_EQ(system.friendPosition, (ShipPosition{1, 2, 3, ""}));
  EXPECT_TRUE(system.friendCoordsDefined);
  EXPECT_EQ(system.playerPosition, (ShipPosition{100, -200, 300, ""}));
}

TEST(PositionPage, PlanetNamesCrossTheWidgetsAsWindows1252) {
  // "Épsilon" and "Æther" in Windows-1252.
  const SystemCatalog systems = Catalog("Vega=\xC9psilon=\xC6ther\n");
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
    test::Click(page, "Player -->");
    test::Click(page, "Ok");
  });
  RunPage(system, systems);
  EXPECT_EQ(system.playerPosition.planet, "\xC9psilon");
  EXPECT_EQ(system.hulkPosition.planet, "\xC6ther");
}

}  // namespace
}  // namespace vk7
