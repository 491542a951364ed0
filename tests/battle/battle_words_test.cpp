#include "battle/battle_words.h"

#include <gtest/gtest.h>

namespace vk7 {
namespace {

// Every keyword is found by its word and no other; a role or event finds its own keyword.
TEST(BattleWords, KeywordsAndTheirRolesAndEventsGoBothWays) {
  for (std::size_t k = 0; k < kKeywordWords.size(); ++k) {
    const auto keyword = static_cast<Keyword>(k);
    const std::string word(Word(keyword));
    EXPECT_EQ(FindKeyword(word), keyword) << word;
    for (const std::string& near :
         {word + "s", word.substr(1), word.substr(0, word.size() - 1),
          std::string(1, static_cast<char>(word[0] + 32)) + word.substr(1)}) {
      EXPECT_NE(FindKeyword(near), keyword) << near;
    }
  }
  EXPECT_EQ(FindKeyword(""), std::nullopt);
  for (const ShipRole role : {ShipRole::Player, ShipRole::Escort, ShipRole::Friend, ShipRole::Enemy,
                              ShipRole::Neutral, ShipRole::Hulk}) {
    EXPECT_EQ(RoleOf(ShipKeyword(role)), role);
  }
  for (const ShipRole role : kPositionRoles) EXPECT_EQ(RoleOf(PositionKeyword(role)), role);
  for (const ShipRole role : {ShipRole::Friend, ShipRole::Enemy, ShipRole::Neutral}) {
    EXPECT_EQ(RoleOf(ActionKeyword(role)), role);
    EXPECT_EQ(WarpDisableFromWord(WarpDisableWord(role)), role);
  }
  EXPECT_EQ(WarpDisableFromWord("Player"), ShipRole::Player);
  EXPECT_EQ(WarpDisableFromWord("Hulk"), std::nullopt);
  for (std::size_t e = 0; e < kDialogEventCount; ++e) {
    EXPECT_EQ(EventOf(DialogKeyword(static_cast<DialogEvent>(e))), static_cast<DialogEvent>(e));
  }
}

// A value outside the named ones is written with the word the format falls back to, and that
// word reads back as a named value.
TEST(BattleWords, ValuesOutsideTheNamedOnesFallBack) {
  EXPECT_EQ(Word(static_cast<WarpOutMode>(7)), "Sequential");
  EXPECT_EQ(Word(static_cast<CollisionMode>(-1)), "OffForAll");
  EXPECT_EQ(Word(static_cast<ShipChangeMode>(3)), "Auto");
  EXPECT_EQ(Word(static_cast<BattleMode>(2)), "AI");
  EXPECT_EQ(Word(static_cast<NeutralBehavior>(9)), "Random");
  EXPECT_EQ(PerfectCloakWord(2), "Off");
  EXPECT_EQ(PerfectCloakWord(-1), "Off");
  EXPECT_EQ(PerfectCloakWord(1), "On");
  EXPECT_EQ(FromWord<ShipChangeMode>("On"), ShipChangeMode::On);
  EXPECT_EQ(FromWord<CollisionMode>("On"), CollisionMode::On);
  EXPECT_EQ(FromWord<ShipAction>("JoinEscortAfter"), ShipAction::JoinEscort);
  EXPECT_EQ(FromWord<NeutralBehavior>("random"), std::nullopt);
  EXPECT_EQ(PerfectCloakFromWord("On"), 1);
}

}  // namespace
}  // namespace vk7
