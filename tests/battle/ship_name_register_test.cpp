#include "battle/ship_name_register.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace vk7 {
namespace {

using Repeat = ShipNameRegister::Repeat;
using Names = std::vector<std::string>;

// Registers `names` (line k + 1 for names[k]) and gives the first repeat.
std::optional<Repeat> FirstRepeat(const Names& names) {
  ShipNameRegister reg;
  for (std::size_t k = 0; k < names.size(); ++k) {
    const std::string gone = names[k];  // a copy that is gone at once must not matter
    reg.Add(gone, static_cast<std::uint32_t>(k + 1));
  }
  return reg.FirstRepeat();
}

// The same, found the plain way: the earliest line whose name an earlier line had.
std::optional<Repeat> PlainFirstRepeat(const Names& names) {
  std::set<std::string> seen;
  for (std::size_t k = 0; k < names.size(); ++k) {
    if (!seen.insert(names[k]).second) return Repeat{names[k], static_cast<std::uint32_t>(k + 1)};
  }
  return std::nullopt;
}

// `count` names of one length, long enough to fill several of the register's blocks, whose
// kept hash bits begin alike: all of them fall into one group however many there are.
Names NamesOfOneGroup(std::size_t count) {
  Names names;
  for (int i = 0; names.size() < count; ++i) {
    std::string name = "Vessel of the line number " + std::to_string(1000000 + i);
    if (((ShipNameRegister::Hash(name) >> 16) & 0xFF) == 0x5A) names.push_back(name);
  }
  return names;
}

// Two different names of one length whose kept hash bits are equal.
std::pair<std::string, std::string> NamesOfEqualHash() {
  std::map<std::uint32_t, std::string> seen;
  for (int i = 0;; ++i) {
    std::string name = "Vessel " + std::to_string(100000 + i);
    const auto [at, added] = seen.emplace(ShipNameRegister::Hash(name) & 0xFFFFFF, name);
    if (!added) return {at->second, name};
  }
}

// Whatever the names, the register reports what a test at every ship line would: the earliest
// line that repeats a name; names that only share their hash, or their group, are no repeat.
TEST(ShipNameRegister, ReportsTheEarliestRepeatAsAPlainSearchDoes) {
  Names many;
  for (int i = 0; i < 5000; ++i) many.push_back("Ship " + std::to_string(i));
  const Names group = NamesOfOneGroup(1500);
  const auto [one, other] = NamesOfEqualHash();
  std::vector<Names> lists = {
      {}, many, group, {one, "Ship", other}, {one, other, other}, {"a", "b", "a", "a"}};
  // A late name repeated early wins over an early name repeated late.
  for (int i = 0; i < 40; ++i)
    many[static_cast<std::size_t>(4000 + i)] = many[static_cast<std::size_t>(i)];
  many[3000] = many[2999];
  lists.push_back(many);
  for (Names names : {group, many}) {  // the last name repeats the first, and the other way
    names.push_back(names.front());
    lists.push_back(names);
    names.insert(names.begin(), names[names.size() - 2]);
    lists.push_back(names);
  }
  Names grouped = group;  // within one group, two repeats
  grouped[1400] = grouped[7];
  grouped[1200] = grouped[1100];
  lists.push_back(grouped);
  for (const Names& names : lists) {
    EXPECT_EQ(FirstRepeat(names), PlainFirstRepeat(names)) << names.size() << " names";
  }
  EXPECT_EQ(FirstRepeat(grouped), (Repeat{grouped[1100], 1201}));
}

// A repeat is told once; new names are looked at with all earlier ones; Clear forgets them.
TEST(ShipNameRegister, AsksAgainOnlyAfterNewNamesAndForgetsOnClear) {
  ShipNameRegister reg;
  reg.Add("Hood", 4);
  reg.Add("Hood", 9);
  EXPECT_EQ(reg.FirstRepeat(), (Repeat{"Hood", 9}));
  EXPECT_EQ(reg.FirstRepeat(), std::nullopt);
  reg.Add("Ajax", 12);
  EXPECT_EQ(reg.FirstRepeat(), (Repeat{"Hood", 9}));
  reg.Clear();
  reg.Add("Hood", 20);
  EXPECT_EQ(reg.FirstRepeat(), std::nullopt);
  reg.Add("Hood", 21);
  EXPECT_EQ(reg.FirstRepeat(), (Repeat{"Hood", 21}));
}

}  // namespace
}  // namespace vk7
