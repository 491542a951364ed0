#include "battle/battle_words.h"

#include <gtest/gtest.h>

namespace vk7 {
namespace {

template <typename Value>
void RoundTrips(std::initializer_list<Value> values) {
  for (const Value value : values) EXPECT_EQ(FromWord<Value>(Word(value)), value) << Word(value);
}

// Each value is read back from the word it is written as, the words being distinct.
TEST(BattleWords, EveryValueIsReadBackFromItsWord) {
  RoundTrips({WarpOutMode::Anytime, WarpOutMode::WhenCleared, WarpOutMode::Sequential});
  RoundTrips({CollisionMode::On, CollisionMode::Off, CollisionMode::OffForAll});
  RoundTrips({ShipChangeMode::Off, ShipChangeMode::On, ShipChangeMode::Auto});
  RoundTrips({BattleMode::AI, BattleMode::Stat});
  RoundTrips({NeutralBehavior::EnemyWhenAttacked, NeutralBehavior::EnemyAfter,
              NeutralBehavior::FriendAfter, NeutralBehavior::Random});
  RoundTrips({ShipAction::WarpIn, ShipAction::WarpOut, ShipAction::JoinEscort});
  for (int k = 0; k <= static_cast<int>(Keyword::NeutralToEnemyDialog); ++k) {
    EXPECT_EQ(FindKeyword(Word(static_cast<Keyword>(k))), static_cast<Keyword>(k));
  }
}

}  // namespace
}  // namespace vk7
