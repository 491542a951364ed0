#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "battle/game_folder.h"
#include "battle/recording_reporter.h"
#include "content/ship_catalog.h"
#include "content/system_catalog.h"
#include "support/case_file.h"
#include "support/model_builders.h"
#include "support/temp_dir.h"

namespace vk7 {
namespace {

using Rows = std::vector<std::string>;

std::string Answer(const std::optional<std::string>& name) {
  return name ? *name : "none";
}

Rows ShipRows(const ShipCatalog& catalog, const Rows& lookups) {
  Rows rows;
  catalog.FillShipClassList(rows);
  for (const ShipEntry& entry : catalog.Entries()) EXPECT_TRUE(entry.hasClass && entry.hasName);
  for (const std::string& q : lookups) {
    if (q[0] == '@') {
      rows.push_back(q + ": " + Answer(catalog.NameAt(std::stoul(q.substr(1)))));
    } else {
      const ShipEntry* found = catalog.FindShipClass(q.substr(2));
      rows.push_back(q.substr(2) + ": " + (found ? found->name : "none"));
    }
  }
  return rows;
}

Rows SystemRows(const SystemCatalog& catalog, const Rows& lookups) {
  Rows rows;
  catalog.FillSystemList(rows);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (const std::string& planet : catalog.Systems()[i].planets) rows[i] += "=" + planet;
  }
  for (const std::string& q : lookups) {
    if (q[0] == '@') {
      rows.push_back(q + ": " + Answer(catalog.NameAt(std::stoul(q.substr(1)))));
      continue;
    }
    const std::string name = q.substr(2, q.find('/') - 2);
    const CatalogSystem* found = catalog.FindSystem(name);
    if (q.find('/') != std::string::npos) {
      const bool has = found != nullptr && found->HasPlanet(q.substr(q.find('/') + 1));
      rows.push_back(q.substr(2) + ": " + (has ? "yes" : "no"));
    } else if (found == nullptr) {
      rows.push_back(name + ": none");
    } else {
      Rows planets;
      catalog.FillPlanetList(test::System(name), planets);
      std::string list;
      for (const std::string& p : planets) list += (list.empty() ? "" : ", ") + p;
      rows.push_back(name + ": " + found->name + " (" + list + ")");
    }
  }
  return rows;
}

class CatalogTest : public ::testing::TestWithParam<test_support::Case> {};

TEST_P(CatalogTest, ReadsAndLooksUp) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
  std::string text;
  Rows lookups;
  for (const std::string& line : c.input) {
    if (line[0] == '@' || line.rfind("? ", 0) == 0) {
      lookups.push_back(line);
    } else {
      text += (text.empty() ? "" : "\n") + line;
    }
  }
  if (c.name.rfind("Ships_", 0) == 0) {
    EXPECT_EQ(ShipRows(test::CatalogFrom<ShipCatalog>(text), lookups), c.expected);
  } else {
    EXPECT_EQ(SystemRows(test::CatalogFrom<SystemCatalog>(text), lookups), c.expected);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, CatalogTest,
                         ::testing::ValuesIn(test_support::LoadCases("content/cases/catalogs.txt")),
                         test_support::CaseName());

// `file` is written below `dir` (its letter case may differ from the catalog's file name).
template <typename Catalog>
void CheckLoading(const std::string& file, const std::string& entry, const std::string& noEntries) {
  SCOPED_TRACE(file);
  test::TempDir dir;
  const GameFolder game(dir.Path());
  RecordingReporter reporter;
  Catalog catalog;

  // Missing file: the error, and the catalog stays empty.
  dir.Write("scripts/other.txt", "");
  EXPECT_FALSE(catalog.Load(game, reporter));
  EXPECT_EQ(test::Log(reporter),
            Rows{std::string("error|Error|Cannot open ") + Catalog::kFileName + " file!"});
  EXPECT_FALSE(catalog.IsLoaded());
  reporter.Clear();
  std::filesystem::remove_all(dir / "scripts");

  // A file without entries loads but leaves the catalog unloaded, so it is read again.
  const auto path = dir.Write(file, noEntries);
  EXPECT_TRUE(catalog.Load(game, reporter));
  EXPECT_FALSE(catalog.IsLoaded());
  dir.Write(file, entry);
  EXPECT_TRUE(catalog.Load(game, reporter));
  EXPECT_TRUE(catalog.IsLoaded());

  // Once it holds an entry, later changes of the file are not seen.
  dir.Write(file, "Other=X\r\n");
  EXPECT_TRUE(catalog.Load(game, reporter));
  std::filesystem::remove(path);
  EXPECT_TRUE(catalog.Load(game, reporter));
  Rows rows;
  if constexpr (std::is_same_v<Catalog, ShipCatalog>) {
    catalog.FillShipClassList(rows);
  } else {
    catalog.FillSystemList(rows);
  }
  EXPECT_EQ(rows.size(), 1u);
  EXPECT_TRUE(reporter.Entries().empty());
}

TEST(Catalogs, LoadOnceFromTheScriptsFolder) {
  CheckLoading<ShipCatalog>("scripts/vkships.txt", "A=HC1\r\n", "no equals\r\n\r\n");
  CheckLoading<ShipCatalog>("Scripts/VKSHIPS.TXT", "A=HC1\r\n", "");
  CheckLoading<SystemCatalog>("scripts/vk7sys.txt", "Keth=A\r\n", "=Orphan=P\r\n \t\r\n");
  CheckLoading<SystemCatalog>("SCRIPTS/Vk7Sys.Txt", "Keth=A\r\n", "");
}

}  // namespace
}  // namespace vk7
