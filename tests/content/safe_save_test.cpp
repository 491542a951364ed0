#include "content/safe_save.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "battle/battle_file_reader.h"
#include "battle/recording_reporter.h"
#include "content/battle_file_writer.h"
#include "support/temp_dir.h"

namespace vk7 {
namespace {

// Written as these lines (numbers from 1):
//  6 Title           = Battle of Sol
//  9 Player          = Destroyer = Valiant
// 12 System          = Sol
// 15 Friend          = Cruiser
// 18 Enemy           = Raider
// 21 StartingDialog  = Captain: Welcome aboard.
BattleConfig Ordinary() {
  BattleConfig config;
  config.InitNew();
  config.title.title = "Battle of Sol";
  config.title.titleDefined = true;
  config.player = {"Destroyer", "Valiant", true, true};
  StarSystem sol;
  sol.name = "Sol";
  sol.nameDefined = true;
  sol.friends = {{"Cruiser", "", true, false}};
  sol.enemies = {{"Raider", "", true, false}};
  sol.Dialogs(DialogEvent::StartingDialog) = {{"Captain", "Welcome aboard.", "", true, true, true}};
  config.systems.push_back(sol);
  return config;
}

DialogLine& Greeting(BattleConfig& config) {
  return config.systems[0].Dialogs(DialogEvent::StartingDialog)[0];
}

struct Refusal {
  const char* label;
  std::function<void(BattleConfig&)> spoil;
  std::uint32_t line;
  // The line as it would have been written, named in the error.
  std::string written;
};

std::vector<Refusal> Refusals() {
  return {
      {"dialog text ending with a double quote",
       [](BattleConfig& c) { Greeting(c).text = "Welcome \"aboard\""; }, 21,
       "StartingDialog  = Captain: Welcome \"aboard\""},
      {"comment mark in the title", [](BattleConfig& c) { c.title.title = "Sol // Part two"; }, 6,
       "Title           = Sol // Part two"},
      {"line beyond 255 characters",
       [](BattleConfig& c) {
         Greeting(c).speaker = std::string(40, 's');
         Greeting(c).text = std::string(200, 't');
       },
       21, "StartingDialog  = " + std::string(40, 's') + ": " + std::string(195, 't')},
      {"colon in the speaker", [](BattleConfig& c) { Greeting(c).speaker = "Cap:tain"; }, 21,
       "StartingDialog  = Cap:tain: Welcome aboard."},
      {"bracket in the voice file", [](BattleConfig& c) { Greeting(c).voice = "a]b.acm"; }, 21,
       "StartingDialog  = [a]b.acm] Captain: Welcome aboard."},
      {"hash in a dialog", [](BattleConfig& c) { Greeting(c).text = "Room #1"; }, 21,
       "StartingDialog  = Captain: Room #1"},
      {"blank after a ship name", [](BattleConfig& c) { c.player.name = "Valiant "; }, 9,
       "Player          = Destroyer = Valiant "},
      {"ship name given twice",
       [](BattleConfig& c) {
         c.systems[0].enemies[0] = {"Raider", "Valiant", true, true};
       },
       18, "Enemy           = Raider = Valiant"},
      {"system name beginning with =", [](BattleConfig& c) { c.systems[0].name = "=Sol"; }, 12,
       "System          = =Sol"},
      {"title too long", [](BattleConfig& c) { c.title.title = std::string(51, 'T'); }, 6,
       "Title           = " + std::string(51, 'T')},
  };
}

TEST(SafeSave, RefusesValuesThatWouldNotReadBack) {
  for (const Refusal& r : Refusals()) {
    SCOPED_TRACE(r.label);
    BattleConfig config = Ordinary();
    r.spoil(config);
    RecordingReporter reporter;
    EXPECT_FALSE(SafeSave::Prepare(config, "Sol", reporter).has_value());
    ASSERT_EQ(reporter.Entries().size(), 1u);
    const RecordingReporter::Entry& e = reporter.Entries()[0];
    EXPECT_TRUE(e.error);
    EXPECT_EQ(e.title, "Error in battle file Sol.vk7");
    EXPECT_NE(e.text.find("Line " + std::to_string(r.line) + " "), std::string::npos) << e.text;
    // A long line may be shown shortened, but always from its start.
    EXPECT_NE(e.text.find("\n" + r.written.substr(0, 100)), std::string::npos) << e.text;
  }
}

TEST(SafeSave, RefusedSaveKeepsTheOldFile) {
  const std::string old = "VK7 Battle\r\nFile Format Version 1.2\r\n// old\r\n";
  std::vector<Refusal> cases = Refusals();
  cases.push_back({"no system", [](BattleConfig& c) { c.systems.clear(); }, 0, ""});
  for (const Refusal& r : cases) {
    SCOPED_TRACE(r.label);
    test::TempDir dir;
    const std::filesystem::path file = dir.Write("Sol.vk7", old);
    BattleConfig config = Ordinary();
    r.spoil(config);
    RecordingReporter reporter;
    EXPECT_FALSE(SafeSave::Save(config, "Sol", file, reporter));
    ASSERT_EQ(reporter.Entries().size(), 1u);
    EXPECT_TRUE(reporter.Entries()[0].error);
    if (r.line == 0) {
      EXPECT_NE(reporter.Entries()[0].text.find("No system defined"), std::string::npos);
    }
    EXPECT_EQ(test::ReadBytes(file), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
  }
}

TEST(SafeSave, SavesOrdinaryBattlesThatReadBackEqual) {
  BattleConfig config = Ordinary();
  config.remarks.push_back(" a note with \"quotes\", # and // inside");
  Greeting(config).voice = "hello.acm";
  config.systems[0].friendWarpOutAfter = kCleared;
  config.systems[0].friendWarpOutDefined = true;
  test::TempDir dir;
  const std::filesystem::path file = dir.Write("Sol.vk7", "old");

  RecordingReporter reporter;
  ASSERT_TRUE(SafeSave::Save(config, "Sol", file, reporter));
  EXPECT_TRUE(reporter.Entries().empty());
  EXPECT_EQ(config.name, "Sol");
  EXPECT_EQ(test::ReadBytes(file), BattleFileWriter::Render(config).bytes);

  BattleConfig back;
  RecordingReporter readReporter;
  ASSERT_TRUE(BattleFileReader(back, readReporter).Read("Sol", file, false));
  EXPECT_TRUE(readReporter.Entries().empty());
  EXPECT_TRUE(back == config);
}

}  // namespace
}  // namespace vk7
