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
// and gives each register's first repeat. For the model the names are spread over the
// player, the escorts and every list of six systems, as a file would place them.
std::vector<std::optional<Repeat>> FirstRepeats(const std::vector<std::string>& names) {
  std::string bytes;
  for (const std::string& name : names) bytes += name;
  BattleConfig config;
  config.systems.resize(kMaxSystems);
  std::vector<std::pair<ShipLocation, std::size_t>> places;
  for (std::size_t k = 0; k < names.size(); ++k) {
    const ShipEntry ship{"Class", names[k], true, true};
    if (k == 0) {
      config.player = ship;
      places.push_back({{0, ShipRole::Player}, 0});
    } else if (k < 4) {
      config.escorts.push_back(ship);
      places.push_back({{0, ShipRole::Escort}, config.escorts.size() - 1});
    } else {
      const auto number = static_cast<std::uint32_t>(k % kMaxSystems + 1);
      const ShipRole role = kResidentRoles[k / kMaxSystems % kResidentRoles.size()];
      auto& list = config.systems[number - 1].Ships(role);
      list.push_back(ship);
      places.push_back({{number, role}, list.size() - 1});
    }
  }
  std::vector<std::optional<Repeat>> repeats;
  for (int storage = 0; storage < 3; ++storage) {
    ShipNameRegister reg;
    if (storage == 0) reg.KeepCopies();
    if (storage == 1) reg.KeepViewsInto(bytes.data());
    if (storage == 2) reg.KeepInModel(config);
    std::size_t offset = 0;
    for (std::size_t k = 0; k < names.size(); ++k) {
      // A copy from a buffer that is gone at once must not matter.
      std::string gone = names[k];
      const std::string_view name =
          storage == 1 ? std::string_view(bytes).substr(offset, names[k].size()) : gone;
      reg.Add(name, static_cast<std::uint32_t>(k + 1), places[k].first, places[k].second);
      offset += names[k].size();
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
      {"case matters", {"Kestrel", "kestrel", "Kestrel "}, std::nullopt},
      {"third of three", {"a", "b", "a", "a"}, Repeat{"a", 3}},
      {"player's name in a system", {"Flagship", "x", "y", "z", "Flagship"}, Repeat{"Flagship", 5}},
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
  reg.Clear();
  reg.Add("Hood", 20, {1, ShipRole::Friend}, 1);
  EXPECT_EQ(reg.FirstRepeat(), std::nullopt);
}

}  // namespace
}  // namespace vk7
