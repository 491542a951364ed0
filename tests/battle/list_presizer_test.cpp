#include "battle/list_presizer.h"

#include <gtest/gtest.h>

#include <string>

#include "battle/battle_words.h"
#include "support/battle_text.h"

namespace vk7 {
namespace {

// A battle of over a megabyte in six systems, each with its own mix of ships and dialog lines
// of every list, spaced every way the reader takes; with lines that only look like a ship's or
// a dialog's (a comment, an action, a position).
std::vector<std::string> LargeBattle() {
  std::vector<std::string> lines = {"Player = Cruiser = Lead", "Escort = A", "Escort\t=B = Wing"};
  const char* shipLines[] = {"Friend = Scout = Ship ", "  Enemy\t=Raider = Ship ",
                             "Neutral=Liner = Ship ", "Hulk = Wreck = Ship "};
  int named = 0;
  for (std::size_t s = 0; s < kMaxSystems; ++s) {
    lines.push_back("System = S" + std::to_string(s));
    for (std::size_t r = 0; r < 4; ++r) {
      const std::size_t count = s == 0 && r == 0 ? 34000 : (s * 7 + r * 3) % 11 * 200;
      for (std::size_t k = 0; k < count; ++k) {
        lines.push_back(shipLines[r] + std::to_string(named++));
      }
    }
    for (std::size_t e = 0; e < kDialogEventCount; ++e) {
      const auto keyword = std::string(Word(DialogKeyword(static_cast<DialogEvent>(e))));
      for (std::size_t k = 0; k < (s + e) % 4; ++k) lines.push_back(keyword + "=A: b");
    }
    lines.insert(lines.end(), {"// Friend = Gone", "FriendAction = WarpInAfter 5",
                               "HulkPosition = 1 2 3", "  EndingDialog = A: b", "Escort = C"});
  }
  return lines;
}

// The counts of a large file are the sizes its lists end with once read: each list is
// allocated once. The ships expected are all named ships the reading meets.
TEST(ListPresizer, CountsEachListAtTheSizeItIsReadTo) {
  const std::string text = test_support::BattleText(LargeBattle());
  const test_support::ReadOutcome read = test_support::ReadBattleText(text);
  ASSERT_TRUE(read.ok) << read.Describe();
  TextLineFile source;
  source.OpenMemory(text);
  ListPresizer presizer;
  presizer.Count(source);
  std::size_t ships = 1 + read.config.escorts.size();
  std::vector<ShipEntry> escorts;
  presizer.SizeEscorts(escorts);
  EXPECT_EQ(escorts.capacity(), read.config.escorts.size());
  for (std::size_t s = 0; s < kMaxSystems; ++s) {
    const StarSystem& system = read.config.systems.at(s);
    StarSystem sized;
    presizer.SizeSystem(sized, s);
    for (const ShipRole role : kResidentRoles) {
      EXPECT_EQ(sized.Ships(role).capacity(), system.Ships(role).size()) << s;
      ships += system.Ships(role).size();
    }
    for (std::size_t e = 0; e < kDialogEventCount; ++e) {
      EXPECT_EQ(sized.dialogs[e].capacity(), system.dialogs[e].size()) << s << " " << e;
    }
  }
  EXPECT_EQ(presizer.ExpectedShips(source), ships);
  // Ships of a seventh system (an error the reading finds) count for none of the six.
  std::vector<std::string> lines = LargeBattle();
  lines.insert(lines.end(), {"System = S6", "Friend = Beyond", "StartingDialog = A: b"});
  source.OpenMemory(test_support::BattleText(lines));
  presizer.Count(source);
  EXPECT_EQ(presizer.ExpectedShips(source), ships);
}

// A small file is not counted: the ships are guessed from its size and no list is sized.
TEST(ListPresizer, GuessesTheShipsOfASmallFileFromItsSize) {
  TextLineFile source;
  source.OpenMemory("System = Sol\nFriend = A\n" + std::string(4000, '\n'));
  ListPresizer presizer;
  presizer.Count(source);
  EXPECT_EQ(presizer.ExpectedShips(source), 4024u / 40);
  StarSystem small;
  presizer.SizeSystem(small, 0);
  EXPECT_EQ(small.friends.capacity(), 0u);
}

// The lists an ended system gave up with their room serve the next system; a list that still
// holds entries stays where it is.
TEST(ListPresizer, HandsEmptiedListsToTheNextSystem) {
  ListPresizer presizer;
  StarSystem ended;
  ended.friends.resize(300);
  ended.Dialogs(DialogEvent::StartingDialog).resize(40);
  ended.hulks.resize(7);
  ended.ClearListsKeepingRoom();
  ended.enemies.resize(5);
  presizer.TakeEmptied(ended);
  EXPECT_EQ(ended.enemies.size(), 5u);
  StarSystem next;
  presizer.SizeSystem(next, 1);
  EXPECT_GE(next.friends.capacity(), 300u);
  EXPECT_GE(next.hulks.capacity(), 7u);
  EXPECT_GE(next.Dialogs(DialogEvent::StartingDialog).capacity(), 40u);
  EXPECT_EQ(next.enemies.capacity(), 0u);
  presizer.Clear();
  StarSystem after;
  presizer.SizeSystem(after, 2);
  EXPECT_EQ(after.friends.capacity(), 0u);
}

}  // namespace
}  // namespace vk7
