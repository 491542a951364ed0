// The battle list window's commands on whole battles, driven through STARTBOX and checked on
// the battle files and on vk7.txt.
#include <QLineEdit>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <algorithm>

#include "app/flow_support.h"

namespace vk7 {
namespace {

using namespace test;

TEST(BattleListFlows, AMissingIndexShowsItsErrorAndNoWindow) {
  GameCopy copy;
  std::filesystem::remove(copy.Index());
  const auto before = copy.Snapshot();
  ScriptedSeam seam;
  seam.Expect("ERRORBOX", Acknowledge("Error", "Cannot open vk7.txt file!"));
  RunList(copy, seam);
  EXPECT_EQ(copy.Snapshot(), before);
}

TEST(BattleListFlows, ACreateGivenUpAtAnyStepWritesNothing) {
  const std::vector<std::function<void(ScriptedSeam&)>> endings = {
      [](ScriptedSeam& seam) { seam.Expect("CREATEBOX", TypeName("Patrol", "Cancel")); },
      [](ScriptedSeam& seam) { seam.Expect("CREATEBOX", TypeName(" \t ")); },
      [](ScriptedSeam& seam) {
        seam.Expect("CREATEBOX", TypeName(" Raid: Two "))
            .Expect("ERRORBOX", UnusableName("Raid: Two"));
      },
      [](ScriptedSeam& seam) {
        seam.Expect("CREATEBOX", TypeName("Night Watch"));
        ExpectCancelled(seam, "GENERALBOX");
      },
  };
  for (std::size_t i = 0; i < endings.size(); ++i) {
    SCOPED_TRACE(i);
    GameCopy copy;
    const auto before = copy.Snapshot();
    ScriptedSeam seam;
    seam.Expect("STARTBOX", OnList(-1, {"Create Battle"}, [](QDialog& window) {
                  EXPECT_EQ(Rows(BattleList(window)), Rows(kDemoBattles));
                }));
    endings[i](seam);
    RunList(copy, seam);
    EXPECT_EQ(copy.Snapshot(), before);
  }
}

TEST(BattleListFlows, CreatingUnderAListedNameWarnsAndOverwritesWithoutASecondEntry) {
  GameCopy copy;
  const std::string index = ReadBytes(copy.Index());
  ScriptedSeam seam;
  seam.Expect("STARTBOX", OnList(2, {"Create Battle"}, [](QDialog& window) {
                EXPECT_EQ(Rows(BattleList(window)), Rows(kDemoBattles));
                EXPECT_EQ(SelectedRow(BattleList(window)), 2);
              }));
  seam.Expect("CREATEBOX", [](QDialog& box) {
    EXPECT_EQ(Find<QLineEdit>(box, "nameEdit").text(), "Convoy Run");  // the selected battle
    Click(box, "Ok");
  });
  seam.Expect("MESSAGBOX", Acknowledge("Warning", "A configuration with the same name exists"));
  ExpectSmallBattleSaved(seam, "Convoy Run");
  RunList(copy, seam);
  const BattleConfig saved = ReadBattle(copy.Battle("Convoy Run"), "Convoy Run");
  EXPECT_EQ(saved.player, Ship("BASTION"));
  EXPECT_TRUE(saved.escorts.empty());  // a new battle, not the file
  EXPECT_EQ(ReadBytes(copy.Index()), index);
}

TEST(BattleListFlows, RenameMovesTheFileOrChangesNothing) {
  struct Case {
    const char* typed;              // "Cancel": the box is cancelled
    const char* overwrite;          // the answer to the overwrite question, when it is asked
    const char* error;              // the start of the error shown, if any
    std::vector<std::string> rows;  // afterwards; none: nothing changes
    void (*prepare)(const GameCopy&) = nullptr;
  };
  // Write-protected by its permission bits: refused, as Windows refuses it, also for root.
  const auto protect = [](const GameCopy& copy) {
    std::filesystem::permissions(copy.Battle("First Patrol"), std::filesystem::perms::owner_read);
  };
  const auto lose = [](const GameCopy& copy) {
    std::filesystem::remove(copy.Battle("Convoy Run"));
  };
  const char* cannot = "Cannot rename the file!";
  const std::vector<Case> cases = {
      {" Convoy Ride ", nullptr, "", {"First Patrol", "Veyr Ambush", "Convoy Ride", "DeepSurvey"}},
      // Onto another listed battle: its file is replaced, its entry becomes the selected one.
      {"First Patrol", "Yes", "", {"First Patrol", "Veyr Ambush", "DeepSurvey"}},
      {"First Patrol", "No", "", {}},
      {"First Patrol", "Yes", cannot, {}, protect},
      {"First Patrol", "Yes", cannot, {}, lose},  // the target stays
      {"CONVOY RUN", nullptr, "", {}},
      {"  ", nullptr, "", {}},
      {"Cancel", nullptr, "", {}},
      {"../Convoy", nullptr, "The name \"../Convoy\" cannot be used", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    GameCopy copy;
    const std::string convoy = ReadBytes(copy.Battle("Convoy Run"));
    const std::string moved = QString(c.typed).trimmed().toStdString();
    const auto rows = c.rows.empty() ? kDemoBattles : c.rows;
    const auto selected = c.rows.empty() ? 2 : std::ranges::find(rows, moved) - rows.begin();
    std::map<std::string, std::string> before;
    ScriptedSeam seam;
    seam.Expect("STARTBOX", [&](QDialog& window) {
      if (c.prepare) c.prepare(copy);  // once the list is loaded
      before = copy.Snapshot();
      OnList(2, {"Rename Battle"}, [&](QDialog& w) {
        EXPECT_EQ(Rows(BattleList(w)), Rows(rows));
        EXPECT_EQ(SelectedRow(BattleList(w)), selected);
        EXPECT_EQ(EnabledSelectionButtons(w), 7);
      })(window);
    });
    seam.Expect("SAVEUNDERBOX", moved == "Cancel" ? Press("Cancel") : TypeName(c.typed));
    if (c.overwrite) seam.Expect("OVERWRITEBOX", Press(c.overwrite));
    if (*c.error) seam.Expect("ERRORBOX", Acknowledge("Error", c.error));
    RunList(copy, seam);
    if (c.rows.empty()) {
      EXPECT_EQ(copy.Snapshot(), before);
      continue;
    }
    EXPECT_FALSE(std::filesystem::exists(copy.Battle("Convoy Run")));
    EXPECT_EQ(ReadBytes(copy.Battle(moved)), convoy);
    EXPECT_EQ(ReadBytes(copy.Index()), IndexBytes(rows));
  }
}

// Deleted, Veyr Ambush goes to the trash, or is removed where there is none; nothing is
// selected afterwards. "No" keeps it.
TEST(BattleListFlows, DeleteMovesTheFileToTheTrash) {
  for (const auto& [yes, trash] : {std::pair{true, true}, {true, false}, {false, true}}) {
    SCOPED_TRACE(testing::Message() << yes << trash);
    GameCopy copy;
    if (!trash) copy.BlockTrash();
    const auto before = copy.Snapshot();
    const std::string old = ReadBytes(copy.Battle("Veyr Ambush"));
    const std::vector<std::string> rest = {"First Patrol", "Convoy Run", "DeepSurvey"};
    ScriptedSeam seam;
    seam.Expect("STARTBOX", [&](QDialog& window) {
      EXPECT_EQ(EnabledSelectionButtons(window), 0);
      OnList(1, {"Delete Battle"}, [&](QDialog& w) {
        EXPECT_EQ(Rows(BattleList(w)), Rows(yes ? rest : kDemoBattles));
        EXPECT_EQ(SelectedRow(BattleList(w)), yes ? -1 : 1);
        EXPECT_EQ(EnabledSelectionButtons(w), yes ? 0 : 7);
      })(window);
    });
    seam.Expect("DELETEBOX", [&](QDialog& box) {
      EXPECT_EQ(Find<QLabel>(box, "objectLabel").text(), "Veyr Ambush");
      Click(box, yes ? "Yes" : "No");
    });
    RunList(copy, seam);
    if (!yes) {
      EXPECT_EQ(copy.Snapshot(), before);
      continue;
    }
    EXPECT_FALSE(std::filesystem::exists(copy.Battle("Veyr Ambush")));
    EXPECT_EQ(ReadBytes(copy.Trashed("Veyr Ambush.vk7")), trash ? old : "");
    EXPECT_FALSE(std::filesystem::exists("files/Veyr Ambush.vk7"));  // Qt's fallback: no trash
    EXPECT_EQ(ReadBytes(copy.Index()), IndexBytes(rest));
  }
}

// Convoy Run replaced at the user's request goes to the trash, or is removed where there is
// none; the battle that replaces it is in place either way.
TEST(BattleListFlows, AReplacedBattleGoesToTheTrash) {
  using Script = std::function<void(ScriptedSeam&, const GameCopy&)>;
  const std::vector<std::pair<std::string, Script>> cases = {
      {"Veyr Ambush",
       [](ScriptedSeam& seam, const GameCopy&) {
         seam.Expect("STARTBOX", OnList(1, {"Rename Battle"}))
             .Expect("SAVEUNDERBOX", TypeName("Convoy Run"))
             .Expect("OVERWRITEBOX", Press("Yes"));
       }},
      {"First Patrol",
       [](ScriptedSeam& seam, const GameCopy&) {
         seam.Expect("STARTBOX", OnList(0, {"Edit Battle"}))
             .Expect("GENERALBOX", Press("Finish"))
             .Expect("FINISHBOX", Press("Save under"))
             .Expect("SAVEUNDERBOX", TypeName("Convoy Run"))
             .Expect("OVERWRITEBOX", Press("Yes"))
             .Expect("MESSAGBOX", Acknowledge("Save", SavedMessage("Convoy Run")));
       }},
      {"First Patrol", [](ScriptedSeam& seam, const GameCopy& copy) {
         const auto file = copy.Elsewhere("Convoy Run.vk7", ReadBytes(copy.Battle("First Patrol")));
         seam.Expect("STARTBOX", OnList(-1, {"Import Battle"}))
             .Chosen("file", Q(file.string()))
             .Expect("CHECKBOX", Press("OK"))
             .Expect("OVERWRITEBOX", Press("Yes"))
             .Expect("MESSAGBOX", Press("Ok"));
       }}};
  for (const auto& [by, script] : cases) {
    for (const bool trash : {true, false}) {
      SCOPED_TRACE(by + (trash ? "" : " without a trash"));
      GameCopy copy;
      if (!trash) copy.BlockTrash();
      const std::string old = ReadBytes(copy.Battle("Convoy Run"));
      const std::string replacement = ReadBytes(copy.Battle(by));
      ScriptedSeam seam;
      script(seam, copy);
      RunList(copy, seam);
      EXPECT_EQ(ReadBytes(copy.Battle("Convoy Run")), replacement);
      EXPECT_EQ(ReadBytes(copy.Trashed("Convoy Run.vk7")), trash ? old : "");
      EXPECT_FALSE(std::filesystem::exists("files/Convoy Run.vk7"));
    }
  }
}

TEST(BattleListFlows, UpAndDownMoveTheSelectedBattleAndCloseWritesTheList) {
  GameCopy copy;
  ScriptedSeam seam;
  seam.Expect("STARTBOX", OnList(0, {"Down"}, [](QDialog& window) {
                EXPECT_EQ(SelectedRow(BattleList(window)), 1);
                SelectRow(BattleList(window), 3);
                Click(window, "Up");
                EXPECT_EQ(SelectedRow(BattleList(window)), 2);
              }));
  RunList(copy, seam);
  EXPECT_EQ(ReadBytes(copy.Index()),
            IndexBytes({"Veyr Ambush", "First Patrol", "DeepSurvey", "Convoy Run"}));
}

// Check and Overview of DeepSurvey write nothing; the overview is drawn as the core draws it
// (the golden file of the core tests), zoomed, and saved as SVG and PNG through the seam.
TEST(BattleListFlows, CheckAndOverviewShowTheBattleAndWriteOnlyWhatIsAskedFor) {
  GameCopy copy;
  const auto before = copy.Snapshot();
  TempDir out;
  ScriptedSeam seam;
  seam.Expect("STARTBOX", OnList(3, {"Check Battle", "Overview"}));
  seam.Expect("CHECKBOX", [](QDialog& box) {
    EXPECT_EQ(Rows(Find<QListWidget>(box, "shipMissingList")), QStringList{"SURVEYOR"});
    Click(box, "OK");
  });
  seam.Expect("OVERVIEWBOX", [](QDialog& box) {
    auto& picture = Find<QSvgWidget>(box, "Battle Overview");
    EXPECT_TRUE(picture.accessibleDescription().startsWith("Deep Survey\nDeepSurvey.vk7\n"));
    const int width = picture.width();
    Click(box, "Zoom In");
    EXPECT_EQ(picture.width(), qRound(width * 1.25));
    for (int i = 0; i < 3; ++i) Click(box, "Save as...");
    Click(box, "Close");
  });
  seam.Chosen("save", Q((out / "deep.svg").string()))
      .Chosen("save", Q((out / "deep.png").string()));
  seam.Chosen("save", Q((out / "no folder/x.svg").string()))
      .Expect("ERRORBOX", Acknowledge("Error", "Cannot write the file!"));
  RunList(copy, seam);
  EXPECT_EQ(copy.Snapshot(), before);
  const std::string golden =
      ReadBytes(std::string(VK7_TEST_DATA_DIR) + "/content/golden/overview/deep_survey.svg");
  EXPECT_EQ(ReadBytes(out / "deep.svg"), golden);
  const QSvgRenderer renderer(QByteArray::fromStdString(golden));
  EXPECT_TRUE(renderer.isValid());
  const QImage png(Q((out / "deep.png").string()));
  EXPECT_EQ(png.size(), renderer.defaultSize() * 2);
  EXPECT_EQ(png.pixel(0, 0), qRgb(255, 255, 255));
}

}  // namespace
}  // namespace vk7
