// The battle list window's commands on whole battles, driven through STARTBOX and checked on
// the battle files and on vk7.txt.
#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QXmlStreamReader>
#include <functional>
#include <optional>

#include "app/flow_support.h"

namespace vk7 {
namespace {

using namespace test;

TEST(BattleListFlows, AnIndexThatCannotBeLoadedShowsItsErrorAndNoWindow) {
  struct Case {
    std::optional<std::string> index;
    QString error;
  };
  const std::vector<Case> cases = {
      {std::nullopt, "Cannot open vk7.txt file!"},
      {"VK7 Available Battles\r\nFile Format Version 1.1\r\nFirst Patrol\r\n",
       "Invalid version of vk7.txt file!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error.toStdString());
    GameCopy copy;
    if (c.index) {
      WriteFile(copy.Index(), *c.index);
    } else {
      std::filesystem::remove(copy.Index());
    }
    const auto before = copy.Snapshot();
    ScriptedSeam seam;
    seam.Expect("ERRORBOX", Acknowledge("Error", c.error));
    RunList(copy, seam);
    EXPECT_EQ(copy.Snapshot(), before);
  }
}

TEST(BattleListFlows, CreateNamesAreTrimmedAndUnsafeOnesRefused) {
  struct Case {
    const char* typed;
    const char* button;
    bool unsafe;
  };
  for (const Case& c :
       {Case{"Patrol", "Cancel", false}, Case{" \t ", "Ok", false}, Case{" .. ", "Ok", true},
        Case{"raids/Patrol", "Ok", true}, Case{"raids\\Patrol", "Ok", true},
        Case{" Raid: Two ", "Ok", true}, Case{"Raid?", "Ok", true}, Case{"Raid.", "Ok", true},
        Case{"con.battle", "Ok", true}, Case{"LPT1", "Ok", true}}) {
    SCOPED_TRACE(c.typed);
    GameCopy copy;
    const auto before = copy.Snapshot();
    ScriptedSeam seam;
    seam.Expect("STARTBOX", [](QDialog& window) {
      Click(window, "Create Battle");
      EXPECT_EQ(Rows(BattleList(window)), Rows(kDemoBattles));
      Click(window, "Close");
    });
    seam.Expect("CREATEBOX", TypeName(c.typed, c.button));
    if (c.unsafe) {
      seam.Expect("ERRORBOX",
                  Acknowledge("Error", kUnusableNameError.arg(QString(c.typed).trimmed())));
    }
    RunList(copy, seam);
    EXPECT_EQ(copy.Snapshot(), before);
  }
}

TEST(BattleListFlows, CreatingUnderAListedNameWarnsAndOverwritesWithoutASecondEntry) {
  GameCopy copy;
  const std::string indexBefore = ReadBytes(copy.Index());
  ScriptedSeam seam;
  seam.Expect("STARTBOX", [](QDialog& window) {
    SelectRow(BattleList(window), 2);
    Click(window, "Create Battle");
    EXPECT_EQ(Rows(BattleList(window)), Rows(kDemoBattles));
    EXPECT_EQ(SelectedRow(BattleList(window)), 2);
    Click(window, "Close");
  });
  seam.Expect("CREATEBOX", [](QDialog& box) {
    EXPECT_EQ(Find<QLineEdit>(box, "nameEdit").text(), "Convoy Run");  // the selected battle
    Click(box, "Ok");
  });
  seam.Expect("MESSAGBOX",
              Acknowledge("Warning",
                          "A configuration with the same name exists already. As soon as you save "
                          "the new configuration the existing one will be overwritten. But you "
                          "can still cancel or save it under a different name."));
  seam.Expect("GENERALBOX", [](QDialog& page) {
    EXPECT_TRUE(Find<QListWidget>(page, "Escort").count() == 0);  // a new battle, not the file
    SelectRow(Find<QListWidget>(page, "Available Ships"), 3);
    Click(page, "Select -->");
    Click(page, "Next -->");
  });
  seam.Expect("SYSTEMBOX", [](QDialog& page) {
    SelectRow(Find<QListWidget>(page, "Available Systems"), 4);
    Click(page, "Add -->");
    Click(page, "Finish");
  });
  ExpectSave(seam, "Convoy Run");
  RunList(copy, seam);
  const BattleConfig saved = ReadBattle(copy.Battle("Convoy Run"), "Convoy Run");
  EXPECT_EQ(saved.player, Ship("BASTION"));
  EXPECT_TRUE(saved.escorts.empty());
  ASSERT_EQ(saved.systems.size(), 1u);
  EXPECT_EQ(saved.systems[0].name, "Ysolde");
  EXPECT_EQ(ReadBytes(copy.Index()), indexBefore);
}

TEST(BattleListFlows, RenameMovesTheFileOrChangesNothing) {
  enum class Overwrite { NotAsked, Yes, No };
  struct Case {
    const char* typed;
    const char* button;
    Overwrite overwrite;
    QString error;  // the error box shown, if any
    std::vector<std::string> rows;
    int selected;
    const char* movedTo;  // the file that holds Convoy Run afterwards; nullptr: nothing moved
    void (*prepare)(const GameCopy&) = nullptr;
  };
  const std::vector<std::string> same = kDemoBattles;
  const auto N = Overwrite::NotAsked;
  const auto yes = Overwrite::Yes;
  const QString cannot = "Cannot rename the file!";
  // Write-protected by its permission bits: refused, as Windows refuses it, also for root.
  const auto protect = [](const GameCopy& copy) {
    std::filesystem::permissions(copy.Battle("First Patrol"), std::filesystem::perms::owner_read);
  };
  const auto lose = [](const GameCopy& copy) {
    std::filesystem::remove(copy.Battle("Convoy Run"));
  };
  // clang-format off
  const std::vector<Case> cases = {
      {" Convoy Ride ", "Ok", N, "", {"First Patrol", "Veyr Ambush", "Convoy Ride", "DeepSurvey"}, 2, "Convoy Ride"},
      // Onto another listed battle: its file is replaced, its entry becomes the selected one.
      {"First Patrol", "Ok", yes, "", {"First Patrol", "Veyr Ambush", "DeepSurvey"}, 0, "First Patrol"},
      {"First Patrol", "Ok", Overwrite::No, "", same, 2, nullptr},
      {"First Patrol", "Ok", yes, cannot, same, 2, nullptr, protect},
      {"First Patrol", "Ok", yes, cannot, same, 2, nullptr, lose},  // the target stays
      {"CONVOY RUN", "Ok", N, "", same, 2, nullptr},
      {"  ", "Ok", N, "", same, 2, nullptr},
      {"Convoy Ride", "Cancel", N, "", same, 2, nullptr},
      {"../Convoy", "Ok", N, kUnusableNameError.arg("../Convoy"), same, 2, nullptr},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.typed) + " " + c.button + " " + c.error.toStdString());
    GameCopy copy;
    const std::string convoy = ReadBytes(copy.Battle("Convoy Run"));
    std::map<std::string, std::string> before;
    ScriptedSeam seam;
    seam.Expect("STARTBOX", [&](QDialog& window) {
      if (c.prepare) c.prepare(copy);  // once the list is loaded
      before = copy.Snapshot();
      SelectRow(BattleList(window), 2);
      Click(window, "Rename Battle");
      EXPECT_EQ(Rows(BattleList(window)), Rows(c.rows));
      EXPECT_EQ(SelectedRow(BattleList(window)), c.selected);
      EXPECT_EQ(EnabledSelectionButtons(window), kSelectionButtons);
      Click(window, "Close");
    });
    seam.Expect("SAVEUNDERBOX", [&](QDialog& box) {
      EXPECT_EQ(box.windowTitle(), "Rename Battle");
      EXPECT_EQ(Find<QLineEdit>(box, "nameEdit").text(), "Convoy Run");
      Find<QLineEdit>(box, "nameEdit").setText(c.typed);
      Click(box, c.button);
    });
    if (c.overwrite != Overwrite::NotAsked) {
      seam.Expect("OVERWRITEBOX", [&](QDialog& box) {
        EXPECT_EQ(Find<QLabel>(box, "nameLabel").text(), c.typed);
        Click(box, c.overwrite == Overwrite::Yes ? "Yes" : "No");
      });
    }
    if (!c.error.isEmpty()) seam.Expect("ERRORBOX", Acknowledge("Error", c.error));
    RunList(copy, seam);
    if (c.movedTo == nullptr) {
      EXPECT_EQ(copy.Snapshot(), before);
      continue;
    }
    EXPECT_FALSE(std::filesystem::exists(copy.Battle("Convoy Run")));
    EXPECT_EQ(ReadBytes(copy.Battle(c.movedTo)), convoy);
    EXPECT_EQ(ReadBytes(copy.Index()), IndexBytes(c.rows));
  }
}

TEST(BattleListFlows, DeleteRemovesTheFileAndLeavesNothingSelected) {
  for (const bool yes : {true, false}) {
    SCOPED_TRACE(yes);
    GameCopy copy;
    const auto before = copy.Snapshot();
    const std::vector<std::string> rest = {"First Patrol", "Convoy Run", "DeepSurvey"};
    ScriptedSeam seam;
    seam.Expect("STARTBOX", [&](QDialog& window) {
      EXPECT_EQ(EnabledSelectionButtons(window), QStringList{});
      SelectRow(BattleList(window), 1);
      EXPECT_EQ(EnabledSelectionButtons(window), kSelectionButtons);
      Click(window, "Delete Battle");
      if (yes) {
        EXPECT_EQ(Rows(BattleList(window)), Rows(rest));
        EXPECT_EQ(SelectedRow(BattleList(window)), -1);
        EXPECT_EQ(EnabledSelectionButtons(window), QStringList{});
        EXPECT_FALSE(std::filesystem::exists(copy.Battle("Veyr Ambush")));
      } else {
        EXPECT_EQ(Rows(BattleList(window)), Rows(kDemoBattles));
        EXPECT_EQ(SelectedRow(BattleList(window)), 1);
      }
      Click(window, "Close");
    });
    seam.Expect("DELETEBOX", [&](QDialog& box) {
      EXPECT_EQ(Find<QLabel>(box, "objectLabel").text(), "Veyr Ambush");
      Click(box, yes ? "Yes" : "No");
    });
    RunList(copy, seam);
    if (yes) {
      EXPECT_EQ(ReadBytes(copy.Index()), IndexBytes(rest));
    } else {
      EXPECT_EQ(copy.Snapshot(), before);
    }
  }
}

// Deleting Convoy Run, or replacing it at the user's request, leaves its file in the trash, or
// removes it where there is no trash; the battle that replaces it is in place either way.
TEST(BattleListFlows, ADeletedOrReplacedBattleGoesToTheTrash) {
  struct Case {
    const char* what;
    std::function<void(ScriptedSeam&, const GameCopy&)> script;
    const char* replacedBy;  // the battle whose bytes Convoy Run then holds; nullptr: deleted
    std::vector<std::string> rows;
  };
  const auto renameOver = [](ScriptedSeam& seam, const GameCopy&) {
    seam.Expect("STARTBOX", [](QDialog& window) {
      SelectRow(BattleList(window), 1);
      Click(window, "Rename Battle");
      Click(window, "Close");
    });
    seam.Expect("SAVEUNDERBOX", TypeName("Convoy Run"));
    seam.Expect("OVERWRITEBOX", Press("Yes"));
  };
  const auto saveUnder = [](ScriptedSeam& seam, const GameCopy&) {
    seam.Expect("STARTBOX", EditAndClose(0));
    seam.Expect("GENERALBOX", Press("Finish"));
    seam.Expect("FINISHBOX", Press("Save under"));
    seam.Expect("SAVEUNDERBOX", TypeName("Convoy Run"));
    seam.Expect("OVERWRITEBOX", Press("Yes"));
    seam.Expect("MESSAGBOX", Acknowledge("Save", SavedMessage("Convoy Run")));
  };
  const auto importOver = [](ScriptedSeam& seam, const GameCopy& copy) {
    const auto source = copy.Elsewhere("Convoy Run.vk7", ReadBytes(copy.Battle("First Patrol")));
    seam.Expect("STARTBOX", [](QDialog& window) {
      Click(window, "Import Battle");
      Click(window, "Close");
    });
    seam.ExpectFile(Q(source.string()));
    seam.Expect("CHECKBOX", Press("OK"));
    seam.Expect("OVERWRITEBOX", Press("Yes"));
    seam.Expect("MESSAGBOX", Press("Ok"));
  };
  const std::vector<Case> cases = {
      {"delete",
       [](ScriptedSeam& seam, const GameCopy&) {
         seam.Expect("STARTBOX", [](QDialog& window) {
           SelectRow(BattleList(window), 2);
           Click(window, "Delete Battle");
           Click(window, "Close");
         });
         seam.Expect("DELETEBOX", Press("Yes"));
       },
       nullptr,
       {"First Patrol", "Veyr Ambush", "DeepSurvey"}},
      {"rename over", renameOver, "Veyr Ambush", {"First Patrol", "Convoy Run", "DeepSurvey"}},
      {"save under over", saveUnder, "First Patrol", kDemoBattles},
      {"import over", importOver, "First Patrol", kDemoBattles},
  };
  for (const Case& c : cases) {
    for (const bool trash : {true, false}) {
      SCOPED_TRACE(std::string(c.what) + (trash ? "" : " without a trash"));
      GameCopy copy;
      if (!trash) copy.BlockTrash();
      const std::string old = ReadBytes(copy.Battle("Convoy Run"));
      const std::string replacement = c.replacedBy ? ReadBytes(copy.Battle(c.replacedBy)) : "";
      ScriptedSeam seam;
      c.script(seam, copy);
      RunList(copy, seam);
      EXPECT_EQ(std::filesystem::exists(copy.Battle("Convoy Run")), c.replacedBy != nullptr);
      EXPECT_EQ(ReadBytes(copy.Battle("Convoy Run")), replacement);
      EXPECT_EQ(std::filesystem::exists(copy.Trashed("Convoy Run.vk7")), trash);
      EXPECT_EQ(ReadBytes(copy.Trashed("Convoy Run.vk7")), trash ? old : "");
      // Where Qt puts a file when it finds no trash: the current folder.
      EXPECT_FALSE(std::filesystem::exists("files/Convoy Run.vk7"));
      EXPECT_EQ(ReadBytes(copy.Index()), IndexBytes(c.rows));
    }
  }
}

// A hand-made list: LF line ends, a name in blanks and a battle whose file is missing.
constexpr const char* kHandMadeIndex =
    "VK7 Available Battles\nFile Format Version 1.0\n  First Patrol\t\nGhost\nConvoy Run\n"
    "DeepSurvey\n";

TEST(BattleListFlows, CloseRewritesTheListOnlyWhenItChanged) {
  struct Case {
    const char* what;
    std::function<void(QDialog&)> act;
    std::function<void(ScriptedSeam&)> dialogs;  // what the act opens
    std::vector<std::string> rows;
    std::optional<std::vector<std::string>> written;  // nothing: the file stays byte for byte
  };
  const std::vector<std::string> listed = {"First Patrol", "Convoy Run", "DeepSurvey"};
  const std::vector<Case> cases = {
      {"nothing", [](QDialog&) {}, {}, listed, std::nullopt},
      {"saved under its own name",
       [](QDialog& window) {
         SelectRow(BattleList(window), 2);
         Click(window, "Edit Battle");
       },
       [](ScriptedSeam& seam) {
         seam.Expect("GENERALBOX", Press("Finish"));
         ExpectSave(seam, "DeepSurvey");
       },
       listed, std::nullopt},
      {"Down",
       [](QDialog& window) {
         SelectRow(BattleList(window), 0);
         Click(window, "Down");
         EXPECT_EQ(SelectedRow(BattleList(window)), 1);
       },
       {},
       {"Convoy Run", "First Patrol", "DeepSurvey"},
       std::vector<std::string>{"Convoy Run", "First Patrol", "DeepSurvey"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GameCopy copy;
    WriteFile(copy.Index(), kHandMadeIndex);
    ScriptedSeam seam;
    seam.Expect("STARTBOX", [&](QDialog& window) {
      EXPECT_EQ(Rows(BattleList(window)), Rows(listed));
      c.act(window);
      EXPECT_EQ(Rows(BattleList(window)), Rows(c.rows));
      Click(window, "Close");
      EXPECT_FALSE(window.isVisible());
    });
    if (c.dialogs) c.dialogs(seam);
    RunList(copy, seam);
    EXPECT_EQ(ReadBytes(copy.Index()), c.written ? IndexBytes(*c.written) : kHandMadeIndex);
  }
}

TEST(BattleListFlows, CheckShowsWhatTheCatalogsLackAndWritesNothing) {
  GameCopy copy;
  const auto before = copy.Snapshot();
  ScriptedSeam seam;
  seam.Expect("STARTBOX", [](QDialog& window) {
    SelectRow(BattleList(window), 3);
    Click(window, "Check Battle");
    EXPECT_EQ(SelectedRow(BattleList(window)), 3);
    Click(window, "Close");
  });
  seam.Expect("CHECKBOX", [](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), "Check Results");
    EXPECT_EQ(Rows(Find<QListWidget>(box, "shipMissingList")), QStringList{"SURVEYOR"});
    EXPECT_EQ(Rows(Find<QListWidget>(box, "planetMissingList")), QStringList{"Keth Deep"});
    EXPECT_EQ(Rows(Find<QListWidget>(box, "systemList")), QStringList{"Hollow Star"});
    Click(box, "OK");
  });
  RunList(copy, seam);
  EXPECT_EQ(copy.Snapshot(), before);
}

// The overview of DeepSurvey: read only, drawn as the core draws it (the golden file of the
// core tests), described by its text, zoomed, and saved as SVG and PNG through the seam.
TEST(BattleListFlows, OverviewShowsTheBattleAndSavesItAsSvgAndPng) {
  GameCopy copy;
  const auto before = copy.Snapshot();
  TempDir out;
  const QString svgFile = Q((out / "deep.svg").string());
  const QString pngFile = Q((out / "deep.png").string());
  ScriptedSeam seam;
  seam.Expect("STARTBOX", [](QDialog& window) {
    SelectRow(BattleList(window), 3);
    Click(window, "Overview");
    Click(window, "Close");
  });
  seam.Expect("OVERVIEWBOX", [](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), "Battle Overview");
    auto& picture = Find<QSvgWidget>(box, "Battle Overview");
    EXPECT_TRUE(picture.accessibleDescription().startsWith("Deep Survey\nDeepSurvey.vk7\n"));
    EXPECT_TRUE(picture.accessibleDescription().contains(
        "SURVEYOR \"Long Count\"  (! not in vkships.txt)"));
    const int width = picture.width();
    Click(box, "Zoom In");
    EXPECT_EQ(picture.width(), qRound(width * 1.25));
    for (int i = 0; i < 3; ++i) Click(box, "Save as...");
    Click(box, "Close");
  });
  seam.ExpectSaveFile(svgFile).ExpectSaveFile(pngFile);
  seam.ExpectSaveFile(Q((out / "no folder/x.svg").string()))
      .Expect("ERRORBOX", Acknowledge("Error", "Cannot write the file!"));
  RunList(copy, seam);
  EXPECT_EQ(copy.Snapshot(), before);

  const std::string golden =
      ReadBytes(std::string(VK7_TEST_DATA_DIR) + "/content/golden/overview/deep_survey.svg");
  EXPECT_EQ(ReadBytes(svgFile.toStdString()), golden);
  const QImage png(pngFile);
  EXPECT_EQ(png.size(), QSvgRenderer(QByteArray::fromStdString(golden)).defaultSize() * 2);
  EXPECT_EQ(png.pixel(0, 0), qRgb(255, 255, 255));
}

// Every golden overview is well-formed XML that Qt's SVG renderer takes.
TEST(OverviewWindow, GoldenPicturesAreWellFormedSvg) {
  for (const char* name : {"six_suns.svg", "deep_survey.svg"}) {
    const QByteArray svg = QByteArray::fromStdString(
        ReadBytes(std::string(VK7_TEST_DATA_DIR) + "/content/golden/overview/" + name));
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) xml.readNext();
    EXPECT_FALSE(xml.hasError()) << name << ": " << xml.errorString().toStdString();
    EXPECT_TRUE(QSvgRenderer(svg).isValid()) << name;
  }
}

}  // namespace
}  // namespace vk7
