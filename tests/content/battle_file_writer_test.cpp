// Saving a battle: the writer's layout and what it writes of values no file holds; every battle
// that reads is saved so that it reads back equal; the safe save takes whole files only.
#include "content/battle_file_writer.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "battle/atomic_file.h"
#include "content/quick_read_back.h"
#include "content/safe_save.h"
#include "support/battle_text.h"
#include "support/case_file.h"
#include "support/model_builders.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

namespace vk7 {
namespace {

using Lines = std::vector<std::string>;
using test::ReadBytes;

const char* const kMinimal = VK7_TEST_DATA_DIR "/content/golden/minimal.vk7";

BattleConfig Read(const std::string& text) {
  const test_support::ReadOutcome read = test_support::ReadBattleText(text, false);
  EXPECT_TRUE(read.ok) << read.Describe();
  return read.config;
}

std::string Joined(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "; ") + line;
  return text;
}

// The demo battles and minimal.vk7 are in the editor's layout, written by hand from its rules
// (every section, every keyword, every dialog keyword's spacing but NeutralWarpInDialog's,
// checked here): what each reads to is written back to its bytes, without its remarks to the
// bytes without them.
TEST(BattleFileWriter, WritesTheLayout) {
  std::vector<std::filesystem::path> files = {kMinimal};
  for (const auto& entry : std::filesystem::directory_iterator(VK7_EXAMPLES_DIR "/game/scripts")) {
    if (entry.path().extension() == ".vk7") files.push_back(entry.path());
  }
  ASSERT_EQ(files.size(), 5u);
  for (const auto& file : files) {
    EXPECT_EQ(BattleFileWriter::Render(Read(ReadBytes(file))).bytes, ReadBytes(file)) << file;
  }
  BattleConfig config = Read(ReadBytes(files[0]));
  config.remarks.clear();
  config.systems[0].Dialogs(DialogEvent::NeutralWarpInDialog) = {test::Line("A", "b")};
  EXPECT_EQ(
      BattleFileWriter::Render(config).bytes,
      ReadBytes(files[0]).erase(37, 29) +
          "\r\n// The neutrals warp in dialog in the system\r\nNeutralWarpInDialog  = A: b\r\n");
}

TEST(BattleFileWriter, CutsLinesBeyond255Characters) {
  BattleConfig config;
  config.player = test::Ship("Scout");
  config.systems.push_back(test::System("Sol"));
  config.title = {std::string(300, 'T'), {}, {}, true};
  auto& d = config.systems[0].dialogs;
  d[static_cast<int>(DialogEvent::StartingDialog)] = {test::Line("Captain", std::string(300, 'x'))};
  // Exactly 255 characters: kept whole; one more: cut.
  d[static_cast<int>(DialogEvent::EndingDialog)] = {test::Line("Captain", std::string(228, 'y'))};
  d[static_cast<int>(DialogEvent::FriendWarpInDialog)] = {test::Line("C", std::string(232, 'z'))};
  const BattleFileWriter::Output out = BattleFileWriter::Render(config);
  EXPECT_EQ(out.cutLines, (std::vector<std::uint32_t>{5, 14, 20}));
  Lines lengths;
  for (std::size_t at = 0, end; at < out.bytes.size(); at = end + 2) {
    end = out.bytes.find("\r\n", at);
    if (end - at > 200) lengths.push_back(out.bytes.substr(at, 12) + std::to_string(end - at));
  }
  EXPECT_EQ(lengths,
            (Lines{"Title       255", "StartingDial255", "EndingDialog255", "FriendWarpIn255"}));
}

// Values no file reads to: beyond the named ones they are written in the nearest words; with
// their flags down they are not written, whatever they hold (the flags decide, not the values).
// A new battle's values, their flags raised, are written as zeros and first words.
TEST(BattleFileWriter, WritesOnlyWhatTheFlagsAllowInTheNearestWords) {
  BattleConfig config = Read(ReadBytes(kMinimal));
  config.title = {"Hidden", {"First", "Second"}, {"one.acm"}, false};  // no voice: no line
  config.escorts = {ShipEntry{"Scout", "Ghost", true, false}};
  BattleOptions& o = config.options;
  o.warpOut = static_cast<WarpOutMode>(7);
  o.collision = static_cast<CollisionMode>(-1);
  o.shipChange = static_cast<ShipChangeMode>(5);
  o.perfectCloak = 2;
  o.warpOutDefined = o.collisionDefined = o.shipChangeDefined = o.perfectCloakDefined = true;
  StarSystem& s = config.systems[0];
  s.battleMode = static_cast<BattleMode>(4);
  s.neutralBehavior = static_cast<NeutralBehavior>(9);
  s.neutralWarpOutAfter = -1000;
  s.friendJoinEscortAfter = INT32_MIN;
  s.hulkPosition = {INT32_MIN, 0, -1, "Moon"};  // coordinates win over the planet
  s.battleModeDefined = s.neutralBehaviorDefined = s.hulkCoordsDefined = true;
  s.hulkPlanetDefined = s.neutralWarpOutDefined = s.friendJoinEscortDefined = true;
  s.warpDisablePlayerDefined = true;
  StarSystem v = test::System("Vega");
  v.stardate = v.neutralBehaviorTime = 77;
  v.playerPosition = v.friendPosition = v.enemyPosition = v.neutralPosition = {1, 2, 3, "Earth"};
  v.neutralBehavior = NeutralBehavior::FriendAfter;
  v.neutralBehaviorTimeDefined = v.warpDisableFriendDefined = true;
  v.warpDisablePlayer = v.warpDisableEnemy = v.warpDisableNeutral = true;
  v.battleMode = BattleMode::Stat;
  v.friendWarpInAfter = v.enemyWarpInAfter = v.neutralWarpInAfter = 5;
  v.friendWarpOutAfter = v.enemyWarpOutAfter = v.neutralWarpOutAfter = v.friendJoinEscortAfter = -1;
  StarSystem ghost = v;  // a system without its name gives no System line
  ghost.nameDefined = ghost.warpDisableFriendDefined = false;
  StarSystem& zero = config.systems.emplace_back();
  zero.nameDefined = zero.stardateDefined = zero.neutralBehaviorDefined = true;
  zero.battleModeDefined = zero.friendJoinEscortDefined = true;
  for (const ShipRole role :
       {ShipRole::Player, ShipRole::Friend, ShipRole::Enemy, ShipRole::Neutral, ShipRole::Hulk}) {
    zero.Position(role).coordsDefined = true;
    if (role != ShipRole::Hulk) zero.WarpDisable(role).defined = true;
    for (const ShipAction action : {ShipAction::WarpIn, ShipAction::WarpOut}) {
      if (role != ShipRole::Player && role != ShipRole::Hulk) {
        zero.ActionTime(role, action).defined = true;
      }
    }
  }
  config.systems.insert(config.systems.end(), {v, ghost});
  EXPECT_EQ(Joined(test_support::WrittenValues(config)),
            "TitleLine = [one.acm] First; Player = Destroyer = Valiant; Escort = Scout; "
            "WarpOut = Sequential; Collision = OffForAll; ShipChange = Auto; PerfectCloak = Off; "
            "System = Sol; HulkPosition = -2147483648 0 -1; "
            "FriendAction = JoinEscortAfter Cleared; NeutralAction = WarpOutAfter Cleared; "
            "NeutralBehavior = Random; WarpDisable = Player; BattleMode = AI; System = ; "
            "Stardate = 0; PlayerPosition = 0 0 0; FriendPosition = 0 0 0; EnemyPosition = 0 0 0; "
            "NeutralPosition = 0 0 0; HulkPosition = 0 0 0; FriendAction = WarpInAfter 0; "
            "FriendAction = WarpOutAfter 0; FriendAction = JoinEscortAfter 0; "
            "EnemyAction = WarpInAfter 0; EnemyAction = WarpOutAfter 0; "
            "NeutralAction = WarpInAfter 0; NeutralAction = WarpOutAfter 0; "
            "NeutralBehavior = EnemyWhenAttacked; WarpDisable = Player; WarpDisable = Friend; "
            "WarpDisable = Enemy; WarpDisable = Neutral; BattleMode = AI; System = Vega; "
            "WarpDisable = Friend");
  BattleConfig fresh;  // as constructed: only what was set is written, options as first words
  fresh.player = test::Ship("Scout");
  fresh.escorts.emplace_back().shipClass = "Wren";
  fresh.systems.emplace_back();
  BattleOptions& f = fresh.options;
  f.warpOutDefined = f.collisionDefined = f.shipChangeDefined = f.perfectCloakDefined = true;
  EXPECT_EQ(test_support::WrittenValues(fresh),
            (Lines{"Player = Scout", "Escort = Wren", "WarpOut = Anytime", "Collision = On",
                   "ShipChange = Off", "PerfectCloak = Off"}));
}

// A large battle is put together in the room reserved for it ahead: growing the text would
// copy it and hold twice its size. Every list counts, dialogs of the longest keyword too.
TEST(BattleFileWriter, ReservesRoomForTheWholeFileAhead) {
  BattleConfig config = Read(ReadBytes(kMinimal));
  StarSystem& s = config.systems[0];
  config.title = {"Title", {"A line"}, {"v.acm"}, true};
  config.escorts = s.friends = s.enemies = s.neutrals = s.hulks = {test::Ship("Wren", "Wreck")};
  const auto grow = [](auto& list) {
    ASSERT_FALSE(list.empty());
    for (auto copy = list; list.size() < 4000;) list.insert(list.end(), copy.begin(), copy.end());
  };
  grow(config.remarks), grow(config.title.titleLines), grow(config.title.titleLineVoices);
  grow(config.escorts), grow(s.friends), grow(s.enemies), grow(s.neutrals), grow(s.hulks);
  for (auto& dialog : s.dialogs) {
    dialog = {test::Line("Speaker", "Some words."), test::Line("Speaker", "Some words.", "v.acm")};
    grow(dialog);
  }
  const std::string bytes = BattleFileWriter::Render(config).bytes;
  // Nor far too much: a byte more for each line would show.
  EXPECT_LE(bytes.capacity(), bytes.size() + bytes.size() / 30) << bytes.size();
}

// Every battle the reader cases, the demo game and the golden files read to without a message
// is written so that it reads again, remarks included, to the same battle; the safe save takes
// it, the quick read-back alone proving it, and saves exactly those bytes.
TEST(RoundTrip, EveryBattleThatReadsReadsBackEqual) {
  QuickReadBack::CompareWithFullCheck(true);
  std::vector<std::string> texts;
  for (const test_support::Case& c :
       test_support::LoadCaseFiles("battle/cases", {"reader_values", "section_rules"})) {
    std::vector<std::string> lines = c.input;
    lines.insert(lines.begin(), "// Created by Velkor Editor");
    texts.push_back(test_support::BattleText(lines));
  }
  for (const char* folder :
       {VK7_EXAMPLES_DIR "/game/scripts", VK7_TEST_DATA_DIR "/content/golden"}) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
      if (entry.path().extension() == ".vk7") texts.push_back(test::ReadBytes(entry.path()));
    }
  }
  std::size_t battles = 0;
  for (const std::string& text : texts) {
    const test_support::ReadOutcome read = test_support::ReadBattleText(text, false, "Battle");
    if (!read.ok || !read.messages.empty()) continue;  // a warning too
    ++battles;
    const BattleFileWriter::Output out = BattleFileWriter::Render(read.config);
    const std::string& bytes = out.bytes;
    SCOPED_TRACE(bytes);
    EXPECT_TRUE(QuickReadBack::Proves(read.config, out, "Battle"));
    const test_support::ReadOutcome back = test_support::ReadBattleText(bytes, false, "Battle");
    ASSERT_TRUE(back.ok) << back.Describe();
    EXPECT_TRUE(back.messages.empty()) << back.Describe();
    EXPECT_TRUE(back.config == read.config);
    RecordingReporter reporter;
    EXPECT_EQ(SafeSave::Prepare(read.config, "Battle", reporter),
              std::optional<std::string>(bytes));
    EXPECT_TRUE(reporter.Entries().empty());
    if (::testing::Test::HasFailure()) return;  // one battle's report is enough
  }
  EXPECT_GE(battles, 40u);
}

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
      {"text", "Room #1", 21, "StartingDialog  = Captain: Room #1"},
      {"speaker", "Cap:tain", 21, "StartingDialog  = Cap:tain: Welcome aboard."},
      {"voice", "a]b.acm", 21, "StartingDialog  = [a]b.acm] Captain: Welcome aboard."},
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
    // A later system that reads back otherwise but renders alike (a value never written)
    // must not make the quick read-back forget the spoilt one.
    StarSystem unwritten = test::System("Vega");
    unwritten.stardate = 5;
    line == 0 ? spoilt.systems.clear() : spoilt.systems.push_back(unwritten);
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
