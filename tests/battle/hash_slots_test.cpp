#include "battle/hash_slots.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace vk7 {
namespace {

// Keys filed in a table under hashes a test chooses, as the catalogs file theirs.
struct Filed {
  std::vector<std::string> keys;
  std::vector<std::uint32_t> hashes;
  HashSlots slots;

  // Files `more` keys in one go, `hash` giving each its hash.
  void Add(const std::vector<std::string>& more, auto hash) {
    std::vector<std::uint32_t> batch;
    for (const std::string& key : more) batch.push_back(hash(key));
    const auto first = static_cast<std::uint32_t>(keys.size());
    keys.insert(keys.end(), more.begin(), more.end());
    hashes.insert(hashes.end(), batch.begin(), batch.end());
    slots.InsertAll(batch, first,
                    [&](std::uint32_t a, std::uint32_t b) { return keys[a] == keys[b]; });
  }
  std::optional<std::uint32_t> Find(const std::string& key, std::uint32_t hash) const {
    return slots.Find(hash, [&](std::uint32_t id) { return keys[id] == key; });
  }
};

std::vector<std::string> Keys(const std::string& prefix, int count) {
  std::vector<std::string> keys;
  for (int i = 0; i < count; ++i) keys.push_back(prefix + std::to_string(i));
  return keys;
}

// Filed a few at a time or thousands at once, every key is found as the first id filed under
// it, and a key never filed is not found: the table grows before it fills, however it is fed.
TEST(HashSlots, FindsTheFirstIdOfEveryKeyAsItGrows) {
  const auto hash = [](const std::string& key) { return HashSlots::Hash(key); };
  Filed filed;
  for (int batch : {1, 11, 1, 3, 12, 50, 20000})
    filed.Add(Keys("k" + std::to_string(batch) + "-", batch), hash);
  filed.Add(Keys("k12-", 12), hash);  // again: the first ids stay
  std::map<std::string, std::uint32_t> first;
  for (std::uint32_t id = 0; id < filed.keys.size(); ++id) first.emplace(filed.keys[id], id);
  for (std::uint32_t id = 0; id < filed.keys.size(); ++id) {
    ASSERT_EQ(filed.Find(filed.keys[id], filed.hashes[id]), first.at(filed.keys[id])) << id;
  }
  EXPECT_EQ(filed.Find("k1-1", hash("k1-1")), std::nullopt);
}

// Keys under one hash, or under hashes that choose one slot, are told apart by the keys.
TEST(HashSlots, TellsKeysApartUnderEqualHashes) {
  for (const std::uint32_t spread : {0u, 1u}) {
    Filed filed;
    filed.Add(Keys("same-", 300),
              [&, n = 0u](const std::string&) mutable { return 0xABC00000u + spread * n++; });
    for (std::uint32_t id = 0; id < 300; ++id) {
      EXPECT_EQ(filed.Find(filed.keys[id], filed.hashes[id]), id);
    }
    EXPECT_EQ(filed.Find("same-300", 0xABC00000u), std::nullopt);
  }
}

// Case is ignored by the hash for lookups that ignore it; a text is hashed by its first 512
// characters at most.
TEST(HashSlots, HashIgnoringCaseTakesLettersInLowerCase) {
  EXPECT_EQ(HashIgnoringCase("Alpha Centauri 7"), HashIgnoringCase("aLPHA cENTAURI 7"));
  EXPECT_EQ(HashIgnoringCase("Sol"), HashSlots::Hash("sol"));
  EXPECT_NE(HashIgnoringCase("Sol"), HashIgnoringCase("Sol "));
  EXPECT_EQ(HashIgnoringCase(std::string(512, 'A') + "x"), HashIgnoringCase(std::string(512, 'a')));
}

}  // namespace
}  // namespace vk7
