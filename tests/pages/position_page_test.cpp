#include "pages/position_page.h"

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QPushButton>

#include "pages/page_test_support.h"

namespace vk7 {
namespace {

using namespace test;

const QString kEpsilon = QString::fromUtf8("Épsilon"), kAether = QString::fromUtf8("Æther");

// The texts of the named line edits, which must be read-only if `readOnly`.
QStringList Texts(QDialog& page, const QStringList& names, bool readOnly = false) {
  QStringList texts;
  for (const QString& name : names) {
    EXPECT_TRUE(!readOnly || Find<QLineEdit>(page, name).isReadOnly()) << name.toStdString();
    texts << Find<QLineEdit>(page, name).text();
  }
  return texts;
}
QStringList Entries(QDialog& page) {
  return Texts(page, {"Player", "Friends", "Enemies", "Neutrals", "Hulks"}, true);
}
void Role(QDialog& page, const QString& role, const QString& button) {
  Find<QPushButton>(page, role + " " + button).click();
}
// Types the three texts into the coordinates box and presses "Ok".
void Type(QDialog& box, const QStringList& texts) {
  for (int i = 0; i < 3; ++i) Find<QLineEdit>(box, QString("XYZ")[i]).setText(texts[i]);
  Click(box, "Ok");
}

TEST(PositionPage, ShowsTheSystemStoresOnOkAndNothingOnCancel) {
  // "Épsilon" and "Æther" in Windows-1252.
  const auto planets = CatalogFrom<SystemCatalog>("Keth=Keth Prime\nVega=\xC9psilon=\xC6ther\n");
  StarSystem system = System("vega");  // the catalog is searched regardless of case
  system.playerPosition = ShipPosition{100, -200, 300, ""};
  system.enemyPosition = ShipPosition{0, 0, 0, "Mars"};
  system.hulkPosition.planet = "\xC6ther";
  system.neutralPosition =
      ShipPosition{5, 6, 7, "Keth Prime"};  // coordinates win, as a save writes them
  system.playerCoordsDefined = system.enemyPlanetDefined = system.hulkPlanetDefined = true;
  system.neutralCoordsDefined = system.neutralPlanetDefined = true;
  const StarSystem before = system;
  BattleConfig config;
  ScriptedSeam seam;
  seam.Expect("POSITIONBOX",
              [](QDialog& page) {
                EXPECT_EQ(page.windowTitle(), "vega Positions");
                auto& list = Find<QListWidget>(page, "Available Planets");
                EXPECT_EQ(Rows(list), (QStringList{kEpsilon, kAether}));
                EXPECT_TRUE(list.selectedItems().isEmpty());
                EXPECT_EQ(Entries(page),
                          (QStringList{"100   -200   300", "", "Mars", "5   6   7", kAether}));
                EXPECT_TRUE(Button(page, "Ok").property("default").toBool());
                Role(page, "Player", "XYZ-Coord.");
                Role(page, "Hulks", "Clear");
                list.setCurrentRow(0);
                Click(page, "Friends -->");
                EXPECT_EQ(Entries(page),
                          (QStringList{"100   -200   300", kEpsilon, "Mars", "5   6   7", ""}));
                Click(page, "Cancel");
              })
      .Expect("POSCOORDBOX", [](QDialog& box) {
        EXPECT_EQ(box.windowTitle(), "Position Coordinates");
        EXPECT_EQ(Texts(box, {"X", "Y", "Z"}), (QStringList{"100", "-200", "300"}));
        Find<QLineEdit>(box, "X").setText("1");
        Click(box, "Cancel");
      });
  PositionPage::Run(nullptr, config, system, planets);
  EXPECT_EQ(system, before);

  seam.Expect("POSITIONBOX",
              [](QDialog& page) {
                Click(page, "Neutrals -->");  // nothing selected yet
                Find<QListWidget>(page, "Available Planets").setCurrentRow(0);
                Click(page, "Friends -->");
                Click(page, "Player -->");
                EXPECT_EQ(Find<QListWidget>(page, "Available Planets").currentRow(), 0);
                Role(page, "Enemies", "XYZ-Coord.");
                Role(page, "Hulks", "Clear");
                EXPECT_EQ(Entries(page),
                          (QStringList{kEpsilon, kEpsilon, "12.5   -3   0", "5   6   7", ""}));
                Click(page, "Ok");
              })
      .Expect("POSCOORDBOX",
              [](QDialog& box) {
                // The enemies start at a planet, so the box starts empty.
                EXPECT_EQ(Texts(box, {"X", "Y", "Z"}), QStringList(3, ""));
                EXPECT_EQ(Find<QLineEdit>(box, "Z").maxLength(), 254);  // what the box reads
                Type(box, {"7", "+2", "1e5"});
                EXPECT_EQ(box.focusWidget(), &Find<QLineEdit>(box, "Y"));
                EXPECT_EQ(Find<QLineEdit>(box, "Y").selectedText(), "+2");
                Type(box, {"12.5", " -3", "0\t"});
                EXPECT_FALSE(box.isVisible());
              })
      .Expect("ERRORBOX", Refused("Invalid coordinates!"));
  PositionPage::Run(nullptr, config, system, planets);
  StarSystem expected = before;
  expected.friendPosition.planet = expected.playerPosition.planet = "\xC9psilon";
  expected.friendPlanetDefined = expected.playerPlanetDefined = true;
  expected.enemyPosition = ShipPosition{12, -3, 0, "Mars"};
  expected.enemyCoordsDefined = true;
  expected.playerCoordsDefined = expected.enemyPlanetDefined = expected.hulkPlanetDefined = false;
  expected.neutralPlanetDefined = false;
  EXPECT_EQ(system, expected);
}

}  // namespace
}  // namespace vk7
