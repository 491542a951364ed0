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

// Missing, the catalog file is an error; without entries it is read again at the next load;
// once it gave an entry, later changes of the file are not seen. Found in any letter case.
template <typename Catalog>
void CheckLoading(const std::string& file, const std::string& noEntry, const std::string& entry,
                  const std::string& name) {
  SCOPED_TRACE(file);
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
