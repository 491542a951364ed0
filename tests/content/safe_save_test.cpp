#include "content/safe_save.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "battle/atomic_file.h"
#include "battle/recording_reporter.h"
#include "content/battle_file_writer.h"
#include "content/quick_read_back.h"
#include "support/battle_text.h"
#include "support/model_builders.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

namespace vk7 {
namespace {

// Written as: Title on line 6, Player 9, System 12, Friend 15, Enemy 18, StartingDialog 21.
BattleConfig Ordinary() {
  BattleConfig config =
      test_support::ReadBattleLines({"Title = Battle of Sol", "Player = Destroyer = Valiant",
                                     "System = Sol", "Friend = Cruiser", "Enemy = Raider = Fang",
                                     "StartingDialog = Captain: Welcome aboard."})
          .config;
  config.InitNew();
  return config;
}

// The value of the ordinary battle that `field` names.
std::string& Field(BattleConfig& c, const std::string& field) {
  DialogLine& greeting = c.systems[0].Dialogs(DialogEvent::StartingDialog)[0];
  if (field == "speaker") return greeting.speaker;
  if (field == "voice") return greeting.voice;
  if (field == "text") return greeting.text;
  if (field == "title") return c.title.title;
  if (field == "player") return c.player.name;
  if (field == "enemy") return c.systems[0].enemies[0].name;
  return c.systems[0].name;
}

// A battle that reads back equal is saved whole over the old file. Values that would not read
// back are refused, naming the line as it would be written (a long one shortened, but always
// from its start); a save that cannot be made (no folder, a folder in the way, a size limit,
// which holds for root too) says so. Either way nothing changes on disk.
TEST(SafeSave, SavesWholeOrRefusesAndChangesNothing) {
  QuickReadBack::CompareWithFullCheck(true);
  BattleConfig config = Ordinary();
  config.remarks.push_back(" a note with \"quotes\", # and // inside");
  Field(config, "voice") = "hello.acm";
  const std::string bytes = BattleFileWriter::Render(config).bytes;
  EXPECT_TRUE(QuickReadBack::Proves(config, BattleFileWriter::Render(config), "Sol"));  // fast
  test::TempDir dir;
  const std::filesystem::path file = dir.Write("Sol.vk7", std::string(10000, 'o'));
  // As the editor saves: checked, committed, and only then named.
  const auto save = [](BattleConfig& c, const std::string& name, const std::filesystem::path& to) {
    RecordingReporter reporter;
    const std::optional<std::string> prepared = SafeSave::Prepare(c, name, reporter);
    const bool saved = prepared && Committed(CommitFileAtomically(to, *prepared),
                                             BattleFileErrorTitle(name), reporter);
    if (saved) c.name = name;
    const std::vector<std::string> log = test::Log(reporter);
    if (saved != log.empty()) return std::string("a result that does not match the messages");
    return log.empty() ? "saved" : log.size() == 1 ? log[0] : "messages";
  };
  EXPECT_EQ(save(config, "Sol", file), "saved");
  EXPECT_EQ(test::ReadBytes(file), bytes);
  const test_support::ReadOutcome back = test_support::ReadBattleText(bytes, false, "Sol");
  EXPECT_TRUE(back.messages.empty());
  EXPECT_TRUE(back.config == config);
  const std::string longText(240, 't');
  // The field spoilt, its value, the line it is written on, that line as written.
  const std::tuple<const char*, std::string, std::uint32_t, std::string> refusals[] = {
      {"text", "Welcome \"aboard\"", 21, "StartingDialog  = Captain: Welcome \"aboard\""},
      {"title", "Sol // Part two", 6, "Title           = Sol // Part two"},
      {"text", longText, 21, "StartingDialog  = Captain: " + longText},
      {"speaker", "Cap:tain", 21, "StartingDialog  = Cap:tain: Welcome aboard."},
      {"voice", "a]b.acm", 21, "StartingDialog  = [a]b.acm] Captain: Welcome aboard."},
      {"text", "Room #1", 21, "StartingDialog  = Captain: Room #1"},
      {"player", "Valiant ", 9, "Player          = Destroyer = Valiant "},
      {"enemy", "Valiant", 18, "Enemy           = Raider = Valiant"},
      {"system", "=Sol", 12, "System          = =Sol"},
      {"title", std::string(82, 'T'), 6, "Title           = " + std::string(82, 'T')},
      {"no system", "", 0, "No system defined"},
  };
  const std::string error = "error|Error in battle file ";
  for (const auto& [field, value, line, written] : refusals) {
    BattleConfig spoilt = Ordinary();
    Field(spoilt, field) = value;
    if (line == 0) spoilt.systems.clear();
    const std::string shown = save(spoilt, "Sol", file);
    const std::string start = line != 0 ? "Line " + std::to_string(line) + " " : "";
    EXPECT_EQ(shown.rfind(error + "Sol.vk7|" + start, 0), 0u) << shown;
    const std::string excerpt = written.size() > 100 ? written.substr(0, 100) + "..." : written;
    EXPECT_NE(shown.find((line != 0 ? "\n" : "") + excerpt + (line != 0 ? "\n" : "")),
              std::string::npos)
        << shown;
  }
  dir.Write("Odd.vk7/keep.txt", "kept");
  EXPECT_EQ(save(config, "Lost", dir / "scripts" / "Lost.vk7"),
            error + "Lost.vk7|Cannot create file!");
  EXPECT_EQ(save(config, "Odd", dir / "Odd.vk7"), error + "Odd.vk7|Cannot create file!");
  EXPECT_EQ(test::ReadBytes(dir / "Odd.vk7" / "keep.txt"), "kept");
#ifndef _WIN32
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit limit = old;
  limit.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);  // no signal is raised either
  EXPECT_EQ(save(config, "Sol", file), error + "Sol.vk7|Cannot write file!");
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
#endif
  EXPECT_EQ(test::ReadBytes(file), bytes);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
}

}  // namespace
}  // namespace vk7
