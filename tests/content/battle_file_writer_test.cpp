#include "content/battle_file_writer.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "support/battle_text.h"
#include "support/model_builders.h"
#include "support/temp_dir.h"

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

// The demo battles and minimal.vk7 are in the editor's layout, written by hand from its rules
// (every section, every dialog keyword's spacing but NeutralWarpInDialog's, checked here): what
// each reads to is written back to its bytes, without its remarks to the bytes without them.
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
  EXPECT_EQ(test_support::WrittenValues(config), (Lines{"TitleLine = [one.acm] First",
                                                        "Player = Destroyer = Valiant",
                                                        "Escort = Scout",
                                                        "WarpOut = Sequential",
                                                        "Collision = OffForAll",
                                                        "ShipChange = Auto",
                                                        "PerfectCloak = Off",
                                                        "System = Sol",
                                                        "HulkPosition = -2147483648 0 -1",
                                                        "FriendAction = JoinEscortAfter Cleared",
                                                        "NeutralAction = WarpOutAfter Cleared",
                                                        "NeutralBehavior = Random",
                                                        "WarpDisable = Player",
                                                        "BattleMode = AI",
                                                        "System = ",
                                                        "Stardate = 0",
                                                        "PlayerPosition = 0 0 0",
                                                        "FriendPosition = 0 0 0",
                                                        "EnemyPosition = 0 0 0",
                                                        "NeutralPosition = 0 0 0",
                                                        "HulkPosition = 0 0 0",
                                                        "FriendAction = WarpInAfter 0",
                                                        "FriendAction = WarpOutAfter 0",
                                                        "FriendAction = JoinEscortAfter 0",
                                                        "EnemyAction = WarpInAfter 0",
                                                        "EnemyAction = WarpOutAfter 0",
                                                        "NeutralAction = WarpInAfter 0",
                                                        "NeutralAction = WarpOutAfter 0",
                                                        "NeutralBehavior = EnemyWhenAttacked",
                                                        "WarpDisable = Player",
                                                        "WarpDisable = Friend",
                                                        "WarpDisable = Enemy",
                                                        "WarpDisable = Neutral",
                                                        "BattleMode = AI",
                                                        "System = Vega",
                                                        "WarpDisable = Friend"}));
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
  Lines lines = {"// a remark",     "TitleLine = [v.acm] A line",
                 "Player = Scout",  "Escort = Wren",
                 "System = Sol",    "Friend = F",
                 "Enemy = E",       "Neutral = N",
                 "Hulk = H = Wreck"};
  for (const char* dialog : {"Starting", "Ending", "FriendWarpIn", "EnemyWarpIn", "NeutralWarpIn",
                             "FriendWarpOut", "EnemyWarpOut", "NeutralWarpOut", "FriendJoinEscort",
                             "NeutralToFriend", "NeutralToEnemy"}) {
    lines.push_back(std::string(dialog) + "Dialog = Speaker: Some words.");
    lines.push_back(std::string(dialog) + "Dialog = [v.acm] Speaker: Some words.");
  }
  BattleConfig config = Read(test_support::BattleText(lines));
  const auto grow = [](auto& list) {
    ASSERT_FALSE(list.empty());
    for (auto copy = list; list.size() < 4000;) list.insert(list.end(), copy.begin(), copy.end());
  };
  grow(config.remarks);
  grow(config.title.titleLines);
  grow(config.title.titleLineVoices);
  grow(config.escorts);
  for (auto* list : {&config.systems[0].friends, &config.systems[0].enemies,
                     &config.systems[0].neutrals, &config.systems[0].hulks}) {
    grow(*list);
  }
  for (auto& dialog : config.systems[0].dialogs) grow(dialog);
  const std::string bytes = BattleFileWriter::Render(config).bytes;
  // Nor far too much: a byte more for each line would show.
  EXPECT_LE(bytes.capacity(), bytes.size() + bytes.size() / 30) << bytes.size();
}

}  // namespace
}  // namespace vk7
