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

// Registers `names` (line k + 1 for names[k]) in each of the three ways a name may be kept,
// and gives each register's first repeat. For the model the names are spread over the escorts
// and every list of six systems, as a file would place them.
std::vector<std::optional<Repeat>> FirstRepeats(const std::vector<std::string>& names) {
  std::string bytes;
  BattleConfig config;
  config.systems.resize(kMaxSystems);
  std::vector<std::pair<ShipLocation, std::size_t>> places;
  for (std::size_t k = 0; k < names.size(); ++k) {
    bytes += names[k];
    const auto number = static_cast<std::uint32_t>(k % (kMaxSystems + 1));  // 0: an escort
    const ShipRole role = number == 0 ? ShipRole::Escort : kResidentRoles[k / 7 % 4];
    auto& list = number == 0 ? config.escorts : config.systems[number - 1].Ships(role);
    list.push_back(ShipEntry{"Class", names[k], true, true});
    places.push_back({{number, role}, list.size() - 1});
  }
  std::vector<std::optional<Repeat>> repeats;
  for (int storage = 0; storage < 3; ++storage) {
    ShipNameRegister reg;
    if (storage == 0) reg.KeepCopies();
    if (storage == 1) reg.KeepViewsInto(bytes.data());
    if (storage == 2) reg.KeepInModel(config);
    for (std::size_t k = 0, offset = 0; k < names.size(); offset += names[k++].size()) {
      const std::string gone = names[k];  // a copy that is gone at once must not matter
      const std::string_view name =
          storage == 1 ? std::string_view(bytes).substr(offset, gone.size()) : gone;
      reg.Add(name, static_cast<std::uint32_t>(k + 1), places[k].first, places[k].second);
    }
    repeats.push_back(reg.FirstRepeat());
  }
  return repeats;
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
      {"an escort's name in a system", {"Flagship", "x", "Flagship"}, Repeat{"Flagship", 3}},
  };
  // Among thousands, across systems: a late name repeated early wins over an early name
  // repeated late.
  for (int i = 0; i < 40; ++i)
    many[static_cast<std::size_t>(4000 + i)] = "Ship " + std::to_string(i);
  many[3000] = "Ship 2999";
  cases.push_back({"among many", many, Repeat{"Ship 2999", 3001}});
  for (const Case& c : cases) {
    for (const auto& repeat : FirstRepeats(c.names)) EXPECT_EQ(repeat, c.expected) << c.what;
  }
}

TEST(ShipNameRegister, AsksAgainOnlyAfterNewNames) {
  ShipNameRegister reg;
  reg.KeepCopies();
  reg.Add("Hood", 4, {0, ShipRole::Escort}, 0);
  reg.Add("Hood", 9, {0, ShipRole::Escort}, 1);
  EXPECT_EQ(reg.FirstRepeat(), (Repeat{"Hood", 9}));
  EXPECT_EQ(reg.FirstRepeat(), std::nullopt);
  reg.Add("Ajax", 12, {1, ShipRole::Friend}, 0);
  EXPECT_EQ(reg.FirstRepeat(), (Repeat{"Hood", 9}));
}

}  // namespace
}  // namespace vk7
