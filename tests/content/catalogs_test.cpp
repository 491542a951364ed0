#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "battle/game_folder.h"
#include "battle/hash_slots.h"
#include "battle/recording_reporter.h"
#include "battle/text_line_file.h"
#include "content/ship_catalog.h"
#include "content/system_catalog.h"
#include "support/case_file.h"
#include "support/model_builders.h"
#include "support/temp_dir.h"

namespace vk7 {
namespace {

using Rows = std::vector<std::string>;

std::string Find(const ShipCatalog& catalog, const std::string& name) {
  const ShipEntry* found = catalog.FindShipClass(name);
  return found ? found->name : "none";
}

std::string Find(const SystemCatalog& catalog, const std::string& name) {
  const std::size_t slash = name.find('/');
  const CatalogSystem* found = catalog.FindSystem(name.substr(0, slash));
  if (slash != std::string::npos) {
    return found != nullptr && found->HasPlanet(name.substr(slash + 1)) ? "yes" : "no";
  }
  if (found == nullptr) return "none";
  Rows planets;
  catalog.FillPlanetList(test::System(name), planets);
  std::string list;
  for (const std::string& p : planets) list += (list.empty() ? "" : ", ") + p;
  return found->name + " (" + list + ")";
}

template <typename Catalog>
Rows Answers(const Rows& input) {
  std::string text;
  Rows lookups;
  for (const std::string& line : input) {
    if (line[0] == '@' || line.rfind("? ", 0) == 0) {
      lookups.push_back(line);
    } else {
      text += (text.empty() ? "" : "\n") + line;
    }
  }
  const Catalog catalog = test::CatalogFrom<Catalog>(text);
  Rows rows;  // ship rows, or system rows with their planets
  if constexpr (std::is_same_v<Catalog, ShipCatalog>) {
    catalog.FillShipClassList(rows);
    for (const ShipEntry& entry : catalog.Entries()) EXPECT_TRUE(entry.hasClass && entry.hasName);
  } else {
    catalog.FillSystemList(rows);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      for (const std::string& planet : catalog.Systems()[i].planets) rows[i] += "=" + planet;
    }
  }
  for (const std::string& q : lookups) {
    rows.push_back(q[0] == '@' ? q + ": " + catalog.NameAt(std::stoul(q.substr(1))).value_or("none")
                               : q.substr(2) + ": " + Find(catalog, q.substr(2)));
  }
  return rows;
}

class CatalogTest : public ::testing::TestWithParam<test_support::Case> {};

TEST_P(CatalogTest, ReadsAndLooksUp) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
  if (!c.name.starts_with("Ships_") && !c.name.starts_with("Systems_")) {
    test_support::Refuse(c, c.name, "a case of neither catalog");
  }
  EXPECT_EQ(c.name.rfind("Ships_", 0) == 0 ? Answers<ShipCatalog>(c.input)
                                           : Answers<SystemCatalog>(c.input),
            c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CatalogTest,
                         ::testing::ValuesIn(test_support::LoadCases("content/cases/catalogs.txt")),
                         test_support::CaseName());

// Past a few thousand entries the index is built in groups: still the first entry of a name
// in any case is found, the last one too, and none for an absent name.
TEST(Catalogs, LargeCatalogsFindEveryEntry) {
  std::string ships, systems;
  for (int i = 0; i < 20000; ++i) {
    ships += "Label " + std::to_string(i) + "=Class" + std::to_string(i) + "\n";
    systems += "System" + std::to_string(i) + "=P" + std::to_string(i) + "\n";
  }
  // Two classes whose hashes are equal are still told apart.
  std::unordered_map<std::uint32_t, std::string> hashed;
  Rows twins;
  for (int i = 0; twins.empty(); ++i) {
    const std::string name = "T" + std::to_string(i);
    const auto [first, fresh] = hashed.emplace(HashIgnoringCase(name), name);
    if (!fresh) twins = {first->second, name};
  }
  ships += "One=" + twins[0] + "\nTwo=" + twins[1];
  auto s = test::CatalogFrom<ShipCatalog>(ships + "\nLate=CLASS7\n");
  // Read on from a second source, the index grows and keeps what it held.
  std::string more;
  for (int i = 0; i < 5000; ++i) more += "More=M" + std::to_string(i) + "\n";
  TextLineFile source;
  source.OpenMemory(more);
  s.Read(source);
  const auto y = test::CatalogFrom<SystemCatalog>(systems + "SYSTEM7=Late\n");
  EXPECT_EQ((Rows{Find(s, twins[0]), Find(s, twins[1])}), (Rows{"One", "Two"}));
  EXPECT_EQ((Rows{Find(s, "Class0"), Find(s, "class19999"), Find(s, "CLASS7"), Find(s, "C20000"),
                  Find(y, "system0"), Find(y, "SYSTEM7"), Find(y, "System19999/p19999"),
                  Find(y, "S20000")}),
            (Rows{"Label 0", "Label 19999", "Label 7", "none", "System0 (P0)", "System7 (P7)",
                  "yes", "none"}));
}

// Missing, the catalog file is an error; without entries it is read again at the next load;
// once it gave an entry, later changes of the file are not seen. Found in any letter case.
template <typename Catalog>
void CheckLoading(const std::string& file, const std::string& noEntry, const std::string& entry,
                  const std::string& name) {
  test::TempDir dir;
  const GameFolder game(dir.Path());
  RecordingReporter reporter;
  Catalog catalog;
  dir.Write("scripts/other.txt", "");
  EXPECT_FALSE(catalog.Load(game, reporter));
  EXPECT_EQ(test::Log(reporter),
            Rows{std::string("error|Error|Cannot open ") + Catalog::kFileName + " file!"});
  reporter.Clear();
  const auto path = dir.Write(file, noEntry);
  EXPECT_TRUE(catalog.Load(game, reporter));
  EXPECT_FALSE(catalog.IsLoaded());
  dir.Write(file, entry);
  EXPECT_TRUE(catalog.Load(game, reporter));
  EXPECT_TRUE(catalog.IsLoaded());
  std::filesystem::remove(path);
  EXPECT_TRUE(catalog.Load(game, reporter));
  EXPECT_EQ(catalog.NameAt(0), name);
  EXPECT_EQ(catalog.NameAt(1), std::nullopt);
  EXPECT_TRUE(reporter.Entries().empty());
}

TEST(Catalogs, LoadOnceFromTheScriptsFolder) {
  CheckLoading<ShipCatalog>("scripts/VKSHIPS.TXT", "no equals\r\n", "A=HC1\r\n", "HC1");
  CheckLoading<SystemCatalog>("scripts/Vk7Sys.Txt", "=Orphan=P\r\n \t\r\n", "Keth=A\r\n", "Keth");
}

}  // namespace
}  // namespace vk7
