#include "content/battle_file_writer.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "support/battle_text.h"
#include "support/model_builders.h"
#include "support/temp_dir.h"

namespace vk7 {
namespace {

using test::Line;
using test::ReadBytes;

// The files under golden/ were written by hand from the layout rules.
const std::string kGolden = std::string(VK7_TEST_DATA_DIR) + "/content/golden/";

// The battle `file` reads to, without `dropped` lines (which the reader would refuse).
BattleConfig ReadGolden(const std::string& file, const std::vector<std::string>& dropped = {}) {
  std::string text = ReadBytes(kGolden + file);
  for (const std::string& line : dropped) text.erase(text.find(line), line.size() + 2);
  const test_support::ReadOutcome read = test_support::ReadBattleText(text, false);
  EXPECT_TRUE(read.ok) << file << read.Describe();
  return read.config;
}

// full.vk7: friends both warp out and join the escort, in a statistic-mode system.
BattleConfig Full() {
  BattleConfig config = ReadGolden(
      "full.vk7", {"FriendAction    = JoinEscortAfter Cleared", "BattleMode      = Stat"});
  StarSystem& s = config.systems[0];
  s.friendJoinEscortAfter = -7;  // any negative exit time is "Cleared"
  s.friendJoinEscortDefined = s.battleModeDefined = true;
  s.battleMode = BattleMode::Stat;
  return config;
}

// What the battle of each file reads to is written back to the same bytes.
TEST(BattleFileWriter, WritesTheGoldenFiles) {
  for (const char* file : {"minimal.vk7", "no_remarks.vk7", "six_systems.vk7", "full.vk7"}) {
    SCOPED_TRACE(file);
    BattleConfig config = file == std::string("full.vk7") ? Full() : ReadGolden(file);
    if (file == std::string("no_remarks.vk7")) config.remarks.clear();
    const BattleFileWriter::Output out = BattleFileWriter::Render(config);
    EXPECT_EQ(out.bytes, ReadBytes(kGolden + file));
    EXPECT_TRUE(out.cutLines.empty());
  }
}

TEST(BattleFileWriter, CutsLinesBeyond255Characters) {
  BattleConfig config;
  config.player = test::Ship("Scout");
  config.systems.push_back(test::System("Sol"));
  config.title = {std::string(300, 'T'), {}, {}, true};
  auto& d = config.systems[0].dialogs;
  d[static_cast<int>(DialogEvent::StartingDialog)] = {Line("Captain", std::string(300, 'x'))};
  // Exactly 255 characters: kept whole; one more: cut.
  d[static_cast<int>(DialogEvent::EndingDialog)] = {Line("Captain", std::string(228, 'y'))};
  d[static_cast<int>(DialogEvent::FriendWarpInDialog)] = {Line("Captain", std::string(224, 'z'))};
  const BattleFileWriter::Output out = BattleFileWriter::Render(config);
  EXPECT_EQ(out.bytes, ReadBytes(kGolden + "cut.vk7"));
  EXPECT_EQ(out.cutLines, (std::vector<std::uint32_t>{5, 14, 20}));
}

// Values no file reads to: beyond the named ones they are written in the nearest words; with
// their flags down they are not written, whatever they hold (the flags decide, not the values).
TEST(BattleFileWriter, WritesOnlyWhatTheFlagsAllowInTheNearestWords) {
  BattleConfig config = ReadGolden("minimal.vk7");
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
  config.systems.insert(config.systems.end(), {v, ghost});
  EXPECT_EQ(test_support::WrittenValues(config),
            (std::vector<std::string>{
                "TitleLine = [one.acm] First", "Player = Destroyer = Valiant", "Escort = Scout",
                "WarpOut = Sequential", "Collision = OffForAll", "ShipChange = Auto",
                "PerfectCloak = Off", "System = Sol", "HulkPosition = -2147483648 0 -1",
                "FriendAction = JoinEscortAfter Cleared", "NeutralAction = WarpOutAfter Cleared",
                "NeutralBehavior = Random", "WarpDisable = Player", "BattleMode = AI",
                "System = Vega", "WarpDisable = Friend"}));
}

// A large battle is put together in the room reserved for it ahead: growing the text would
// copy it and hold twice its size. Every list counts, dialogs of the longest keyword too.
TEST(BattleFileWriter, ReservesRoomForTheWholeFileAhead) {
  BattleConfig config = Full();
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
  for (auto& lines : config.systems[0].dialogs) grow(lines);
  const std::string bytes = BattleFileWriter::Render(config).bytes;
  // Nor far too much: a byte more for each line would show.
  EXPECT_LE(bytes.capacity(), bytes.size() + bytes.size() / 30) << bytes.size();
}

// A battle as constructed holds nothing that counts: only what was set is written.
TEST(BattleFileWriter, NothingButTheSetValuesIsWrittenOfANewBattle) {
  BattleConfig config;
  config.player.shipClass = "Scout";
  config.player.hasClass = true;
  config.escorts.emplace_back().shipClass = "Wren";
  config.systems.emplace_back();
  EXPECT_EQ(BattleFileWriter::Render(config).bytes,
            "VK7 Battle\r\nFile Format Version 1.2\r\n\r\n// The player ship\r\n"
            "Player          = Scout\r\n\r\n// The player's escort\r\nEscort          = Wren\r\n");
}

// Each value of a new battle, once its flag is raised, is written as its zero or first word.
TEST(BattleFileWriter, EveryValueOfANewBattleStartsAtZero) {
  BattleConfig config;
  config.InitNew();
  BattleOptions& o = config.options;
  o.warpOutDefined = o.collisionDefined = o.shipChangeDefined = o.perfectCloakDefined = true;
  StarSystem& s = config.systems.emplace_back();
  s.nameDefined = s.stardateDefined = s.neutralBehaviorDefined = s.battleModeDefined = true;
  for (const ShipRole role :
       {ShipRole::Player, ShipRole::Friend, ShipRole::Enemy, ShipRole::Neutral, ShipRole::Hulk}) {
    s.Position(role).coordsDefined = true;
    if (role != ShipRole::Hulk) s.WarpDisable(role).defined = true;
    for (const ShipAction action : {ShipAction::WarpIn, ShipAction::WarpOut}) {
      if (role != ShipRole::Player && role != ShipRole::Hulk)
        s.ActionTime(role, action).defined = true;
    }
  }
  s.friendJoinEscortDefined = true;
  EXPECT_EQ(BattleFileWriter::Render(config).bytes, ReadBytes(kGolden + "zeros.vk7"));
}

}  // namespace
}  // namespace vk7
