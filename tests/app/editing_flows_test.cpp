// Whole editing runs started from the battle list: create, edit, save, save under, cancel,
// "Back", the finish rules and a refused save, checked on the files they leave.
#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>

#include "app/flow_support.h"

namespace vk7 {
namespace {

using namespace test;

TEST(EditingFlows, CreatesABattleThroughEveryPageAndListsItWhenTheListCloses) {
  GameCopy copy;
  const std::string indexBefore = ReadBytes(copy.Index());
  ScriptedSeam seam;
  seam.Expect("STARTBOX", [&](QDialog& window) {
    EXPECT_EQ(window.windowTitle(), "Available Battles");
    EXPECT_EQ(Rows(BattleList(window)), Rows(kDemoBattles));
    Click(window, "Create Battle");
    EXPECT_EQ(Rows(BattleList(window)), Rows(DemoAnd("Night Watch")));
    EXPECT_EQ(ReadBytes(copy.Index()), indexBefore);  // written only when the window closes
    Click(window, "Close");
  });
  seam.Expect("CREATEBOX", [](QDialog& box) {
    auto& name = Find<QLineEdit>(box, "nameEdit");
    EXPECT_EQ(name.text(), "");  // nothing selected, nothing offered
    name.setText("  Night Watch\t");
    Click(box, "Ok");
  });
  seam.Expect("GENERALBOX", [](QDialog& page) {
    EXPECT_EQ(page.windowTitle(), "Battle Configuration <Night Watch>  -  General Parameters");
    auto& available = Find<QListWidget>(page, "Available Ships");
    SelectRow(available, 2);
    Click(page, "Select -->");
    SelectRow(available, 0);
    Click(page, "Add -->");
    DoubleClickRow(Find<QListWidget>(page, "Escort"), 0);
    EXPECT_EQ(Rows(Find<QListWidget>(page, "Escort")), QStringList{"TALON --> Swift"});
    Click(page, "Options");
    Click(page, "Next -->");
  });
  seam.Expect("NAMEBOX", [](QDialog& box) {
    EXPECT_EQ(Find<QLabel>(box, "promptLabel").text(), "Set the name of the TALON class escort");
    Find<QLineEdit>(box, "nameEdit").setText(" Swift ");
    Click(box, "Ok");
  });
  seam.Expect("GENERALOPTIONBOX", [](QDialog& page) {
    auto& title = Find<QLineEdit>(page, "Title");
    title.clear();
    QTest::keyClicks(&title, "Night Watch");
    Find<QRadioButton>(page, "warpOutSequential").click();
    Click(page, "Ok");
  });
  seam.Expect("SYSTEMBOX", [](QDialog& page) {
    auto& available = Find<QListWidget>(page, "Available Systems");
    SelectRow(available, 0);
    Click(page, "Add -->");
    SelectRow(available, 3);
    Click(page, "Add -->");
    auto& systems = Find<QListWidget>(page, "Systems");
    EXPECT_EQ(systems.count(), 2);
    SelectRow(systems, 0);
    Click(page, "Edit");
  });
  seam.Expect("SYSTEMBOX1", [](QDialog& page) {
    EXPECT_EQ(
        page.windowTitle(),
        "Battle Configuration <Night Watch>  -  System 1 of 2 <Keth>  -  Enemies and Friends");
    auto& available = Find<QListWidget>(page, "Available Ships");
    SelectRow(available, 1);
    Find<QPushButton>(page, "Add to Friends").click();
    SelectRow(available, 7);
    Find<QPushButton>(page, "Add to Enemies").click();
    Find<QPushButton>(page, "Add to Enemies").click();
    DoubleClickRow(Find<QListWidget>(page, "Enemies"), 1);
    Click(page, "Options");
    Click(page, "Positions");
    Click(page, "Actions");
    Click(page, "Next -->");
  });
  seam.Expect("NAMEBOX", [](QDialog& box) {
    EXPECT_EQ(Find<QLabel>(box, "promptLabel").text(),
              "Set the name of the VEYR-R class enemy ship");
    Find<QLineEdit>(box, "nameEdit").setText("Fang");
    Click(box, "Ok");
  });
  seam.Expect("SYSTEMOPTIONBOX", [](QDialog& page) {
    QTest::keyClicks(&Find<QLineEdit>(page, "Stardate"), "4600");
    Find<QPlainTextEdit>(page, "Starting Dialogs").setPlainText("Control: Good hunting.");
    Click(page, "Ok");
  });
  seam.Expect("POSITIONBOX", [](QDialog& page) {
    SelectRow(Find<QListWidget>(page, "Available Planets"), 0);
    Click(page, "Player -->");
    Click(page, "Ok");
  });
  seam.Expect("ACTIONBOX", [](QDialog& page) {
    Find<QRadioButton>(page, "enemyWarpInAfter").click();
    QTest::keyClicks(&Find<QLineEdit>(page, "Enemy warp-in time"), "30");
    Click(page, "OK");
  });
  seam.Expect("SYSTEMBOX2", [](QDialog& page) {
    EXPECT_EQ(page.windowTitle(),
              "Battle Configuration <Night Watch>  -  System 1 of 2 <Keth>  -  Neutrals and Hulks");
    auto& available = Find<QListWidget>(page, "Available Ships");
    SelectRow(available, 6);
    Find<QPushButton>(page, "Add to Neutrals").click();
    SelectRow(available, 10);
    Find<QPushButton>(page, "Add to Hulks").click();
    Click(page, "Actions/Beh.");
    Click(page, "Finish");
  });
  seam.Expect("NBEHAVIORBOX", [](QDialog& page) {
    Find<QRadioButton>(page, "behaviorRandom").click();
    Click(page, "OK");
  });
  ExpectSave(seam, "Night Watch");
  RunList(copy, seam);
  EXPECT_EQ(ReadBytes(copy.Index()), IndexBytes(DemoAnd("Night Watch")));
  const BattleConfig saved = ReadBattle(copy.Battle("Night Watch"), "Night Watch");
  EXPECT_EQ(saved.remarks, std::vector<std::string>{kCreatedByRemark});
  EXPECT_EQ(saved.title.title, "Night Watch");
  EXPECT_TRUE(saved.options.warpOutDefined && saved.options.warpOut == WarpOutMode::Sequential);
  EXPECT_EQ(saved.player, Ship("HALBERD"));
  EXPECT_EQ(saved.escorts, std::vector<ShipEntry>{Ship("TALON", "Swift")});
  ASSERT_EQ(saved.systems.size(), 2u);
  const StarSystem& keth = saved.systems[0];
  EXPECT_EQ(keth.name, "Keth");
  EXPECT_EQ(keth.friends, std::vector<ShipEntry>{Ship("WARDEN")});
  EXPECT_EQ(keth.enemies, (std::vector<ShipEntry>{Ship("VEYR-R"), Ship("VEYR-R", "Fang")}));
  EXPECT_EQ(keth.neutrals, std::vector<ShipEntry>{Ship("ORRIN")});
  EXPECT_EQ(keth.hulks, std::vector<ShipEntry>{Ship("HAULER")});
  EXPECT_TRUE(keth.stardateDefined && keth.stardate == 4600);
  EXPECT_EQ(keth.Dialogs(DialogEvent::StartingDialog),
            (std::vector<DialogLine>{{"Control", "Good hunting.", "", true, true, true}}));
  EXPECT_TRUE(keth.playerPlanetDefined);
  EXPECT_EQ(keth.playerPosition.planet, "Keth Prime");
  EXPECT_TRUE(keth.enemyWarpInDefined && keth.enemyWarpInAfter == 30);
  EXPECT_TRUE(keth.neutralBehaviorDefined && keth.neutralBehavior == NeutralBehavior::Random);
  StarSystem calder;  // only added
  calder.name = "Calder";
  calder.nameDefined = true;
  EXPECT_EQ(saved.systems[1], calder);
}

TEST(EditingFlows, CancellingACreatedBattleWritesNothing) {
  GameCopy copy;
  const auto before = copy.Snapshot();
  ScriptedSeam seam;
  seam.Expect("STARTBOX", [](QDialog& window) {
    Click(window, "Create Battle");
    EXPECT_EQ(Rows(BattleList(window)), Rows(kDemoBattles));
    Click(window, "Close");
  });
  seam.Expect("CREATEBOX", TypeName("Night Watch"));
  seam.Expect("GENERALBOX", [](QDialog& page) {
    SelectRow(Find<QListWidget>(page, "Available Ships"), 2);
    Click(page, "Select -->");
    Click(page, "Next -->");
  });
  ExpectCancelled(seam, "SYSTEMBOX");
  RunList(copy, seam);
  EXPECT_EQ(copy.Snapshot(), before);
}

TEST(EditingFlows, EditingSavedUnderAnotherNameKeepsTheOldBattle) {
  struct Case {
    const char* typed;
    std::string savedAs;   // the name the saved message and the list report
    std::string fileName;  // the battle file that receives it
    bool overwriteAsked;
    std::vector<std::string> rows;
    bool doubleClick;  // opened by a double click instead of "Edit Battle"
  };
  const std::vector<Case> cases = {
      {" Patrol Two ", "Patrol Two", "Patrol Two", false, DemoAnd("Patrol Two"), false},
      // A listed battle in other letter case: its file is overwritten, no second entry.
      {"convoy run", "convoy run", "Convoy Run", true, kDemoBattles, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    GameCopy copy;
    const std::string oldBytes = ReadBytes(copy.Battle("First Patrol"));
    BattleConfig expected = ReadBattle(copy.Battle("First Patrol"), "First Patrol");
    expected.escorts.push_back(Ship("WARDEN"));
    expected.name = c.savedAs;
    ScriptedSeam seam;
    seam.Expect("STARTBOX", [&](QDialog& window) {
      if (c.doubleClick) {
        DoubleClickRow(BattleList(window), 0);
      } else {
        SelectRow(BattleList(window), 0);
        Click(window, "Edit Battle");
      }
      EXPECT_EQ(Rows(BattleList(window)), Rows(c.rows));
      Click(window, "Close");
    });
    seam.Expect("GENERALBOX", [](QDialog& page) {
      SelectRow(Find<QListWidget>(page, "Available Ships"), 1);
      Click(page, "Add -->");
      Click(page, "Finish");
    });
    seam.Expect("FINISHBOX", [](QDialog& box) {
      EXPECT_EQ(Find<QLabel>(box, "nameLabel").text(), "First Patrol");
      Click(box, "Save under");
      EXPECT_FALSE(box.isVisible());
    });
    seam.Expect("SAVEUNDERBOX", [&](QDialog& box) {
      EXPECT_EQ(box.windowTitle(), "Save under");
      EXPECT_EQ(Find<QLineEdit>(box, "nameEdit").text(), "First Patrol");
      Find<QLineEdit>(box, "nameEdit").setText(c.typed);
      Click(box, "Ok");
    });
    if (c.overwriteAsked) {
      seam.Expect("OVERWRITEBOX", [&](QDialog& box) {
        EXPECT_EQ(Find<QLabel>(box, "nameLabel").text(), Q(c.savedAs));
        Click(box, "Yes");
      });
    }
    seam.Expect("MESSAGBOX", Acknowledge("Save", SavedMessage(c.savedAs)));
    RunList(copy, seam);
    EXPECT_EQ(ReadBytes(copy.Battle("First Patrol")), oldBytes);
    EXPECT_EQ(ReadBattle(copy.Battle(c.fileName), c.savedAs), expected);
    EXPECT_EQ(ReadBytes(copy.Index()), IndexBytes(c.rows));
  }
}

// An edit on each page of Veyr Ambush (system Sorvan): a row of `source` added with `button`
// (a named button on the system pages), and the list that shows it.
struct PageEdit {
  int page;
  QString source;
  int row;
  QString button;
  QString list;
  int rowsAfter;
};

const PageEdit kPageEdits[] = {
    {1, "Available Ships", 0, "Add -->", "Escort", 2},
    {2, "Available Systems", 4, "Add -->", "Systems", 3},
    {3, "Available Ships", 0, "Add to Friends", "Friends", 3},
    {4, "Available Ships", 0, "Add to Neutrals", "Neutrals", 1},
};

// On each page: "Cancel" answered "No" keeps the page, "Back" in FINISHBOX shows the same page
// with its edits, and "Cancel" answered "Yes" leaves the files untouched.
TEST(EditingFlows, CancelAndBackOnEveryPage) {
  for (const PageEdit& c : kPageEdits) {
    SCOPED_TRACE(c.page);
    GameCopy copy;
    const auto before = copy.Snapshot();
    QString title;
    ScriptedSeam seam;
    seam.Expect("STARTBOX", EditAndClose(1));
    ReachPage(seam, c.page, [&](QDialog& page) {
      title = page.windowTitle();
      SelectRow(Find<QListWidget>(page, c.source), c.row);
      c.page < 3 ? Click(page, c.button) : Find<QPushButton>(page, c.button).click();
      Click(page, "Cancel");
      EXPECT_TRUE(page.isVisible());
      Click(page, "Finish");
    });
    seam.Expect("CANCELBOX", [](QDialog& box) {
      EXPECT_EQ(box.windowTitle(), "Cancel");
      Click(box, "No");
    });
    seam.Expect("FINISHBOX", Press("Back"));
    seam.Expect(PageName(c.page), [&](QDialog& page) {
      EXPECT_EQ(page.windowTitle(), title);
      EXPECT_EQ(Find<QListWidget>(page, c.list).count(), c.rowsAfter);
      Click(page, "Cancel");
    });
    seam.Expect("CANCELBOX", Press("Yes"));
    RunList(copy, seam);
    EXPECT_EQ(copy.Snapshot(), before);
  }
}

TEST(EditingFlows, SaveUnderRefusalsKeepTheFinishBoxOpen) {
  GameCopy copy;
  const auto before = copy.Snapshot();
  ScriptedSeam seam;
  seam.Expect("STARTBOX", EditAndClose(0));
  seam.Expect("GENERALBOX", Press("Finish"));
  seam.Expect("FINISHBOX", [](QDialog& box) {
    for (int i = 0; i < 6; ++i) {
      Click(box, "Save under");
      EXPECT_TRUE(box.isVisible()) << i;
      EXPECT_EQ(Find<QLabel>(box, "nameLabel").text(), "First Patrol");
    }
    Click(box, "Back");
  });
  seam.Expect("SAVEUNDERBOX", TypeName(" \t "));
  seam.Expect("SAVEUNDERBOX", TypeName("Convoy Run"));
  seam.Expect("OVERWRITEBOX", Press("No"));
  // The battle's own name: its file exists, so the question comes too.
  seam.Expect("SAVEUNDERBOX", TypeName("First Patrol"));
  seam.Expect("OVERWRITEBOX", [](QDialog& box) {
    EXPECT_EQ(Find<QLabel>(box, "nameLabel").text(), "First Patrol");
    Click(box, "No");
  });
  for (const char* unusable : {"../Escaped", "Patrol|Two"}) {
    seam.Expect("SAVEUNDERBOX", TypeName(unusable));
    seam.Expect("ERRORBOX", Acknowledge("Error", kUnusableNameError.arg(unusable)));
  }
  seam.Expect("SAVEUNDERBOX", TypeName("Patrol Two", "Cancel"));
  ExpectCancelled(seam, "GENERALBOX");
  RunList(copy, seam);
  EXPECT_EQ(copy.Snapshot(), before);
}

TEST(EditingFlows, ADefaultNameClashKeepsThePageOpenUntilTheNameChanges) {
  GameCopy copy;
  ScriptedSeam seam;
  seam.Expect("STARTBOX", EditAndClose(0));
  seam.Expect("GENERALBOX", [&copy](QDialog& page) {
    auto& player = Find<QListWidget>(page, "Player Ship");
    DoubleClickRow(player, 0);
    EXPECT_EQ(Rows(player), QStringList{"HALBERD --> VEYR-R O1.1"});
    const std::string before = ReadBytes(copy.Battle("First Patrol"));
    Click(page, "Finish");
    EXPECT_TRUE(page.isVisible());
    EXPECT_EQ(ReadBytes(copy.Battle("First Patrol")), before);
    DoubleClickRow(player, 0);
    Click(page, "Finish");
  });
  seam.Expect("NAMEBOX", [](QDialog& box) {
    EXPECT_EQ(Find<QLineEdit>(box, "nameEdit").text(), "Resolute");
    Find<QLineEdit>(box, "nameEdit").setText("VEYR-R O1.1");
    Click(box, "Ok");
  });
  // The two blanks are the role text's and " in system "'s.
  seam.Expect("ERRORBOX",
              Acknowledge("Error",
                          "Your player ship name VEYR-R O1.1 conflicts with a default enemy ship "
                          "name  in system 1. Please change this name!"));
  seam.Expect("NAMEBOX", TypeName("Resolute II"));
  ExpectSave(seam, "First Patrol");
  RunList(copy, seam);
  EXPECT_EQ(ReadBattle(copy.Battle("First Patrol"), "First Patrol").player,
            Ship("HALBERD", "Resolute II"));
}

// Two systems in statistic mode that keep its rules as read.
constexpr const char* kStatBattle =
    "VK7 Battle\r\n"
    "File Format Version 1.2\r\n"
    "// Created by Velkor Editor\r\n"
    "Player = HALBERD\r\n"
    "System = Keth\r\n"
    "Friend = WARDEN\r\n"
    "Enemy = VEYR-R\r\n"
    "EnemyPosition = Planet Arra\r\n"
    "BattleMode = Stat\r\n"
    "System = Calder\r\n"
    "Friend = SKIFF\r\n"
    "Enemy = VEYR-M\r\n"
    "BattleMode = Stat\r\n";

TEST(EditingFlows, AStatisticSystemBreakingItsRulesIsForcedToAIAndTheSaveGoesOn) {
  GameCopy copy;
  WriteFile(copy.Battle("Stat Test"), kStatBattle);
  WriteFile(copy.Index(), IndexBytes(DemoAnd("Stat Test")));
  ASSERT_EQ(ReadBattle(copy.Battle("Stat Test"), "Stat Test").systems.at(1).battleMode,
            BattleMode::Stat);
  ScriptedSeam seam;
  seam.Expect("STARTBOX", EditAndClose(4));
  ReachPage(
      seam, 3,
      [](QDialog& page) {
        // Calder loses its only friend.
        SelectRow(Find<QListWidget>(page, "Friends"), 0);
        Find<QPushButton>(page, "Remove from Friends").click();
        Click(page, "Finish");
      },
      1);
  seam.Expect("MESSAGBOX",
              Acknowledge("Warning",
                          "Using the statistical battle mode for a system introduces some "
                          "restrictions (no player-, enemy- or friend-position at the same time, "
                          "at least one friend and enemy, no warp-in or join-escort for friends). "
                          "These restrictions are violated in the following system(s): Calder. "
                          "The Battle mode has been automatically forced to AI for these "
                          "systems!"));
  ExpectSave(seam, "Stat Test");
  RunList(copy, seam);
  const BattleConfig saved = ReadBattle(copy.Battle("Stat Test"), "Stat Test");
  ASSERT_EQ(saved.systems.size(), 2u);
  EXPECT_EQ(saved.systems[0].battleMode, BattleMode::Stat);
  EXPECT_EQ(saved.systems[1].battleMode, BattleMode::AI);
  EXPECT_TRUE(saved.systems[1].battleModeDefined);
  EXPECT_TRUE(saved.systems[1].friends.empty());
}

TEST(EditingFlows, ARefusedSaveReturnsToThePageWithTheEditsKept) {
  GameCopy copy;
  const auto before = copy.Snapshot();
  const QString quoted = "Resolute: Say \"go\"";
  ScriptedSeam seam;
  seam.Expect("STARTBOX", EditAndClose(0));
  ReachPage(seam, 3, [](QDialog& page) {
    SelectRow(Find<QListWidget>(page, "Available Ships"), 8);
    Find<QPushButton>(page, "Add to Enemies").click();
    Click(page, "Options");
    Click(page, "Finish");
  });
  seam.Expect("SYSTEMOPTIONBOX", [&](QDialog& page) {
    auto& starting = Find<QPlainTextEdit>(page, "Starting Dialogs");
    starting.setPlainText(starting.toPlainText() + "\n" + quoted);
    Click(page, "Ok");
  });
  seam.Expect("FINISHBOX", Press("Save"));
  seam.Expect("ERRORBOX", [](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), "Error in battle file First Patrol.vk7");
    const QString text = MessageText(box);
    EXPECT_TRUE(text.contains("would make the saved file unreadable")) << text.toStdString();
    EXPECT_TRUE(text.contains("Say \"go\"")) << text.toStdString();
    EXPECT_TRUE(text.endsWith("The file has not been saved.")) << text.toStdString();
    Click(box, "Cancel");
  });
  seam.Expect("SYSTEMBOX1", [&](QDialog& page) {
    EXPECT_EQ(copy.Snapshot(), before);
    EXPECT_EQ(Find<QListWidget>(page, "Enemies").count(), 3);  // the added enemy is still there
    Click(page, "Options");
    Click(page, "Finish");
  });
  seam.Expect("SYSTEMOPTIONBOX", [&](QDialog& page) {
    auto& starting = Find<QPlainTextEdit>(page, "Starting Dialogs");
    QString text = starting.toPlainText();
    EXPECT_TRUE(text.contains(quoted + "\n")) << text.toStdString();
    text.replace(quoted, "Resolute: Say \"go\" now");
    starting.setPlainText(text);
    Click(page, "Ok");
  });
  ExpectSave(seam, "First Patrol");
  RunList(copy, seam);
  const BattleConfig saved = ReadBattle(copy.Battle("First Patrol"), "First Patrol");
  const StarSystem& keth = saved.systems.at(0);
  EXPECT_EQ(keth.enemies, (std::vector<ShipEntry>{Ship("VEYR-R"), Ship("VEYR-R"), Ship("VEYR-M")}));
  ASSERT_EQ(keth.Dialogs(DialogEvent::StartingDialog).size(), 3u);
  EXPECT_EQ(keth.Dialogs(DialogEvent::StartingDialog)[2],
            (DialogLine{"Resolute", "Say \"go\" now", "", true, true, true}));
  EXPECT_EQ(ReadBytes(copy.Index()), IndexBytes(kDemoBattles));
}

TEST(EditingFlows, ARefusedSaveUnderANewNameKeepsTheBattlesName) {
  GameCopy copy;
  const auto before = copy.Snapshot();
  ScriptedSeam seam;
  seam.Expect("STARTBOX", EditAndClose(0));
  ReachPage(seam, 3, [](QDialog& page) {
    Click(page, "Options");
    Click(page, "Finish");
  });
  seam.Expect("SYSTEMOPTIONBOX", [](QDialog& page) {
    Find<QPlainTextEdit>(page, "Ending Dialogs").setPlainText("Control: \"Out\"");
    Click(page, "Ok");
  });
  seam.Expect("FINISHBOX", Press("Save under"));
  seam.Expect("SAVEUNDERBOX", TypeName("Patrol Two"));
  seam.Expect("ERRORBOX", [](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), "Error in battle file Patrol Two.vk7");
    Click(box, "Cancel");
  });
  // Nothing was saved under the new name, so the battle is still called as before.
  seam.Expect("SYSTEMBOX1", [](QDialog& page) {
    EXPECT_TRUE(page.windowTitle().startsWith("Battle Configuration <First Patrol>"))
        << page.windowTitle().toStdString();
    Click(page, "Finish");
  });
  seam.Expect("FINISHBOX", [](QDialog& box) {
    EXPECT_EQ(Find<QLabel>(box, "nameLabel").text(), "First Patrol");
    Click(box, "Back");
  });
  ExpectCancelled(seam, "SYSTEMBOX1");
  RunList(copy, seam);
  EXPECT_EQ(copy.Snapshot(), before);
}

}  // namespace
}  // namespace vk7
