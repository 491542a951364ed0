#include "battle/battle_words.h"

#include <algorithm>
#include <span>

namespace vk7 {

namespace {

constexpr std::size_t kLongestKeyword =
    std::ranges::max(kKeywordWords, {}, &std::string_view::size).size();
// No more keywords share a length than this.
constexpr std::size_t kSlotsPerLength = 8;

// Keywords grouped by length (every line is looked up, so a lookup compares with a handful of
// candidates at most), each kept as its number plus one, 0 marking the end of a row. Built at
// compile time: a length with more keywords than slots would index past its row, which does
// not compile.
struct KeywordsByLength {
  std::array<std::array<std::uint8_t, kSlotsPerLength>, kLongestKeyword + 1> rows{};
};

constexpr KeywordsByLength IndexKeywords() {
  KeywordsByLength index;
  for (std::size_t k = 0; k < kKeywordWords.size(); ++k) {
    auto& row = index.rows[kKeywordWords[k].size()];
    *std::ranges::find(row, 0) = static_cast<std::uint8_t>(k + 1);
  }
  return index;
}
constexpr KeywordsByLength kByLength = IndexKeywords();
static_assert(kKeywordWords.size() < 256, "keyword numbers are kept in a byte");

template <typename Value, std::size_t N>
std::string_view WordOf(Value value, const std::array<std::string_view, N>& words,
                        std::size_t fallback) {
  const auto index = static_cast<std::size_t>(value);
  return index < N ? words[index] : words[fallback];
}

template <typename Value, std::size_t N>
std::optional<Value> ValueOf(std::string_view word, const std::array<std::string_view, N>& words) {
  for (std::size_t i = 0; i < N; ++i) {
    if (word == words[i]) return static_cast<Value>(i);
  }
  return std::nullopt;
}

// The role and event of every keyword, looked up for every line read: indexed by keyword,
// built at compile time from the tables.
struct KeywordMeanings {
  std::array<ShipRole, kKeywordWords.size()> role{};
  std::array<DialogEvent, kKeywordWords.size()> event{};
};

constexpr KeywordMeanings IndexMeanings() {
  KeywordMeanings meanings;
  for (const auto& table : {std::span<const RoleKeyword>(kShipKeywords),
                            std::span<const RoleKeyword>(kPositionKeywords),
                            std::span<const RoleKeyword>(kActionKeywords)}) {
    for (const RoleKeyword& entry : table) {
      meanings.role[static_cast<std::size_t>(entry.keyword)] = entry.role;
    }
  }
  for (const EventKeyword& entry : kDialogKeywords) {
    meanings.event[static_cast<std::size_t>(entry.keyword)] = entry.event;
  }
  return meanings;
}
constexpr KeywordMeanings kMeanings = IndexMeanings();

constexpr ShipRole kWarpDisableRoles[] = {ShipRole::Player, ShipRole::Friend, ShipRole::Enemy,
                                          ShipRole::Neutral};

}  // namespace

std::optional<Keyword> FindKeyword(std::string_view word) {
  if (word.size() > kLongestKeyword) return std::nullopt;
  for (const std::uint8_t k : kByLength.rows[word.size()]) {
    if (k == 0) break;
    const std::string_view candidate = kKeywordWords[k - 1];
    if (candidate[0] == word[0] && candidate == word) return static_cast<Keyword>(k - 1);
  }
  return std::nullopt;
}

ShipRole RoleOf(Keyword keyword) {
  return kMeanings.role[static_cast<std::size_t>(keyword)];
}
DialogEvent EventOf(Keyword keyword) {
  return kMeanings.event[static_cast<std::size_t>(keyword)];
}

std::string_view Word(WarpOutMode value) {
  return WordOf(value, kWarpOutWords, kWarpOutWords.size() - 1);
}
std::string_view Word(CollisionMode value) {
  return WordOf(value, kCollisionWords, kCollisionWords.size() - 1);
}
std::string_view Word(ShipChangeMode value) {
  return WordOf(value, kShipChangeWords, kShipChangeWords.size() - 1);
}
std::string_view Word(BattleMode value) {
  return WordOf(value, kBattleModeWords, 0);
}
std::string_view Word(NeutralBehavior value) {
  return WordOf(value, kNeutralBehaviorWords, kNeutralBehaviorWords.size() - 1);
}
std::string_view Word(ShipAction value) {
  return WordOf(value, kActionWords, 0);
}
std::string_view PerfectCloakWord(std::int32_t value) {
  return WordOf(static_cast<std::uint32_t>(value), kPerfectCloakWords, 0);
}
std::string_view WarpDisableWord(ShipRole role) {
  return Word(ShipKeyword(role));
}

template <>
std::optional<WarpOutMode> FromWord(std::string_view word) {
  return ValueOf<WarpOutMode>(word, kWarpOutWords);
}
template <>
std::optional<CollisionMode> FromWord(std::string_view word) {
  return ValueOf<CollisionMode>(word, kCollisionWords);
}
template <>
std::optional<ShipChangeMode> FromWord(std::string_view word) {
  return ValueOf<ShipChangeMode>(word, kShipChangeWords);
}
template <>
std::optional<BattleMode> FromWord(std::string_view word) {
  return ValueOf<BattleMode>(word, kBattleModeWords);
}
template <>
std::optional<NeutralBehavior> FromWord(std::string_view word) {
  return ValueOf<NeutralBehavior>(word, kNeutralBehaviorWords);
}
template <>
std::optional<ShipAction> FromWord(std::string_view word) {
  return ValueOf<ShipAction>(word, kActionWords);
}
std::optional<std::int32_t> PerfectCloakFromWord(std::string_view word) {
  return ValueOf<std::int32_t>(word, kPerfectCloakWords);
}
std::optional<ShipRole> WarpDisableFromWord(std::string_view word) {
  for (const ShipRole role : kWarpDisableRoles) {
    if (word == WarpDisableWord(role)) return role;
  }
  return std::nullopt;
}

}  // namespace vk7
