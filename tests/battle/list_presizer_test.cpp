#include "battle/list_presizer.h"

#include <gtest/gtest.h>

#include <string>

namespace vk7 {
namespace {

// A file of over a megabyte is counted. Every ship and dialog line is counted for its system,
// however it is spaced; lines that only look alike are not, nor ships past the sixth system.
TEST(ListPresizer, CountsEachListOfALargeFile) {
  std::string text = "VK7 Battle\nFile Format Version 1.2\nEscort = A\nSystem = Sol\n";
  for (int i = 0; i < 40000; ++i) {
    text += "Friend = Scout = Ship " + std::to_string(i) + "\n";
    if (i % 3 == 0) text += "  Enemy\t=Raider\n";
  }
  text += "// Friend = Gone\nFriendAction = WarpInAfter 5\nEndingDialog=A: b\n";
  text += "System = Vega\nEscort=B\nHulk = Wreck\nEnemyWarpInDialog = A: b\nNeutral = N\n";
  text += "StartingDialog=A: b\n";
  text += "System = C\nSystem = D\nSystem = E\nSystem = F\nSystem = G\nFriend = Beyond\n";
  TextLineFile source;
  source.OpenMemory(text);
  ListPresizer presizer;
  presizer.Count(source);
  EXPECT_EQ(presizer.ExpectedShips(source), 40000u + 13334 + 2 + 2 + 1);
  std::vector<ShipEntry> escorts;
  presizer.SizeEscorts(escorts);
  EXPECT_EQ(escorts.capacity(), 2u);
  StarSystem sol;
  StarSystem vega;
  presizer.SizeSystem(sol, 0);
  presizer.SizeSystem(vega, 1);
  EXPECT_EQ(sol.friends.capacity(), 40000u);
  EXPECT_EQ(sol.enemies.capacity(), 13334u);
  EXPECT_EQ(sol.Dialogs(DialogEvent::EndingDialog).capacity(), 1u);
  EXPECT_EQ(sol.Dialogs(DialogEvent::StartingDialog).capacity(), 0u);
  EXPECT_EQ(vega.friends.capacity() + vega.enemies.capacity(), 0u);
  EXPECT_EQ(vega.hulks.capacity() + vega.neutrals.capacity(), 2u);
  EXPECT_EQ(vega.Dialogs(DialogEvent::EnemyWarpInDialog).capacity(), 1u);
  EXPECT_EQ(vega.Dialogs(DialogEvent::StartingDialog).capacity(), 1u);
  // A small file is not counted: the ships are guessed from its size.
  source.OpenMemory("System = Sol\nFriend = A\n" + std::string(4000, '\n'));
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
