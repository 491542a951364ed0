// "Import Battle" from STARTBOX: the file chooser, the read and the check, the copy into the
// scripts folder and the list entry, and every way of giving up.
#include <gtest/gtest.h>
#include <QLabel>
#include <QListWidget>

#include "app/flow_support.h"

namespace vk7 {
namespace {

using namespace test;

// A battle with nothing the demo catalogs lack, with LF line ends as other editors leave them.
constexpr const char* kRaid =
    "VK7 Battle\nFile Format Version 1.2\n// Created by Velkor Editor\nTitle = Raid\n"
    "Player = TALON\nSystem = Calder\nEnemy = VEYR-R\nBattleMode = AI\n";
constexpr const char* kRaidCrLf =
    "VK7 Battle\r\nFile Format Version 1.2\r\n// Created by Velkor Editor\r\nTitle = Raid\r\n"
    "Player = TALON\r\nSystem = Calder\r\nEnemy = VEYR-R\r\nBattleMode = AI\r\n";

const QString kConfirmQuestion =
    "The check revealed propably missing objects in this battle. Do you want to import it anyway?";

QString Chooser(const std::filesystem::path& folder) {
  return "Import Battle|" + Q(folder.string()) + "|Velkor Files (*.vk7)";
}

ScriptedSeam::Action ImportAndClose(const QStringList& rowsAfter) {
  return [rowsAfter](QDialog& window) {
    Click(window, "Import Battle");
    EXPECT_EQ(Rows(BattleList(window)), rowsAfter);
    Click(window, "Close");
  };
}

// The check results, with the ship classes they name missing ("-- none --" when none is).
ScriptedSeam::Action CheckResults(const QStringList& missingClasses) {
  return [missingClasses](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), "Import Battle Check Results");
    EXPECT_EQ(Rows(Find<QListWidget>(box, "shipMissingList")),
              missingClasses.isEmpty() ? QStringList{"-- none --"} : missingClasses);
    Click(box, "OK");
  };
}

ScriptedSeam::Action Imported(const std::string& battle) {
  return Acknowledge("Import Battle",
                     "The battle " + Q(battle) + " has successfully been imported!");
}

const QString kUnspellableError =
    "The name of this file holds characters that a battle name cannot hold: battle names are "
    "written in the Western European character set (Windows-1252). Rename the file and import "
    "it again.";

TEST(ImportFlows, AFileFromElsewhereIsCopiedWithCrLfAndListed) {
  struct Case {
    const char* fileName;
    const char* battle;
  };
  for (const Case& c : {Case{"Raid.vk7", "Raid"}, Case{"Loud.VK7", "Loud"}}) {
    SCOPED_TRACE(c.fileName);
    GameCopy copy;
    const auto source = copy.Elsewhere(c.fileName, kRaid);
    ScriptedSeam seam;
    seam.Expect("STARTBOX", ImportAndClose(Rows(DemoAnd(c.battle))));
    seam.ExpectFile(Q(source.string()));
    seam.Expect("CHECKBOX", CheckResults({}));
    seam.Expect("MESSAGBOX", Imported(c.battle));
    RunList(copy, seam);
    EXPECT_EQ(seam.ChooserPrompts(), std::vector<QString>{Chooser(copy.Scripts())});
    EXPECT_EQ(ReadBytes(copy.Battle(c.battle)), kRaidCrLf);
    EXPECT_EQ(ReadBytes(source), kRaid);
    EXPECT_EQ(ReadBytes(copy.Index()), IndexBytes(DemoAnd(c.battle)));
  }
}

TEST(ImportFlows, AnUnlistedFileOfTheScriptsFolderIsListedWithoutACopy) {
  GameCopy copy;
  WriteFile(copy.Battle("Loose"), kRaid);
  ScriptedSeam seam;
  seam.Expect("STARTBOX", ImportAndClose(Rows(DemoAnd("Loose"))));
  seam.ExpectFile(Q(copy.Battle("Loose").string()));
  seam.Expect("CHECKBOX", CheckResults({}));
  seam.Expect("MESSAGBOX", Imported("Loose"));
  RunList(copy, seam);
  EXPECT_EQ(ReadBytes(copy.Battle("Loose")), kRaid);  // LF line ends: not rewritten
  EXPECT_EQ(ReadBytes(copy.Index()), IndexBytes(DemoAnd("Loose")));
}

TEST(ImportFlows, RefusalsOfferTheChooserAgainAndCancellingItChangesNothing) {
  struct Case {
    const char* what;
    std::string fileName;  // in the scripts folder when `inScripts`, else elsewhere
    bool inScripts;
    QString error;  // empty: refused without a message
  };
  const QString& unsafe = kUnusableNameError;
  const std::vector<Case> cases = {
      {"listed", "First Patrol.vk7", true, "This battle is already included in your battle list!"},
      {"dot name", "..vk7", false, unsafe.arg(".")},
      {"backslash", "raids\\Raid.vk7", false, unsafe.arg("raids\\Raid")},
      {"colon", "Raid: Two.vk7", false, unsafe.arg("Raid: Two")},
      {"device", "aux.vk7", false, unsafe.arg("aux")},
      {"not Windows-1252", "\u03A9mega.vk7", false, kUnspellableError},
      {"not a battle file", "Raid.txt", false, ""},
      {"only the ending", ".vk7", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GameCopy copy;
    const auto file = c.inScripts ? copy.Scripts() / c.fileName : copy.Elsewhere(c.fileName, kRaid);
    const auto before = copy.Snapshot();
    ScriptedSeam seam;
    seam.Expect("STARTBOX", ImportAndClose(Rows(kDemoBattles)));
    seam.ExpectFile(Q(file.string()));
    if (!c.error.isEmpty()) seam.Expect("ERRORBOX", Acknowledge("Error", c.error));
    seam.ExpectFile("");
    RunList(copy, seam);
    ASSERT_EQ(seam.ChooserPrompts().size(), 2u);
    EXPECT_EQ(seam.ChooserPrompts()[1], Chooser(file.parent_path()));  // where it was left
    EXPECT_EQ(copy.Snapshot(), before);
  }
}

TEST(ImportFlows, MissingObjectsAreShownThenConfirmed) {
  for (const bool importOnSecondTry : {true, false}) {
    SCOPED_TRACE(importOnSecondTry);
    GameCopy copy;
    const auto source = copy.Elsewhere("Survey Two.vk7", ReadBytes(copy.Battle("DeepSurvey")));
    const auto before = copy.Snapshot();
    ScriptedSeam seam;
    seam.Expect("STARTBOX",
                ImportAndClose(Rows(importOnSecondTry ? DemoAnd("Survey Two") : kDemoBattles)));
    seam.ExpectFile(Q(source.string()));
    seam.Expect("CHECKBOX", CheckResults({"SURVEYOR"}));
    seam.Expect("CONFIRMBOX", [](QDialog& box) {
      EXPECT_EQ(box.windowTitle(), "Confirm");
      EXPECT_EQ(Find<QLabel>(box, "questionLabel").text(), kConfirmQuestion);
      Click(box, "No");
    });
    if (importOnSecondTry) {
      seam.ExpectFile(Q(source.string()));
      seam.Expect("CHECKBOX", CheckResults({"SURVEYOR"}));
      seam.Expect("CONFIRMBOX", Press("Yes"));
      seam.Expect("MESSAGBOX", Imported("Survey Two"));
    } else {
      seam.ExpectFile("");
    }
    RunList(copy, seam);
    ASSERT_GE(seam.ChooserPrompts().size(), 2u);
    EXPECT_EQ(seam.ChooserPrompts()[1], Chooser(copy.ElsewhereDir()));
    if (importOnSecondTry) {
      EXPECT_EQ(ReadBytes(copy.Battle("Survey Two")), ReadBytes(copy.Battle("DeepSurvey")));
      EXPECT_EQ(ReadBytes(copy.Index()), IndexBytes(DemoAnd("Survey Two")));
    } else {
      EXPECT_EQ(copy.Snapshot(), before);
    }
  }
}

// "Yes" replaces it, the old file going to the trash (BattleListFlows.ADeletedOrReplaced...).
TEST(ImportFlows, AnExistingTargetStaysWhenOverwritingIsDeclined) {
  GameCopy copy;
  const auto source = copy.Elsewhere("Convoy Run.vk7", kRaid);
  const auto before = copy.Snapshot();
  ScriptedSeam seam;
  seam.Expect("STARTBOX", ImportAndClose(Rows(kDemoBattles)));
  seam.ExpectFile(Q(source.string()));
  seam.Expect("CHECKBOX", CheckResults({}));
  seam.Expect("OVERWRITEBOX", [](QDialog& box) {
    EXPECT_EQ(Find<QLabel>(box, "nameLabel").text(), "Convoy Run");
    Click(box, "No");
  });
  seam.ExpectFile("");
  RunList(copy, seam);
  EXPECT_EQ(copy.Snapshot(), before);
}

TEST(ImportFlows, AnInvalidBattleShowsTheReadersErrorAndCopiesNothing) {
  GameCopy copy;
  const auto source =
      copy.Elsewhere("Broken.vk7", "VK7 Battle\nFile Format Version 1.2\nFoo = 1\n");
  const auto before = copy.Snapshot();
  ScriptedSeam seam;
  seam.Expect("STARTBOX", ImportAndClose(Rows(kDemoBattles)));
  seam.ExpectFile(Q(source.string()));
  seam.Expect("ERRORBOX", [](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), "Error in battle file Broken.vk7");
    EXPECT_TRUE(MessageText(box).endsWith("in line 3")) << MessageText(box).toStdString();
    Click(box, "Cancel");
  });
  seam.ExpectFile("");
  RunList(copy, seam);
  EXPECT_EQ(copy.Snapshot(), before);
}

// Names beyond ASCII are Windows-1252 in vk7.txt and UTF-8 on disk (as Wine spells them): a
// listed battle whose file came that way stays listed, a created one is written that way, and
// an imported file's name is read back.
TEST(ImportFlows, NamesBeyondAsciiAreWindows1252InTheListAndUtf8OnDisk) {
  GameCopy copy;
  const std::string patrol = ReadBytes(copy.Battle("First Patrol"));
  WriteFile(copy.Scripts() / "Caf\u00e9.vk7", patrol);
  WriteFile(copy.Index(), IndexBytes(DemoAnd("Caf\xE9")));
  const auto source = copy.Elsewhere("\u00dcber.vk7", patrol);
  ScriptedSeam seam;
  seam.Expect("STARTBOX", [](QDialog& window) {
    EXPECT_EQ(Rows(BattleList(window)), Rows(DemoAnd("Caf\u00e9")));
    Click(window, "Create Battle");
    Click(window, "Import Battle");
    EXPECT_EQ(Rows(BattleList(window)), Rows(DemoAnd("Caf\u00e9")) << "Cr\u00e8me"
                                                                   << "\u00dcber");
    Click(window, "Close");
  });
  seam.Expect("CREATEBOX", TypeName("Cr\u00e8me"));
  seam.Expect("GENERALBOX", [](QDialog& page) {
    SelectRow(Find<QListWidget>(page, "Available Ships"), 3);
    Click(page, "Select -->");
    Click(page, "Next -->");
  });
  seam.Expect("SYSTEMBOX", [](QDialog& page) {
    SelectRow(Find<QListWidget>(page, "Available Systems"), 4);
    Click(page, "Add -->");
    Click(page, "Finish");
  });
  ExpectSave(seam, "Cr\u00e8me");
  seam.ExpectFile(Q(source.string()));
  seam.Expect("CHECKBOX", CheckResults({}));
  seam.Expect("MESSAGBOX", Imported("\u00dcber"));
  RunList(copy, seam);
  EXPECT_TRUE(std::filesystem::exists(copy.Scripts() / "Cr\u00e8me.vk7"));
  EXPECT_FALSE(std::filesystem::exists(copy.Scripts() / "Cr\xE8me.vk7"));
  EXPECT_EQ(ReadBytes(copy.Scripts() / "\u00dcber.vk7"), patrol);
  EXPECT_EQ(ReadBytes(copy.Index()), IndexBytes({"First Patrol", "Veyr Ambush", "Convoy Run",
                                                 "DeepSurvey", "Caf\xE9", "Cr\xE8me",
                                                 "\xDC"
                                                 "ber"}));
}

}  // namespace
}  // namespace vk7
