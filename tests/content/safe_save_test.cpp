#include "content/safe_save.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "battle/recording_reporter.h"
#include "content/battle_file_writer.h"
#include "support/battle_text.h"
#include "support/temp_dir.h"

namespace vk7 {
namespace {

// Written as: Title on line 6, Player 9, System 12, Friend 15, Enemy 18, StartingDialog 21.
BattleConfig Ordinary() {
  BattleConfig config =
      test_support::ReadBattleLines({"Title = Battle of Sol", "Player = Destroyer = Valiant",
                                     "System = Sol", "Friend = Cruiser", "Enemy = Raider",
                                     "StartingDialog = Captain: Welcome aboard."})
          .config;
  config.InitNew();
  return config;
}

DialogLine& Greeting(BattleConfig& config) {
  return config.systems[0].Dialogs(DialogEvent::StartingDialog)[0];
}

struct Refusal {
  const char* label;
  std::function<void(BattleConfig&)> spoil;
  std::uint32_t line;
  std::string written;  // the line as it would have been written, named in the error
};

TEST(SafeSave, RefusesValuesThatWouldNotReadBackAndKeepsTheOldFile) {
  const Refusal refusals[] = {
      {"quote at the end", [](BattleConfig& c) { Greeting(c).text = "Welcome \"aboard\""; }, 21,
       "StartingDialog  = Captain: Welcome \"aboard\""},
      {"comment mark", [](BattleConfig& c) { c.title.title = "Sol // Part two"; }, 6,
       "Title           = Sol // Part two"},
      {"line beyond 255 characters",
       [](BattleConfig& c) {
         Greeting(c).speaker = std::string(40, 's');
         Greeting(c).text = std::string(200, 't');
       },
       21, "StartingDialog  = " + std::string(40, 's') + ": " + std::string(195, 't')},
      {"colon in the speaker", [](BattleConfig& c) { Greeting(c).speaker = "Cap:tain"; }, 21,
       "StartingDialog  = Cap:tain: Welcome aboard."},
      {"bracket in the voice", [](BattleConfig& c) { Greeting(c).voice = "a]b.acm"; }, 21,
       "StartingDialog  = [a]b.acm] Captain: Welcome aboard."},
      {"hash in a dialog", [](BattleConfig& c) { Greeting(c).text = "Room #1"; }, 21,
       "StartingDialog  = Captain: Room #1"},
      {"blank after a name", [](BattleConfig& c) { c.player.name = "Valiant "; }, 9,
       "Player          = Destroyer = Valiant "},
      {"name given twice",
       [](BattleConfig& c) {
         c.systems[0].enemies[0] = {"Raider", "Valiant", true, true};
       },
       18, "Enemy           = Raider = Valiant"},
      {"system name beginning with =", [](BattleConfig& c) { c.systems[0].name = "=Sol"; }, 12,
       "System          = =Sol"},
      {"title too long", [](BattleConfig& c) { c.title.title = std::string(51, 'T'); }, 6,
       "Title           = " + std::string(51, 'T')},
      {"no system", [](BattleConfig& c) { c.systems.clear(); }, 0, "No system defined"},
  };
  const std::string old = "VK7 Battle\r\nFile Format Version 1.2\r\n// old\r\n";
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.label);
    test::TempDir dir;
    const std::filesystem::path file = dir.Write("Sol.vk7", old);
    BattleConfig config = Ordinary();
    r.spoil(config);
    RecordingReporter reporter;
    EXPECT_FALSE(SafeSave::Save(config, "Sol", file, reporter));
    ASSERT_EQ(reporter.Entries().size(), 1u);
    const RecordingReporter::Entry& e = reporter.Entries()[0];
    EXPECT_TRUE(e.error);
    EXPECT_EQ(e.title, "Error in battle file Sol.vk7");
    if (r.line != 0) {
      EXPECT_NE(e.text.find("Line " + std::to_string(r.line) + " "), std::string::npos) << e.text;
    }
    // A long line may be shown shortened, but always from its start.
    EXPECT_NE(e.text.find((r.line != 0 ? "\n" : "") + r.written.substr(0, 100)), std::string::npos)
        << e.text;
    EXPECT_EQ(test::ReadBytes(file), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
  }
}

TEST(SafeSave, SavesOrdinaryBattlesThatReadBackEqual) {
  BattleConfig config = Ordinary();
  config.remarks.push_back(" a note with \"quotes\", # and // inside");
  Greeting(config).voice = "hello.acm";
  test::TempDir dir;
  const std::filesystem::path file = dir.Write("Sol.vk7", "old");
  RecordingReporter reporter;
  ASSERT_TRUE(SafeSave::Save(config, "Sol", file, reporter));
  EXPECT_TRUE(reporter.Entries().empty());
  EXPECT_EQ(config.name, "Sol");
  EXPECT_EQ(test::ReadBytes(file), BattleFileWriter::Render(config).bytes);
  const test_support::ReadOutcome back =
      test_support::ReadBattleText(test::ReadBytes(file), false, "Sol");
  EXPECT_TRUE(back.messages.empty());
  EXPECT_TRUE(back.config == config);
}

}  // namespace
}  // namespace vk7
