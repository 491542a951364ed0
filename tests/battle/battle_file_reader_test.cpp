#include "battle/battle_file_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "battle/recording_reporter.h"
#include "support/battle_text.h"
#include "support/case_file.h"
#include "support/temp_dir.h"

namespace vk7 {
namespace {

using test_support::BattleText;
using test_support::FailedWith;
using test_support::kNoLine;
using test_support::ReadBattleLines;
using test_support::ReadBattleText;

const std::string kSol = "System = Sol";

// Names the instances of a table after the labels of its rows.
template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& row) {
  return row.param.label;
}

class ReaderErrorTest : public ::testing::TestWithParam<test_support::Case> {};

TEST_P(ReaderErrorTest, ShowsExactlyThisError) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
  ASSERT_EQ(c.expected.size(), 1u);
  const std::string& text = c.expected.front();
  const std::size_t number = text.rfind(' ') + 1;  // the text ends in the line number
  EXPECT_TRUE(FailedWith(ReadBattleLines(c.input), text.substr(0, number),
                         static_cast<std::uint32_t>(std::stoul(text.substr(number)))));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReaderErrorTest,
    ::testing::ValuesIn(test_support::LoadCases("battle/cases/reader_errors.txt")),
    test_support::CaseName());

// Whole files that fail before any line is read, shown without a line number.
struct HeaderCase {
  const char* label;
  std::string text;
  std::string message;
};
class ReaderHeaderTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(ReaderHeaderTest, RejectsFile) {
  EXPECT_TRUE(FailedWith(ReadBattleText(GetParam().text), GetParam().message, kNoLine));
}

const std::string kNotBattle = "Not a valid vk7 battle file!";
const std::string kBadVersion = "Invalid version of vk7 battle file!";
const std::string kBody = "System = Sol\nPlayer = Cruiser\n";

// clang-format off
const HeaderCase kHeaderErrors[] = {
    {"EmptyFile", "", kNotBattle},
    {"OnlyFirstLine", "VK7 Battle\n", kNotBattle},
    {"FirstLineCase", "vk7 battle\nFile Format Version 1.2\n" + kBody, kNotBattle},
    {"FirstLineLeadingBlank", " VK7 Battle\nFile Format Version 1.2\n" + kBody, kNotBattle},
    {"VersionMissing", "VK7 Battle\n" + kBody, kBadVersion},
    {"UnknownVersion", "VK7 Battle\nFile Format Version 1.3\n" + kBody, kBadVersion},
    {"VersionTrailingBlank", "VK7 Battle\nFile Format Version 1.2 \n" + kBody, kBadVersion},
    {"EmptyVersionLine", "VK7 Battle\n\nFile Format Version 1.2\n" + kBody, kBadVersion},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Headers, ReaderHeaderTest, ::testing::ValuesIn(kHeaderErrors),
                         CaseName<HeaderCase>);

// A small battle that touches every kind of line.
const std::vector<std::string> kFullBattle = {
    "// Created by Velkor Editor",
    "// Two systems",
    "Title = Border Clash",
    "TitleLine = [intro.acm] The border is burning.",
    "TitleLine = Hold the line.",
    "WarpOut = WhenCleared",
    "Collision = Off",
    "ShipChange = Auto",
    "PerfectCloak = On",
    "Player = Heavy Cruiser = Endeavour",
    "Escort = Scout",
    "",
    "System = Sol",
    "Stardate = -7412",
    "BattleMode = AI",
    "PlayerPosition = Planet Earth",
    "EnemyPosition = 100 -200 300",
    "FriendPosition = Planet Mars",
    "NeutralPosition = -1 -2 -3",
    "Friend = Destroyer = Valiant",
    "Enemy = Raider",
    "Enemy = Raider = Black Fang   // the leader",
    "Neutral = Freighter",
    "Hulk = Wreck",
    "NeutralBehavior = FriendAfter 90",
    "WarpDisable = Enemy",
    "FriendAction = JoinEscortAfter Cleared",
    "EnemyAction = WarpInAfter 30",
    "StartingDialog = [start.acm] Admiral: Good luck.",
    "EndingDialog = Admiral: Well done.",
    "",
    "System = Vega",
    "BattleMode = Stat",
    "Friend = Frigate",
    "Enemy = Raider",
    "HulkPosition = 5 5 5",
    "Escort = Frigate = Swift",
    "NeutralAction = WarpOutAfter Cleared",
};

TEST(BattleFileReader, ReadsACompleteBattle) {
  const auto outcome = ReadBattleLines(kFullBattle);
  ASSERT_TRUE(outcome.ok) << outcome.Describe();
  EXPECT_TRUE(outcome.messages.empty());
  const BattleConfig& c = outcome.config;
  EXPECT_EQ(c.name, "test");
  EXPECT_TRUE(c.remarks.empty());  // remarks skipped
  EXPECT_EQ(c.title.title, "Border Clash");
  EXPECT_TRUE(c.title.titleDefined);
  EXPECT_EQ(c.title.titleLines,
            (std::vector<std::string>{"The border is burning.", "Hold the line."}));
  EXPECT_EQ(c.title.titleLineVoices, (std::vector<std::string>{"intro.acm", ""}));
  EXPECT_EQ(c.options, (BattleOptions{WarpOutMode::WhenCleared, CollisionMode::Off,
                                      ShipChangeMode::Auto, 1, true, true, true, true}));
  EXPECT_EQ(c.player, (ShipEntry{"Heavy Cruiser", "Endeavour", true, true}));
  // An Escort line inside a system section still belongs to the player's escort.
  EXPECT_EQ(c.escorts,
            (std::vector<ShipEntry>{{"Scout", "", true, false}, {"Frigate", "Swift", true, true}}));
  ASSERT_EQ(c.systems.size(), 2u);

  const StarSystem& sol = c.systems[0];
  EXPECT_TRUE(sol.nameDefined && sol.name == "Sol");
  EXPECT_TRUE(sol.stardateDefined && sol.stardate == -7412);
  EXPECT_TRUE(sol.battleModeDefined && sol.battleMode == BattleMode::AI);
  EXPECT_EQ(sol.playerPosition.planet, "Earth");
  EXPECT_TRUE(sol.playerPlanetDefined && !sol.playerCoordsDefined);
  EXPECT_EQ(sol.enemyPosition, (ShipPosition{100, -200, 300, ""}));
  EXPECT_EQ(sol.friendPosition.planet, "Mars");
  EXPECT_EQ(sol.neutralPosition, (ShipPosition{-1, -2, -3, ""}));
  EXPECT_TRUE(sol.enemyCoordsDefined && sol.friendPlanetDefined && sol.neutralCoordsDefined);
  EXPECT_FALSE(sol.enemyPlanetDefined || sol.friendCoordsDefined || sol.neutralPlanetDefined ||
               sol.hulkCoordsDefined || sol.hulkPlanetDefined);
  EXPECT_EQ(sol.friends, (std::vector<ShipEntry>{{"Destroyer", "Valiant", true, true}}));
  EXPECT_EQ(sol.enemies, (std::vector<ShipEntry>{{"Raider", "", true, false},
                                                 {"Raider", "Black Fang", true, true}}));
  EXPECT_EQ(sol.neutrals, (std::vector<ShipEntry>{{"Freighter", "", true, false}}));
  EXPECT_EQ(sol.hulks, (std::vector<ShipEntry>{{"Wreck", "", true, false}}));
  EXPECT_EQ(sol.neutralBehavior, NeutralBehavior::FriendAfter);
  EXPECT_EQ(sol.neutralBehaviorTime, 90);
  EXPECT_TRUE(sol.warpDisableEnemy && sol.warpDisableEnemyDefined);
  EXPECT_FALSE(sol.warpDisablePlayerDefined || sol.warpDisableFriendDefined);
  EXPECT_TRUE(sol.friendJoinEscortDefined && sol.friendJoinEscortAfter == -1);
  EXPECT_EQ(sol.enemyWarpInAfter, 30);
  EXPECT_FALSE(sol.friendWarpOutDefined || sol.enemyWarpOutDefined);
  EXPECT_EQ(sol.Dialogs(DialogEvent::StartingDialog),
            (std::vector<DialogLine>{{"Admiral", "Good luck.", "start.acm", true, true, true}}));
  EXPECT_EQ(sol.Dialogs(DialogEvent::EndingDialog),
            (std::vector<DialogLine>{{"Admiral", "Well done.", "", true, true, true}}));

  const StarSystem& vega = c.systems[1];
  EXPECT_EQ(vega.name, "Vega");
  EXPECT_FALSE(vega.stardateDefined);
  EXPECT_EQ(vega.battleMode, BattleMode::Stat);
  EXPECT_TRUE(vega.hulkCoordsDefined && vega.hulkPosition == (ShipPosition{5, 5, 5, ""}));
  EXPECT_TRUE(vega.neutralWarpOutDefined && vega.neutralWarpOutAfter == -1);
  EXPECT_TRUE(vega.hulks.empty());
}

TEST(BattleFileReader, VersionsReadAlike) {
  const auto expected = ReadBattleLines(kFullBattle);
  ASSERT_TRUE(expected.ok);
  for (const char* version : {"1.0", "1.1"}) {
    std::string text = BattleText(kFullBattle);
    text.replace(text.find("1.2"), 3, version);
    const auto outcome = ReadBattleText(text);
    ASSERT_TRUE(outcome.ok) << version;
    EXPECT_EQ(outcome.config, expected.config) << version;
  }
}

// One parameter string of a system keyword and a check of what it stored.
template <typename Expected>
struct ValueCase {
  std::string line;
  Expected expected;
};
class ReaderPositionTest : public ::testing::TestWithParam<ValueCase<ShipPosition>> {};

TEST_P(ReaderPositionTest, StoresCoordinatesOrPlanet) {
  const auto& c = GetParam();
  const auto outcome = ReadBattleLines({"Player = Cruiser", kSol, "PlayerPosition = " + c.line});
  ASSERT_TRUE(outcome.ok) << outcome.Describe();
  const StarSystem& s = outcome.config.systems.front();
  EXPECT_EQ(s.playerPosition, c.expected);
  const bool planet = !c.expected.planet.empty();
  EXPECT_EQ(s.playerPlanetDefined, planet);
  EXPECT_EQ(s.playerCoordsDefined, !planet);
}

// clang-format off
const ValueCase<ShipPosition> kPositions[] = {
    {"10 -20 30.7", {10, -20, 30, ""}},
    {"\t-5   0\t7  ", {-5, 0, 7, ""}},
    {"2147483647 -2147483648 0", {INT32_MAX, INT32_MIN, 0, ""}},
    {"Planet Earth", {0, 0, 0, "Earth"}},
    {"Planet   New  Earth  ", {0, 0, 0, "New  Earth"}},
    {"Planet\tMars", {0, 0, 0, "Mars"}},
    {"Planet Earth // home", {0, 0, 0, "Earth"}},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Positions, ReaderPositionTest, ::testing::ValuesIn(kPositions));

class ReaderDialogTest : public ::testing::TestWithParam<ValueCase<DialogLine>> {};

TEST_P(ReaderDialogTest, SplitsVoiceSpeakerAndText) {
  const auto& c = GetParam();
  const auto outcome = ReadBattleLines({"Player = Cruiser", kSol, "StartingDialog = " + c.line});
  ASSERT_TRUE(outcome.ok) << outcome.Describe();
  EXPECT_EQ(outcome.config.systems.front().Dialogs(DialogEvent::StartingDialog),
            std::vector<DialogLine>{c.expected});
}

DialogLine Line(std::string voice, std::string speaker, std::string text) {
  return DialogLine{std::move(speaker), std::move(text), std::move(voice), true, true, true};
}

// clang-format off
const ValueCase<DialogLine> kDialogs[] = {
    {"[hello.acm] Captain: Welcome", Line("hello.acm", "Captain", "Welcome")},
    {"[hello.acm Captain: Welcome", Line("", "[hello.acm Captain", "Welcome")},
    {"[ a b.acm ]First Officer :  Shields up  ", Line("a b.acm", "First Officer", "Shields up")},
    {"[] Captain: Hi", Line("", "Captain", "Hi")},
    {"Captain: Time: now", Line("", "Captain", "Time: now")},
    {"Captain: see you // later", Line("", "Captain", "see you")},
    {"Captain: = \"quoted\" inside", Line("", "Captain", "= \"quoted\" inside")},
    {std::string(40, 's') + ": t", Line("", std::string(40, 's'), "t")},
    {"s: " + std::string(200, 't'), Line("", "s", std::string(200, 't'))},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Dialogs, ReaderDialogTest, ::testing::ValuesIn(kDialogs));

TEST(BattleFileReader, DialogKeywordsFillTheirOwnLists) {
  const std::vector<std::string> keywords = {
      "StartingDialog",        "EndingDialog",         "FriendWarpInDialog",
      "EnemyWarpInDialog",     "NeutralWarpInDialog",  "FriendWarpOutDialog",
      "EnemyWarpOutDialog",    "NeutralWarpOutDialog", "FriendJoinEscortDialog",
      "NeutralToFriendDialog", "NeutralToEnemyDialog"};
  std::vector<std::string> lines = {"Player = Cruiser", kSol};
  for (std::size_t i = 0; i < keywords.size(); ++i) {
    lines.push_back(keywords[i] + " = Speaker" + std::to_string(i) + ": text");
  }
  lines.push_back("StartingDialog = Speaker0: again");
  const auto outcome = ReadBattleLines(lines);
  ASSERT_TRUE(outcome.ok);
  const StarSystem& s = outcome.config.systems.front();
  for (std::size_t i = 0; i < keywords.size(); ++i) {
    const auto& list = s.dialogs[i];
    ASSERT_EQ(list.size(), i == 0 ? 2u : 1u) << keywords[i];
    EXPECT_EQ(list.front().speaker, "Speaker" + std::to_string(i)) << keywords[i];
  }
  EXPECT_EQ(s.dialogs[0].back().text, "again");
}

// Action lines: the time lands in its own field with its own flag, and only there.
struct ActionCase {
  std::string line;
  std::int32_t StarSystem::*time;
  bool StarSystem::*defined;
  std::int32_t expected;
};
class ReaderActionTest : public ::testing::TestWithParam<ActionCase> {};

TEST_P(ReaderActionTest, StoresTime) {
  const auto& c = GetParam();
  const auto outcome = ReadBattleLines({"Player = Cruiser", kSol, c.line});
  ASSERT_TRUE(outcome.ok) << outcome.Describe();
  StarSystem s = outcome.config.systems.front();
  EXPECT_EQ(s.*(c.time), c.expected) << c.line;
  EXPECT_TRUE(s.*(c.defined)) << c.line;
  // Apart from this one time the system is untouched.
  s.*(c.time) = 0;
  s.*(c.defined) = false;
  StarSystem fresh;
  fresh.name = "Sol";
  fresh.nameDefined = true;
  EXPECT_EQ(s, fresh) << c.line;
}

// clang-format off
const ActionCase kActions[] = {
    {"FriendAction = WarpInAfter 30", &StarSystem::friendWarpInAfter, &StarSystem::friendWarpInDefined, 30},
    {"FriendAction = WarpOutAfter Cleared", &StarSystem::friendWarpOutAfter, &StarSystem::friendWarpOutDefined, -1},
    {"FriendAction = JoinEscortAfter\t45.9", &StarSystem::friendJoinEscortAfter, &StarSystem::friendJoinEscortDefined, 45},
    {"FriendAction = JoinEscortAfter Cleared", &StarSystem::friendJoinEscortAfter, &StarSystem::friendJoinEscortDefined, -1},
    {"EnemyAction = WarpInAfter 2147483647", &StarSystem::enemyWarpInAfter, &StarSystem::enemyWarpInDefined, INT32_MAX},
    {"EnemyAction = WarpOutAfter 60", &StarSystem::enemyWarpOutAfter, &StarSystem::enemyWarpOutDefined, 60},
    {"NeutralAction = WarpInAfter 0", &StarSystem::neutralWarpInAfter, &StarSystem::neutralWarpInDefined, 0},
    {"NeutralAction = WarpOutAfter Cleared", &StarSystem::neutralWarpOutAfter, &StarSystem::neutralWarpOutDefined, -1},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Actions, ReaderActionTest, ::testing::ValuesIn(kActions));

// Every word of the word-valued keywords and the number it stands for; -1 means not defined.
struct WordCase {
  std::string line;
  int (*value)(const BattleConfig&);
  int expected;
};
class ReaderWordTest : public ::testing::TestWithParam<WordCase> {};

TEST_P(ReaderWordTest, StoresTheWordsNumber) {
  const auto& c = GetParam();
  const auto outcome =
      ReadBattleLines({"Player = Cruiser", kSol, "Friend = Frigate", "Enemy = Raider", c.line});
  ASSERT_TRUE(outcome.ok) << outcome.Describe();
  EXPECT_EQ(c.value(outcome.config), c.expected) << c.line;
}

int ShipChangeOf(const BattleConfig& c) {
  return c.options.shipChangeDefined ? static_cast<int>(c.options.shipChange) : -1;
}
int CloakOf(const BattleConfig& c) {
  return c.options.perfectCloakDefined ? c.options.perfectCloak : -1;
}
int WarpOutOf(const BattleConfig& c) {
  return c.options.warpOutDefined ? static_cast<int>(c.options.warpOut) : -1;
}
int CollisionOf(const BattleConfig& c) {
  return c.options.collisionDefined ? static_cast<int>(c.options.collision) : -1;
}
int BehaviorOf(const BattleConfig& c) {
  const StarSystem& s = c.systems.front();
  return s.neutralBehaviorDefined ? static_cast<int>(s.neutralBehavior) : -1;
}
int BehaviorTimeOf(const BattleConfig& c) {
  const StarSystem& s = c.systems.front();
  return s.neutralBehaviorTimeDefined ? s.neutralBehaviorTime : -1;
}
int ModeOf(const BattleConfig& c) {
  const StarSystem& s = c.systems.front();
  return s.battleModeDefined ? static_cast<int>(s.battleMode) : -1;
}

// clang-format off
const WordCase kWords[] = {
    {"ShipChange = Off", ShipChangeOf, 0}, {"ShipChange = On", ShipChangeOf, 1},
    {"ShipChange = Auto", ShipChangeOf, 2},
    {"PerfectCloak = Off", CloakOf, 0}, {"PerfectCloak = On", CloakOf, 1},
    {"WarpOut = Anytime", WarpOutOf, 0}, {"WarpOut = WhenCleared", WarpOutOf, 1},
    {"WarpOut = Sequential", WarpOutOf, 2},
    {"Collision = On", CollisionOf, 0}, {"Collision = Off", CollisionOf, 1},
    {"Collision = OffForAll", CollisionOf, 2},
    {"BattleMode = AI", ModeOf, 0}, {"BattleMode = Stat", ModeOf, 1},
    {"NeutralBehavior = EnemyWhenAttacked", BehaviorOf, 0},
    {"NeutralBehavior = EnemyWhenAttacked", BehaviorTimeOf, -1},
    {"NeutralBehavior = EnemyAfter 30", BehaviorOf, 1}, {"NeutralBehavior = EnemyAfter 30", BehaviorTimeOf, 30},
    {"NeutralBehavior = FriendAfter \t 45", BehaviorOf, 2}, {"NeutralBehavior = FriendAfter 45", BehaviorTimeOf, 45},
    {"NeutralBehavior = Random", BehaviorOf, 3}, {"NeutralBehavior = Random", BehaviorTimeOf, -1},
    // A keyword never given leaves its flag down.
    {"Stardate = 1", ShipChangeOf, -1}, {"Stardate = 1", ModeOf, -1},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Words, ReaderWordTest, ::testing::ValuesIn(kWords));

TEST(BattleFileReader, TitleAndTitleLines) {
  const std::string title50(50, 'T');
  const std::string line200(200, 'L');
  const auto outcome = ReadBattleLines({"Title = " + title50, "TitleLine = " + line200,
                                        "TitleLine = [ v.acm ]  Part \"two\" now ",
                                        "TitleLine = [open Text", "Player = Cruiser", kSol});
  ASSERT_TRUE(outcome.ok);
  EXPECT_EQ(outcome.config.title.title, title50);
  EXPECT_EQ(outcome.config.title.titleLines,
            (std::vector<std::string>{line200, "Part \"two\" now", "[open Text"}));
  EXPECT_EQ(outcome.config.title.titleLineVoices, (std::vector<std::string>{"", "v.acm", ""}));
}

TEST(BattleFileReader, CommentsAreCutFromValues) {
  for (const auto& [line, title] : std::vector<std::pair<std::string, std::string>>{
           {"Title = Attack // first try", "Attack"},
           {"Title = a//b", "a"},
           {"Title = Say \"hi\" now", "Say \"hi\" now"},
           {"Title=a = b", "a = b"}}) {
    const auto outcome = ReadBattleLines({line, "Player = Cruiser", kSol});
    ASSERT_TRUE(outcome.ok) << outcome.Describe();
    EXPECT_EQ(outcome.config.title.title, title) << line;
  }
}

// Names are compared exactly, and only with other explicit names: a name equal to another
// ship's class or default name is left to the finish check of the editor.
TEST(BattleFileReader, OnlyExplicitShipNamesClash) {
  const auto outcome =
      ReadBattleLines({"Player = Cruiser = Kestrel", "Escort = Scout", "Escort = Scout = Scout E1",
                       kSol, "Friend = Kestrel", "Enemy = Raider = kestrel", "Hulk = Wreck = a=b",
                       "System = Vega", "Neutral = Liner = Scout E2"});
  ASSERT_TRUE(outcome.ok);
  EXPECT_TRUE(outcome.messages.empty());
  const StarSystem& sol = outcome.config.systems.front();
  EXPECT_EQ(sol.friends.front(), (ShipEntry{"Kestrel", "", true, false}));
  EXPECT_EQ(sol.enemies.front().name, "kestrel");
  EXPECT_EQ(sol.hulks.front().name, "a=b");
  EXPECT_EQ(outcome.config.escorts.back().name, "Scout E1");
}

TEST(BattleFileReader, BlankAndBareEqualsLinesAreSkipped) {
  const auto outcome =
      ReadBattleLines({"", "   ", "\t", "=", " = ", "// x = y", "Player = Cruiser", kSol});
  EXPECT_TRUE(outcome.ok);
  EXPECT_TRUE(outcome.messages.empty());
}

// The line limit counts the characters of the line alone, not its line end.
struct LengthCase {
  const char* label;
  std::string line;
  std::string lineEnd;
  bool ok;
};
class ReaderLineLengthTest : public ::testing::TestWithParam<LengthCase> {};

TEST_P(ReaderLineLengthTest, AllowsAtMost255Characters) {
  const auto& c = GetParam();
  const auto outcome = ReadBattleText(BattleText({"Player = Cruiser", c.line, kSol}, c.lineEnd));
  if (c.ok) {
    EXPECT_TRUE(outcome.ok) << c.line.size();
    EXPECT_TRUE(outcome.messages.empty());
  } else {
    EXPECT_TRUE(FailedWith(outcome, "Too long line ", 4));
  }
}

const std::string kComment255 = "//" + std::string(253, 'c');
const std::string kTitle255 = "Title = Attack" + std::string(241, ' ');

// clang-format off
const LengthCase kLengths[] = {
    {"Comment255", kComment255, "\n", true},
    {"Comment256", kComment255 + "c", "\n", false},
    {"Comment255CrLf", kComment255, "\r\n", true},
    {"Comment256CrLf", kComment255 + "c", "\r\n", false},
    {"Value255", kTitle255, "\n", true},
    {"Value256", kTitle255 + " ", "\n", false},
    {"Blank600", std::string(600, ' '), "\n", false},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Lengths, ReaderLineLengthTest, ::testing::ValuesIn(kLengths),
                         CaseName<LengthCase>);

// Reads through real files in a folder of their own.
class ReaderOnDiskTest : public ::testing::Test {
 protected:
  std::filesystem::path Write(const std::string& name, const std::string& content) {
    return folder_.Write(name + ".vk7", content);
  }

  test_support::ReadOutcome ReadFile(const std::string& name, const std::filesystem::path& path) {
    test_support::ReadOutcome outcome;
    RecordingReporter reporter;
    BattleFileReader reader(outcome.config, reporter);
    outcome.ok = reader.Read(name, path, true);
    outcome.messages = reporter.Entries();
    return outcome;
  }

  test::TempDir folder_;
};

TEST_F(ReaderOnDiskTest, CrLfAndLfFilesReadAlike) {
  const auto lf = ReadFile("lf", Write("lf", BattleText(kFullBattle, "\n")));
  const auto crlf = ReadFile("crlf", Write("crlf", BattleText(kFullBattle, "\r\n")));
  ASSERT_TRUE(lf.ok);
  ASSERT_TRUE(crlf.ok);
  EXPECT_TRUE(lf.messages.empty());
  EXPECT_TRUE(crlf.messages.empty());
  EXPECT_EQ(crlf.config.name, "crlf");
  BattleConfig renamed = crlf.config;
  renamed.name = "lf";
  EXPECT_EQ(renamed, lf.config);
  EXPECT_EQ(lf.config.systems.front().enemies.back().name, "Black Fang");
}

TEST_F(ReaderOnDiskTest, LineNumbersOfCrLfFile) {
  const auto path = Write("numbers", BattleText({"// a", "", "Bogus = 1"}, "\r\n"));
  EXPECT_TRUE(FailedWith(ReadFile("numbers", path), "Unknown keyword in line ", 5, "numbers"));
}

TEST_F(ReaderOnDiskTest, MissingFileCannotBeOpened) {
  const auto outcome = ReadFile("absent", folder_ / "absent.vk7");
  EXPECT_TRUE(FailedWith(outcome, "Cannot open file!", kNoLine, "absent"));
  EXPECT_EQ(outcome.messages.size(), 1u);
}

// The reader opens files so that they can be saved again: a read-only file is refused.
TEST_F(ReaderOnDiskTest, ReadOnlyFileCannotBeOpened) {
  const auto path = Write("locked", BattleText({"System = Sol", "Player = Cruiser"}));
  std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::group_read |
                                         std::filesystem::perms::others_read);
  if (std::ofstream(path, std::ios::app).is_open()) {
    GTEST_SKIP() << "read-only files are writable for this user";
  }
  EXPECT_TRUE(FailedWith(ReadFile("locked", path), "Cannot open file!", kNoLine, "locked"));
  // A file that is only read and copied (an import) may be write-protected.
  BattleConfig config;
  RecordingReporter reporter;
  BattleFileReader reader(config, reporter);
  EXPECT_TRUE(reader.Read("locked", path, true, BattleFileReader::Access::ReadOnly));
  EXPECT_TRUE(reporter.Entries().empty());
}

}  // namespace
}  // namespace vk7
