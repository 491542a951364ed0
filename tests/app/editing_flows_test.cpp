// Whole editing runs started from the battle list: create, edit, save, save under, cancel,
// "Back" and a refused save, checked on the files they leave. What each page does with its
// lists is the pages' tests' business; here the wizard has to carry it to the file.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/flow_support.h"

namespace vk7 {
namespace {

using namespace test;

void AddShip(QDialog& page, int row, const QString& button) {
  SelectRow(Find<QListWidget>(page, "Available Ships"), row);
  // The system pages name their buttons apart from the texts they share.
  button.startsWith("Add to") ? Find<QPushButton>(page, button).click() : Click(page, button);
}

TEST(EditingFlows, CreatesABattleThroughEveryPageAndListsItWhenTheListCloses) {
  GameCopy copy;
  const std::string index = ReadBytes(copy.Index());
  ScriptedSeam seam;
  seam.Expect("STARTBOX", OnList(-1, {"Create Battle"}, [&](QDialog& window) {
                EXPECT_EQ(Rows(BattleList(window)), Rows(DemoAnd("Night Watch")));
                EXPECT_EQ(ReadBytes(copy.Index()), index);  // written when the window closes
              }));
  seam.Expect("CREATEBOX", TypeName("  Night Watch\t"));
  seam.Expect("GENERALBOX", [](QDialog& page) {
    EXPECT_EQ(page.windowTitle(), "Battle Configuration <Night Watch>  -  General Parameters");
    AddShip(page, 2, "Select -->");
    AddShip(page, 0, "Add -->");
    Click(page, "Next -->");
  });
  seam.Expect("SYSTEMBOX", [](QDialog& page) {
    for (int row : {0, 3}) {
      SelectRow(Find<QListWidget>(page, "Available Systems"), row);
      Click(page, "Add -->");
    }
    EditFirstSystem(page);
  });
  seam.Expect("SYSTEMBOX1", Press("<-- Previous")).Expect("SYSTEMBOX", EditFirstSystem);
  seam.Expect("SYSTEMBOX1", [](QDialog& page) {
    AddShip(page, 1, "Add to Friends");
    AddShip(page, 7, "Add to Enemies");
    Click(page, "Next -->");
  });
  seam.Expect("SYSTEMBOX2", [](QDialog& page) {
    AddShip(page, 6, "Add to Neutrals");
    Click(page, "Finish");
  });
  ExpectSave(seam, "Night Watch");
  RunList(copy, seam);
  EXPECT_EQ(ReadBytes(copy.Index()), IndexBytes(DemoAnd("Night Watch")));
  const BattleConfig saved = ReadBattle(copy.Battle("Night Watch"), "Night Watch");
  EXPECT_EQ(saved.player, Ship("HALBERD"));
  EXPECT_EQ(saved.escorts, std::vector{Ship("TALON")});
  ASSERT_EQ(saved.systems.size(), 2u);
  EXPECT_EQ(saved.systems[0].name, "Keth");
  EXPECT_EQ(saved.systems[0].friends, std::vector{Ship("WARDEN")});
  EXPECT_EQ(saved.systems[0].enemies, std::vector{Ship("VEYR-R")});
  EXPECT_EQ(saved.systems[0].neutrals, std::vector{Ship("ORRIN")});
  EXPECT_EQ(saved.systems[1], System("Calder"));
}

// Opened by a double click and saved under a new name: the old battle stays, the new one is
// listed. (Saved over another battle: BattleListFlows.AReplacedBattleGoesToTheTrash.)
TEST(EditingFlows, EditingSavedUnderAnotherNameKeepsTheOldBattle) {
  GameCopy copy;
  const std::string old = ReadBytes(copy.Battle("First Patrol"));
  BattleConfig expected = ReadBattle(copy.Battle("First Patrol"), "First Patrol");
  expected.escorts.push_back(Ship("WARDEN"));
  expected.name = "Patrol Two";
  ScriptedSeam seam;
  seam.Expect("STARTBOX", [&](QDialog& window) {
    DoubleClickRow(BattleList(window), 0);
    EXPECT_EQ(Rows(BattleList(window)), Rows(DemoAnd("Patrol Two")));
    Click(window, "Close");
  });
  seam.Expect("GENERALBOX", [](QDialog& page) {
    AddShip(page, 1, "Add -->");
    Click(page, "Finish");
  });
  seam.Expect("FINISHBOX", Press("Save under"));
  seam.Expect("SAVEUNDERBOX", [&](QDialog& box) {
    EXPECT_EQ(Find<QLineEdit>(box, "nameEdit").text(), "First Patrol");
    TypeName(" Patrol Two ")(box);
  });
  seam.Expect("MESSAGBOX", Acknowledge("Save", SavedMessage("Patrol Two")));
  RunList(copy, seam);
  EXPECT_EQ(ReadBytes(copy.Battle("First Patrol")), old);
  EXPECT_EQ(ReadBattle(copy.Battle("Patrol Two"), "Patrol Two"), expected);
  EXPECT_EQ(ReadBytes(copy.Index()), IndexBytes(DemoAnd("Patrol Two")));
}

// On each page of Veyr Ambush: "Cancel" answered "No" keeps the page, "Back" in FINISHBOX
// shows the same page with its edit (a row added to `list`), and "Cancel" answered "Yes"
// leaves the files untouched.
TEST(EditingFlows, CancelAndBackOnEveryPage) {
  struct PageEdit {
    int page;
    QString source, button, list;
    int rowsAfter;
  };
  for (const PageEdit& c : {PageEdit{1, "Available Ships", "Add -->", "Escort", 2},
                            PageEdit{2, "Available Systems", "Add -->", "Systems", 3},
                            PageEdit{3, "Available Ships", "Add to Friends", "Friends", 3},
                            PageEdit{4, "Available Ships", "Add to Neutrals", "Neutrals", 1}}) {
    SCOPED_TRACE(c.page);
    GameCopy copy;
    const auto before = copy.Snapshot();
    QString title;
    ScriptedSeam seam;
    seam.Expect("STARTBOX", OnList(1, {"Edit Battle"}));
    ReachPage(seam, c.page, [&](QDialog& page) {
      title = page.windowTitle();
      SelectRow(Find<QListWidget>(page, c.source), c.page == 2 ? 4 : 0);
      c.page < 3 ? Click(page, c.button) : Find<QPushButton>(page, c.button).click();
      Click(page, "Cancel");
      Click(page, "Finish");
    });
    seam.Expect("CANCELBOX", Press("No")).Expect("FINISHBOX", Press("Back"));
    seam.Expect(kPages[c.page - 1], [&](QDialog& page) {
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
  seam.Expect("STARTBOX", OnList(0, {"Edit Battle"}));
  seam.Expect("GENERALBOX", Press("Finish"));
  seam.Expect("FINISHBOX", [](QDialog& box) {
    for (int i = 0; i < 5; ++i) Click(box, "Save under");
    EXPECT_EQ(Find<QLabel>(box, "nameLabel").text(), "First Patrol");
    Click(box, "Back");
  });
  seam.Expect("SAVEUNDERBOX", TypeName(" \t "));
  seam.Expect("SAVEUNDERBOX", TypeName("Convoy Run")).Expect("OVERWRITEBOX", Press("No"));
  // The battle's own name: its file exists, so the question comes too.
  seam.Expect("SAVEUNDERBOX", TypeName("First Patrol")).Expect("OVERWRITEBOX", Press("No"));
  seam.Expect("SAVEUNDERBOX", TypeName("Patrol|Two"))
      .Expect("ERRORBOX", UnusableName("Patrol|Two"));
  seam.Expect("SAVEUNDERBOX", TypeName("Patrol Two", "Cancel"));
  ExpectCancelled(seam, "GENERALBOX");
  RunList(copy, seam);
  EXPECT_EQ(copy.Snapshot(), before);
}

// A save the writer refuses returns to the page with every edit kept, under the battle's own
// name also when the save was under a new one.
TEST(EditingFlows, ARefusedSaveReturnsToThePageWithTheEditsKept) {
  GameCopy copy;
  const auto before = copy.Snapshot();
  const auto editDialog = [](const QString& from, const QString& to) {
    return [=](QDialog& page) {
      auto& starting = Find<QPlainTextEdit>(page, "Starting Dialogs");
      const QString text = starting.toPlainText();
      starting.setPlainText(from.isEmpty() ? text + to : QString(text).replace(from, to));
      Click(page, "Ok");
    };
  };
  ScriptedSeam seam;
  seam.Expect("STARTBOX", OnList(0, {"Edit Battle"}));
  ReachPage(seam, 3, [](QDialog& page) {
    AddShip(page, 8, "Add to Enemies");
    Click(page, "Options");
    Click(page, "Finish");
  });
  seam.Expect("SYSTEMOPTIONBOX", editDialog("", "\nResolute: Say \"go\""));
  seam.Expect("FINISHBOX", Press("Save"));
  seam.Expect("ERRORBOX", [](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), "Error in battle file First Patrol.vk7");
    EXPECT_TRUE(MessageText(box).endsWith("The file has not been saved."));
    Click(box, "Cancel");
  });
  seam.Expect("SYSTEMBOX1", [&](QDialog& page) {
    EXPECT_EQ(copy.Snapshot(), before);
    EXPECT_EQ(Find<QListWidget>(page, "Enemies").count(), 3);  // the added enemy is still there
    Click(page, "Finish");
  });
  seam.Expect("FINISHBOX", Press("Save under")).Expect("SAVEUNDERBOX", TypeName("Patrol Two"));
  seam.Expect("ERRORBOX", Acknowledge("Error in battle file Patrol Two.vk7", ""));
  seam.Expect("SYSTEMBOX1", [](QDialog& page) {
    // Nothing was saved under the new name, so the battle is still called as before.
    EXPECT_TRUE(page.windowTitle().startsWith("Battle Configuration <First Patrol>"));
    Click(page, "Options");
    Click(page, "Finish");
  });
  seam.Expect("SYSTEMOPTIONBOX", editDialog("Say \"go\"", "Say \"go\" now"));
  ExpectSave(seam, "First Patrol");
  RunList(copy, seam);
  const StarSystem keth = ReadBattle(copy.Battle("First Patrol"), "First Patrol").systems.at(0);
  EXPECT_EQ(keth.enemies.size(), 3u);
  EXPECT_EQ(keth.Dialogs(DialogEvent::StartingDialog).back(),
            (DialogLine{"Resolute", "Say \"go\" now", "", true, true, true}));
  EXPECT_EQ(ReadBytes(copy.Index()), IndexBytes(kDemoBattles));
}

}  // namespace
}  // namespace vk7
