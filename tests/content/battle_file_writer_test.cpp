#include "content/battle_file_writer.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "battle/recording_reporter.h"
#include "support/model_builders.h"
#include "support/random_battle.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <csignal>
#endif

namespace vk7 {
namespace {

using test::Ship;

using test::ReadBytes;

// The expected files under golden/ were written by hand from the layout rules.
std::string Golden(const std::string& file) {
  const std::string bytes = ReadBytes(std::string(VK7_TEST_DATA_DIR) + "/content/golden/" + file);
  EXPECT_FALSE(bytes.empty()) << "missing golden file " << file;
  return bytes;
}

DialogLine Line(const std::string& speaker, const std::string& text,
                const std::string& voice = "") {
  return DialogLine{speaker, text, voice, true, true, true};
}

StarSystem NamedSystem(const std::string& name) {
  StarSystem system;
  system.name = name;
  system.nameDefined = true;
  return system;
}

std::vector<std::string> Log(const RecordingReporter& reporter) {
  std::vector<std::string> log;
  for (const auto& e : reporter.Entries()) {
    log.push_back((e.error ? "error|" : "message|") + e.title + "|" + e.text);
  }
  return log;
}

BattleConfig Minimal() {
  BattleConfig config;
  config.InitNew();
  config.player = Ship("Destroyer", "Valiant");
  config.systems.push_back(NamedSystem("Sol"));
  return config;
}

BattleConfig NoRemarks() {
  BattleConfig config;
  config.player = Ship("Scout");
  config.systems.push_back(NamedSystem("Vega"));
  return config;
}

// Every value is held but none has its flag up (or its list entries): only what the minimal
// battle has is written.
BattleConfig FlagsDown() {
  BattleConfig config = Minimal();
  config.title.title = "Hidden";
  config.options = {WarpOutMode::Sequential,
                    CollisionMode::Off,
                    ShipChangeMode::Auto,
                    1,
                    false,
                    false,
                    false,
                    false};
  StarSystem& s = config.systems[0];
  s.stardate = 77;
  s.playerPosition = {1, 2, 3, "Earth"};
  s.friendPosition = {4, 5, 6, "Mars"};
  s.enemyPosition = {7, 8, 9, ""};
  s.neutralPosition = {0, 0, 0, "Venus"};
  s.hulkPosition = {1, 1, 1, ""};
  s.neutralBehavior = NeutralBehavior::FriendAfter;
  s.neutralBehaviorTime = 30;
  s.neutralBehaviorTimeDefined = true;
  s.warpDisablePlayer = s.warpDisableFriend = s.warpDisableEnemy = s.warpDisableNeutral = true;
  s.battleMode = BattleMode::Stat;
  s.friendWarpInAfter = s.enemyWarpInAfter = s.neutralWarpInAfter = 5;
  s.friendWarpOutAfter = s.enemyWarpOutAfter = s.neutralWarpOutAfter = -1;
  s.friendJoinEscortAfter = 9;
  StarSystem unnamed;  // a system without its name gives no System line
  unnamed.name = "Ghost";
  config.systems.push_back(unnamed);
  return config;
}

BattleConfig Full() {
  BattleConfig config;
  config.InitNew();
  config.remarks.push_back(" my notes");
  config.remarks.push_back("");
  config.remarks.push_back("  indented # and \"quotes\" // still a remark");
  config.title = {
      "Battle of Vega", {"The fleet gathers.", "Hold the line!"}, {"", "intro2.acm"}, true};
  config.options = {WarpOutMode::WhenCleared,
                    CollisionMode::OffForAll,
                    ShipChangeMode::Auto,
                    1,
                    true,
                    true,
                    true,
                    true};
  config.player = Ship("Heavy Cruiser", "Kestrel");
  ShipEntry nameless = Ship("Scout");
  nameless.name = "Ghost";  // its flag is down: the class alone is written
  config.escorts = {Ship("Scout"), nameless, Ship("Frigate", "Wren")};

  StarSystem s = NamedSystem("Vega Prime");
  s.stardate = 23015;
  s.stardateDefined = true;
  s.friends = {Ship("Cruiser", "Hawk"), Ship("Destroyer")};
  s.enemies = {Ship("Raider"), Ship("Raider", "Fang")};
  s.neutrals = {Ship("Freighter")};
  s.hulks = {Ship("Wreck", "Old Bones")};
  s.playerPosition = {100, -200, 300, ""};
  s.playerCoordsDefined = true;
  s.friendPosition.planet = "Vega II";
  s.friendPlanetDefined = true;
  s.enemyPosition = {-1, 0, INT32_MAX, "Ignored"};  // coordinates win over the planet
  s.enemyCoordsDefined = s.enemyPlanetDefined = true;
  s.neutralPosition.planet = "New Hope";
  s.neutralPlanetDefined = true;
  s.hulkPosition = {5, 5, 5, "Nowhere"};  // no flag up: no line
  s.friendWarpInAfter = -30;              // a negative warp-in is a number
  s.friendWarpOutAfter = 0;
  s.friendJoinEscortAfter = -7;  // any negative exit time is "Cleared"
  s.friendWarpInDefined = s.friendWarpOutDefined = s.friendJoinEscortDefined = true;
  s.enemyWarpInAfter = 0;
  s.enemyWarpOutAfter = kCleared;
  s.enemyWarpInDefined = s.enemyWarpOutDefined = true;
  s.neutralWarpInAfter = 60;  // flag down
  s.neutralWarpOutAfter = 120;
  s.neutralWarpOutDefined = true;
  s.neutralBehavior = NeutralBehavior::FriendAfter;
  s.neutralBehaviorTime = 45;  // written although its own flag is down
  s.neutralBehaviorDefined = true;
  s.Dialogs(DialogEvent::StartingDialog) = {Line("Captain", "Shields up!", "start.acm"),
                                            Line("Helm", "Aye, sir.")};
  s.Dialogs(DialogEvent::EndingDialog) = {Line("Captain", "Well done.")};
  s.Dialogs(DialogEvent::FriendWarpInDialog) = {Line("Hawk", "We are here.")};
  s.Dialogs(DialogEvent::EnemyWarpInDialog) = {Line("Fang", "Surrender!", "fang.acm")};
  s.Dialogs(DialogEvent::NeutralWarpInDialog) = {Line("Freighter", "Just passing.")};
  s.Dialogs(DialogEvent::FriendWarpOutDialog) = {Line("Hawk", "Leaving now.")};
  s.Dialogs(DialogEvent::EnemyWarpOutDialog) = {Line("Fang", "Retreat!")};
  s.Dialogs(DialogEvent::NeutralWarpOutDialog) = {Line("Freighter", "Goodbye.")};
  s.Dialogs(DialogEvent::FriendJoinEscortDialog) = {Line("Hawk", "Forming up.")};
  s.Dialogs(DialogEvent::NeutralToFriendDialog) = {Line("Freighter", "We will help.")};
  s.Dialogs(DialogEvent::NeutralToEnemyDialog) = {Line("Freighter", "You will pay.")};
  // The defined flags decide, not the switches.
  s.warpDisablePlayer = true;
  s.warpDisableFriendDefined = true;
  s.warpDisableNeutral = s.warpDisableNeutralDefined = true;
  s.battleMode = BattleMode::Stat;
  s.battleModeDefined = true;
  config.systems.push_back(s);
  return config;
}

BattleConfig SixSystems() {
  BattleConfig config;
  config.InitNew();
  config.player = Ship("Scout");
  for (const char* name : {"One", "Two", "Three", "Four", "Five", "Six"}) {
    config.systems.push_back(NamedSystem(name));
  }
  std::vector<StarSystem>& s = config.systems;
  s[1].stardate = -5;
  s[1].stardateDefined = true;
  s[2].battleModeDefined = true;
  s[3].neutralBehaviorDefined = true;
  s[3].neutralBehaviorTime = 99;  // EnemyWhenAttacked has no time
  s[3].neutralBehaviorTimeDefined = true;
  s[4].neutralBehavior = NeutralBehavior::EnemyAfter;
  s[4].neutralBehaviorDefined = true;
  s[5].neutralBehavior = NeutralBehavior::Random;
  s[5].neutralBehaviorDefined = true;
  s[5].warpDisablePlayerDefined = s[5].warpDisableEnemyDefined = true;
  return config;
}

BattleConfig Cut() {
  BattleConfig config = NoRemarks();
  config.title.title = std::string(300, 'T');
  config.title.titleDefined = true;
  config.systems[0].name = "Sol";
  config.systems[0].Dialogs(DialogEvent::StartingDialog) = {Line("Captain", std::string(300, 'x'))};
  // Exactly 255 characters: kept whole.
  config.systems[0].Dialogs(DialogEvent::EndingDialog) = {Line("Captain", std::string(228, 'y'))};
  // One character more: cut.
  config.systems[0].Dialogs(DialogEvent::FriendWarpInDialog) = {
      Line("Captain", std::string(224, 'z'))};
  return config;
}

struct GoldenCase {
  const char* label;
  std::function<BattleConfig()> make;
  const char* golden;
  std::vector<std::uint32_t> cutLines;
};

TEST(BattleFileWriter, RendersTheGoldenFiles) {
  const std::vector<GoldenCase> cases = {
      {"minimal", Minimal, "minimal.vk7", {}},
      {"no remarks", NoRemarks, "no_remarks.vk7", {}},
      {"flags down", FlagsDown, "minimal.vk7", {}},
      {"full", Full, "full.vk7", {}},
      {"six systems", SixSystems, "six_systems.vk7", {}},
      {"cut lines", Cut, "cut.vk7", {5, 14, 20}},
  };
  for (const GoldenCase& c : cases) {
    SCOPED_TRACE(c.label);
    const BattleFileWriter::Output out = BattleFileWriter::Render(c.make());
    EXPECT_EQ(out.bytes, Golden(c.golden));
    EXPECT_EQ(out.cutLines, c.cutLines);
  }
}

// Single values in all their words, values outside the named ones included. Every flag of the
// values below is up; each case changes one value.
TEST(BattleFileWriter, WritesEachValueInItsWords) {
  using Edit = void (*)(BattleOptions&, StarSystem&);
  const std::pair<Edit, const char*> cases[] = {
      {[](auto&, auto&) {}, "WarpOut         = Anytime"},
      {[](auto&, auto&) {}, "Collision       = On"},
      {[](auto&, auto&) {}, "ShipChange      = Off"},
      {[](auto&, auto&) {}, "PerfectCloak    = Off"},
      {[](auto&, auto&) {}, "NeutralBehavior = EnemyWhenAttacked"},
      {[](auto&, auto&) {}, "BattleMode      = AI"},
      {[](auto& o, auto&) { o.warpOut = WarpOutMode::Sequential; }, "WarpOut         = Sequential"},
      {[](auto& o, auto&) { o.warpOut = static_cast<WarpOutMode>(7); },
       "WarpOut         = Sequential"},
      {[](auto& o, auto&) { o.collision = CollisionMode::Off; }, "Collision       = Off"},
      {[](auto& o, auto&) { o.collision = static_cast<CollisionMode>(-1); },
       "Collision       = OffForAll"},
      {[](auto& o, auto&) { o.shipChange = ShipChangeMode::On; }, "ShipChange      = On"},
      {[](auto& o, auto&) { o.perfectCloak = 2; }, "PerfectCloak    = Off"},
      {[](auto&, auto& s) { s.battleMode = static_cast<BattleMode>(4); }, "BattleMode      = AI"},
      {[](auto&, auto& s) { s.neutralBehavior = static_cast<NeutralBehavior>(9); },
       "NeutralBehavior = Random"},
      {[](auto&, auto& s) {
         s.neutralBehavior = NeutralBehavior::EnemyAfter;
         s.neutralBehaviorTime = -12;
       },
       "NeutralBehavior = EnemyAfter -12"},
      {[](auto&, auto& s) { s.stardate = INT32_MIN; }, "Stardate        = -2147483648"},
      {[](auto&, auto& s) {
         s.hulkPosition = {INT32_MIN, 0, -1, "Moon"};
       },
       "HulkPosition    = -2147483648 0 -1"},
      {[](auto&, auto& s) { s.neutralWarpInAfter = -1; }, "NeutralAction   = WarpInAfter -1"},
      {[](auto&, auto& s) { s.neutralWarpOutAfter = -1000; },
       "NeutralAction   = WarpOutAfter Cleared"},
      {[](auto&, auto& s) { s.friendJoinEscortAfter = INT32_MIN; },
       "FriendAction    = JoinEscortAfter Cleared"},
      {[](auto&, auto& s) { s.friendJoinEscortAfter = 15; },
       "FriendAction    = JoinEscortAfter 15"},
  };
  for (const auto& [edit, line] : cases) {
    SCOPED_TRACE(line);
    BattleConfig config = Minimal();
    BattleOptions& o = config.options;
    o.warpOutDefined = o.collisionDefined = o.shipChangeDefined = o.perfectCloakDefined = true;
    StarSystem& s = config.systems[0];
    s.stardateDefined = s.battleModeDefined = s.neutralBehaviorDefined = s.hulkCoordsDefined = true;
    s.neutralWarpInDefined = s.neutralWarpOutDefined = s.friendJoinEscortDefined = true;
    edit(o, s);
    const std::string bytes = BattleFileWriter::Render(config).bytes;
    EXPECT_NE(bytes.find(std::string("\r\n") + line + "\r\n"), std::string::npos) << bytes;
  }
}

TEST(BattleFileWriter, TitleLineWithoutItsVoiceEntryIsLeftOut) {
  BattleConfig config = Minimal();
  config.title.titleLines = {"First", "Second"};
  config.title.titleLineVoices = {"one.acm"};
  const std::string bytes = BattleFileWriter::Render(config).bytes;
  EXPECT_NE(bytes.find("\r\n// Some title lines\r\nTitleLine       = [one.acm] First\r\n\r\n"),
            std::string::npos)
      << bytes;
  EXPECT_EQ(bytes.find("Second"), std::string::npos);
}

// Whatever the battle holds: CR LF after every line and nothing else, the last line ended and
// not followed by an empty one, no line beyond 255 characters, "=" in column 17 but for the
// dialog keywords.
TEST(BattleFileWriter, LinesOfRandomBattlesKeepTheLayout) {
  for (std::uint64_t seed = 1; seed <= 60; ++seed) {
    SCOPED_TRACE(seed);
    const std::string bytes = BattleFileWriter::Render(test::RandomBattle(seed)).bytes;
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_NE(bytes.substr(bytes.size() - 4), "\r\n\r\n");
    std::size_t start = 0;
    for (int line = 1; start < bytes.size(); ++line) {
      const std::size_t lf = bytes.find('\n', start);
      ASSERT_NE(lf, std::string::npos);
      ASSERT_GT(lf, start);
      ASSERT_EQ(bytes[lf - 1], '\r');
      const std::string text = bytes.substr(start, lf - 1 - start);
      EXPECT_EQ(text.find('\r'), std::string::npos);
      EXPECT_LE(text.size(), kMaxBattleLine);
      const bool value = line > 2 && !text.empty() && text.rfind("//", 0) != 0;
      if (value && text.substr(0, text.find(' ')).find("Dialog") == std::string::npos) {
        EXPECT_EQ(text.find('='), 16u) << text;
      }
      start = lf + 1;
    }
  }
}

TEST(BattleFileWriter, WriteStoresTheNameAndReplacesTheFileWhole) {
  test::TempDir dir;
  const std::filesystem::path file = dir.Write("Vega.vk7", std::string(10000, 'o'));
  BattleConfig config = Full();
  RecordingReporter reporter;
  ASSERT_TRUE(BattleFileWriter::Write(config, "Vega", file, reporter));
  EXPECT_TRUE(reporter.Entries().empty());
  EXPECT_EQ(config.name, "Vega");
  EXPECT_EQ(ReadBytes(file), Golden("full.vk7"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

// Into a folder that does not exist, or over a folder of the same name.
TEST(BattleFileWriter, WriteThatCannotCreateTheFileChangesNothing) {
  test::TempDir dir;
  const std::filesystem::path inside = dir.Write("Odd.vk7/keep.txt", "kept");
  for (const std::string name : {"Lost", "Odd"}) {
    BattleConfig config = Minimal();
    RecordingReporter reporter;
    const auto file = name == "Lost" ? dir / "scripts" / "Lost.vk7" : dir / "Odd.vk7";
    EXPECT_FALSE(BattleFileWriter::Write(config, name, file, reporter));
    EXPECT_EQ(Log(reporter), std::vector<std::string>{"error|Error in battle file " + name +
                                                      ".vk7|Cannot create file!"});
    EXPECT_EQ(config.name, name);
  }
  EXPECT_EQ(ReadBytes(inside), "kept");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

#ifndef _WIN32
// Holds the size of any file this process writes below `bytes` (root included) for as long as
// it lives; a write beyond fails instead of raising a signal.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool Active() const { return active_; }

 private:
  rlimit old_{};
  bool active_ = false;
  void (*oldHandler_)(int) = nullptr;
};
#endif

TEST(BattleFileWriter, FailedWriteLeavesTheOldFileAsItWas) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no limit on file size to make a write fail (a failed replace "
                  "is tested with a file held open)";
#else
  test::TempDir dir;
  const std::string old = "VK7 Battle\r\nold\r\n";
  const std::filesystem::path file = dir.Write("Vega.vk7", old);
  BattleConfig config = Full();
  RecordingReporter reporter;
  bool written = true;
  {
    FileSizeLimit limit(64);
    ASSERT_TRUE(limit.Active());
    written = BattleFileWriter::Write(config, "Vega", file, reporter);
  }
  EXPECT_FALSE(written);
  EXPECT_EQ(Log(reporter),
            std::vector<std::string>{"error|Error in battle file Vega.vk7|Cannot write file!"});
  EXPECT_EQ(ReadBytes(file), old);
  // Nothing half-written is left beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
#endif
}

}  // namespace
}  // namespace vk7
