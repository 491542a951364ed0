// "Import Battle" from STARTBOX: the file chooser, the read and the check, the copy into the
// scripts folder and the list entry, and every way of giving up.
#include "app/flow_support.h"

namespace vk7 {
namespace {

using namespace test;

// A battle with nothing the demo catalogs lack, with LF line ends as other editors leave them.
constexpr const char* kRaid =
    "VK7 Battle\nFile Format Version 1.2\nTitle = Raid\nPlayer = TALON\nSystem = Calder\n";

QString Chooser(const std::filesystem::path& folder) {
  return "Import Battle|" + Q(folder.string()) + "|Velkor Files (*.vk7)";
}

// The check results with the ship classes they name missing ("-- none --" when none is).
ScriptedSeam::Action CheckResults(const QString& missing = "-- none --") {
  return [missing](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), "Import Battle Check Results");
    EXPECT_EQ(Rows(Find<QListWidget>(box, "shipMissingList")), QStringList{missing});
    Click(box, "OK");
  };
}

// "Import Battle" pressed on STARTBOX: `file` chosen, checked without anything missing.
void ExpectImported(ScriptedSeam& seam, const std::filesystem::path& file,
                    const std::string& name) {
  seam.Chosen("file", Q(file.string())).Expect("CHECKBOX", CheckResults());
  seam.Expect("MESSAGBOX", Acknowledge("Import Battle", "The battle " + Q(name) + " has success"));
}

// From elsewhere the file is copied with CRLF line ends, even a write-protected one (from a CD
// or an archive); from the scripts folder it is only listed.
TEST(ImportFlows, AFileIsCopiedIntoTheScriptsFolderAndListed) {
  GameCopy copy;
  const auto source = copy.Elsewhere("Raid.VK7", kRaid);
  std::filesystem::permissions(source, std::filesystem::perms::owner_read);
  WriteFile(copy.Battle("Loose"), kRaid);
  ScriptedSeam seam;
  seam.Expect("STARTBOX", OnList(-1, {"Import Battle", "Import Battle"}, [](QDialog& window) {
                EXPECT_EQ(Rows(BattleList(window)), Rows(DemoAnd("Raid")) << "Loose");
              }));
  ExpectImported(seam, source, "Raid");
  ExpectImported(seam, copy.Battle("Loose"), "Loose");
  RunList(copy, seam);
  EXPECT_EQ(seam.ChooserPrompts().front(), Chooser(copy.Scripts()));
  std::string crLf = kRaid;
  for (std::size_t at = 0; (at = crLf.find('\n', at)) != std::string::npos; at += 2) {
    crLf.insert(at, "\r");
  }
  EXPECT_EQ(ReadBytes(copy.Battle("Raid")), crLf);
  EXPECT_EQ(ReadBytes(copy.Battle("Loose")), kRaid);  // not rewritten
  EXPECT_EQ(ReadBytes(copy.Index()), IndexBytes({"First Patrol", "Veyr Ambush", "Convoy Run",
                                                 "DeepSurvey", "Raid", "Loose"}));
}

// Each refusal offers the chooser again in the file's folder; cancelling it changes nothing.
TEST(ImportFlows, RefusalsOfferTheChooserAgainAndCancellingItChangesNothing) {
  struct Case {
    std::string fileName;  // elsewhere; in the scripts folder when it starts with "scripts/"
    std::vector<std::pair<QString, ScriptedSeam::Action>> steps;
  };
  const auto error = [](const QString& text) {
    return std::pair{QString("ERRORBOX"), Acknowledge("Error", text)};
  };
  const std::vector<Case> cases = {
      {"scripts/First Patrol.vk7", {error("This battle is already included in your battle")}},
      {"aux.vk7", {error("The name \"aux\" cannot be used")}},
      {"\u03A9mega.vk7", {error("The name of this file holds characters that a battle name")}},
      {"Raid.txt", {}},
      {".vk7", {}},
      {"Convoy Run.vk7", {{"CHECKBOX", CheckResults()}, {"OVERWRITEBOX", Press("No")}}},
      {"Broken.vk7", {{"ERRORBOX", Acknowledge("Error in battle file Broken.vk7", "Invalid")}}},
      {"DeepSurvey.vk7", {{"CHECKBOX", CheckResults("SURVEYOR")}, {"CONFIRMBOX", Press("No")}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fileName);
    GameCopy copy;
    const std::string bytes = c.fileName == "Broken.vk7" ? "VK7 Battle\nFoo\n"
                              : c.fileName == "DeepSurvey.vk7"
                                  ? ReadBytes(copy.Battle("DeepSurvey"))
                                  : kRaid;
    const auto file = c.fileName.starts_with("scripts/") ? copy.Scripts() / c.fileName.substr(8)
                                                         : copy.Elsewhere(c.fileName, bytes);
    const auto before = copy.Snapshot();
    ScriptedSeam seam;
    seam.Expect("STARTBOX", OnList(-1, {"Import Battle"})).Chosen("file", Q(file.string()));
    for (const auto& [name, action] : c.steps) seam.Expect(name, action);
    seam.Chosen("file", "");
    RunList(copy, seam);
    ASSERT_EQ(seam.ChooserPrompts().size(), 2u);
    EXPECT_EQ(seam.ChooserPrompts()[1], Chooser(file.parent_path()));  // where it was left
    EXPECT_EQ(copy.Snapshot(), before);
  }
}

TEST(ImportFlows, MissingObjectsAreShownThenConfirmed) {
  GameCopy copy;
  const auto source = copy.Elsewhere("Survey Two.vk7", ReadBytes(copy.Battle("DeepSurvey")));
  ScriptedSeam seam;
  seam.Expect("STARTBOX", OnList(-1, {"Import Battle"}));
  seam.Chosen("file", Q(source.string())).Expect("CHECKBOX", CheckResults("SURVEYOR"));
  seam.Expect("CONFIRMBOX", [](QDialog& box) {
    EXPECT_TRUE(Find<QLabel>(box, "questionLabel").text().startsWith("The check revealed"));
    Click(box, "Yes");
  });
  seam.Expect("MESSAGBOX", Press("Ok"));
  RunList(copy, seam);
  EXPECT_EQ(ReadBytes(copy.Battle("Survey Two")), ReadBytes(copy.Battle("DeepSurvey")));
  EXPECT_EQ(ReadBytes(copy.Index()), IndexBytes(DemoAnd("Survey Two")));
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
  seam.Expect("STARTBOX", OnList(-1, {"Create Battle", "Import Battle"}, [](QDialog& window) {
                EXPECT_EQ(Rows(BattleList(window)), Rows(DemoAnd("Caf\u00e9")) << "Cr\u00e8me"
                                                                               << "\u00dcber");
              }));
  seam.Expect("CREATEBOX", TypeName("Cr\u00e8me"));
  ExpectSmallBattleSaved(seam, "Cr\u00e8me");
  ExpectImported(seam, source, "\u00dcber");
  RunList(copy, seam);
  EXPECT_TRUE(std::filesystem::exists(copy.Scripts() / "Cr\u00e8me.vk7"));
  EXPECT_EQ(ReadBytes(copy.Scripts() / "\u00dcber.vk7"), patrol);
  EXPECT_EQ(ReadBytes(copy.Index()), IndexBytes({"First Patrol", "Veyr Ambush", "Convoy Run",
                                                 "DeepSurvey", "Caf\xE9", "Cr\xE8me",
                                                 "\xDC"
                                                 "ber"}));
}

}  // namespace
}  // namespace vk7
