#include "battle/ship_name_register.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace vk7 {
namespace {

using Repeat = ShipNameRegister::Repeat;

// Two different names of one length whose kept hash bits are equal.
std::pair<std::string, std::string> NamesOfEqualHash() {
  std::map<std::uint32_t, std::string> seen;
  for (int i = 0;; ++i) {
    std::string name = "Vessel " + std::to_string(100000 + i);
    const auto [at, added] = seen.emplace(ShipNameRegister::Hash(name) & 0xFFFFFF, name);
    if (!added) return {at->second, name};
  }
}

// Registers `names` (line k + 1 for names[k]) and gives the first repeat.
std::optional<Repeat> FirstRepeat(const std::vector<std::string>& names) {
  ShipNameRegister reg;
  for (std::size_t k = 0; k < names.size(); ++k) {
    const std::string gone = names[k];  // a copy that is gone at once must not matter
    reg.Add(gone, static_cast<std::uint32_t>(k + 1));
  }
  return reg.FirstRepeat();
}

TEST(ShipNameRegister, ReportsTheEarliestLineThatRepeatsAnEarlierName) {
  std::vector<std::string> many;
  for (int i = 0; i < 5000; ++i) many.push_back("Ship " + std::to_string(i));
  const auto [one, other] = NamesOfEqualHash();
  struct Case {
    const char* what;
    std::vector<std::string> names;
    std::optional<Repeat> expected;
  };
  std::vector<Case> cases = {
      {"distinct", many, std::nullopt},
      {"equal hash and length", {one, "Ship", other}, std::nullopt},
      {"equal hash, then a repeat", {one, other, other}, Repeat{other, 3}},
      {"third of three", {"a", "b", "a", "a"}, Repeat{"a", 3}},
  };
  // Among thousands, across systems: a late name repeated early wins over an early name
  // repeated late.
  for (int i = 0; i < 40; ++i)
    many[static_cast<std::size_t>(4000 + i)] = "Ship " + std::to_string(i);
  many[3000] = "Ship 2999";
  cases.push_back({"among many", many, Repeat{"Ship 2999", 3001}});
  for (const Case& c : cases) {
    EXPECT_EQ(FirstRepeat(c.names), c.expected) << c.what;
  }
}

TEST(ShipNameRegister, AsksAgainOnlyAfterNewNames) {
  ShipNameRegister reg;
  reg.Add("Hood", 4);
  reg.Add("Hood", 9);
  EXPECT_EQ(reg.FirstRepeat(), (Repeat{"Hood", 9}));
  EXPECT_EQ(reg.FirstRepeat(), std::nullopt);
  reg.Add("Ajax", 12);
  EXPECT_EQ(reg.FirstRepeat(), (Repeat{"Hood", 9}));
}

}  // namespace
}  // namespace vk7
