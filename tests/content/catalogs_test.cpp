#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "battle/game_folder.h"
#include "battle/recording_reporter.h"
#include "battle/text_line_file.h"
#include "content/ship_catalog.h"
#include "content/system_catalog.h"
#include "support/temp_dir.h"

namespace vk7 {
namespace {

// What the reporter holds after one error box titled "Error".
std::vector<RecordingReporter::Entry> ErrorBox(const std::string& text) {
  return {RecordingReporter::Entry{true, "Error", text, std::nullopt}};
}

using Rows = std::vector<std::string>;

template <typename Catalog>
Catalog From(const std::string& text) {
  TextLineFile source;
  source.OpenMemory(text);
  Catalog catalog;
  catalog.Read(source);
  return catalog;
}

TEST(ShipCatalog, LineForms) {
  using Entries = std::vector<std::pair<std::string, std::string>>;  // label, class
  const std::pair<std::string, Entries> cases[] = {
      {"Heavy Cruiser=HC1\r\n", {{"Heavy Cruiser", "HC1"}}},
      {" \tHeavy Cruiser \t=\t HC1 \t\n", {{"Heavy Cruiser", "HC1"}}},
      {"Odd=A=B\n", {{"Odd", "A=B"}}},
      {"=NOLABEL\nNo class=\n=\n", {{"", "NOLABEL"}, {"No class", ""}, {"", ""}}},
      {"just a remark\n\n \t\n", {}},
      {"\vLabel=CLASS\f\n", {{"\vLabel", "CLASS\f"}}},  // only spaces and tabs are trimmed
      {"L=" + std::string(598, 'C') + "\nNext=N", {{"L", std::string(509, 'C')}, {"Next", "N"}}},
  };
  for (const auto& [text, expected] : cases) {
    Entries entries;
    const auto catalog = From<ShipCatalog>(text);
    for (const ShipEntry& entry : catalog.Entries()) {
      EXPECT_TRUE(entry.hasClass && entry.hasName) << text;
      entries.emplace_back(entry.name, entry.shipClass);
    }
    EXPECT_EQ(entries, expected) << text;
  }
}

TEST(ShipCatalog, LookupsIgnoreCaseAndTakeTheFirstEntry) {
  const auto catalog = From<ShipCatalog>("First=HC1\nSecond=hc1\nOther=Veyr-R\nEmpty=\n");
  ASSERT_NE(catalog.FindShipClass("hC1"), nullptr);
  EXPECT_EQ(catalog.FindShipClass("hC1")->name, "First");
  EXPECT_EQ(catalog.FindShipClass("VEYR-R")->name, "Other");
  EXPECT_EQ(catalog.FindShipClass("HC1 "), nullptr);  // no trimming at lookup
  EXPECT_EQ(catalog.FindShipClass("HC"), nullptr);
  EXPECT_EQ(catalog.NameAt(1), "hc1");
  EXPECT_EQ(catalog.NameAt(3), "");
  EXPECT_EQ(catalog.NameAt(4), std::nullopt);

  Rows rows = {"kept"};
  catalog.FillShipClassList(rows);
  EXPECT_EQ(rows,
            (Rows{"kept", "HC1   (First)", "hc1   (Second)", "Veyr-R   (Other)", "   (Empty)"}));
  rows.clear();
  From<ShipCatalog>("=HC2\n").FillShipClassList(rows);
  EXPECT_EQ(rows, Rows{"HC2   ()"});
}

TEST(SystemCatalog, LineForms) {
  const std::pair<std::string, std::vector<CatalogSystem>> cases[] = {
      {"Sol=Earth==Mars=\n", {{"Sol", {"Earth", "Mars"}}}},
      {" Sol \t= Earth\t= \t =Mars = \r\n", {{"Sol", {"Earth", "Mars"}}}},
      {"Calder\nCalder=\n", {{"Calder", {}}, {"Calder", {}}}},
      {"Twin=Moon=moon\n", {{"Twin", {"Moon", "moon"}}}},
      {"=Earth=Mars\n \t=Earth\n\n", {}},
      {"S=" + std::string(598, 'p') + "=Cut\nNext", {{"S", {std::string(509, 'p')}}, {"Next", {}}}},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(From<SystemCatalog>(text).Systems(), expected) << text;
  }
}

TEST(SystemCatalog, LookupsIgnoreCaseAndTakeTheFirstSystem) {
  const auto catalog =
      From<SystemCatalog>("Keth=Keth Prime=Arra\nKETH=Other\nMerrow Reach=Ebb\nCalder\n");
  const CatalogSystem* keth = catalog.FindSystem("kEtH");
  ASSERT_NE(keth, nullptr);
  EXPECT_EQ(keth->name, "Keth");
  EXPECT_TRUE(keth->HasPlanet("KETH PRIME"));
  EXPECT_TRUE(keth->HasPlanet("arra"));
  EXPECT_FALSE(keth->HasPlanet("Other"));  // belongs to the second, shadowed entry
  EXPECT_FALSE(keth->HasPlanet("Keth"));
  EXPECT_FALSE(keth->HasPlanet("Arra "));
  EXPECT_EQ(catalog.FindSystem("Merrow"), nullptr);
  EXPECT_EQ(catalog.NameAt(1), "KETH");
  EXPECT_EQ(catalog.NameAt(4), std::nullopt);

  Rows rows = {"kept"};
  catalog.FillSystemList(rows);
  EXPECT_EQ(rows, (Rows{"kept", "Keth", "KETH", "Merrow Reach", "Calder"}));

  StarSystem battleSystem;
  rows = {"kept"};
  for (const char* name : {"merrow reach", "Nowhere", "Calder"}) {
    battleSystem.name = name;
    catalog.FillPlanetList(battleSystem, rows);
  }
  EXPECT_EQ(rows, (Rows{"kept", "Ebb"}));
}

template <typename Catalog>
std::size_t Count(const Catalog& catalog) {
  if constexpr (std::is_same_v<Catalog, ShipCatalog>) {
    return catalog.Entries().size();
  } else {
    return catalog.Systems().size();
  }
}

// `file` is written below `dir` (its letter case may differ from the catalog's file name).
template <typename Catalog>
void CheckLoading(const std::string& file, const std::string& message, const std::string& entry,
                  const std::string& noEntries) {
  SCOPED_TRACE(file);
  test::TempDir dir;
  const GameFolder game(dir.Path());
  RecordingReporter reporter;
  Catalog catalog;

  // Missing file: the error, and the catalog stays empty.
  dir.Write("scripts/other.txt", "");
  EXPECT_FALSE(catalog.Load(game, reporter));
  EXPECT_EQ(reporter.Entries(), ErrorBox(message));
  EXPECT_FALSE(catalog.IsLoaded());
  reporter.Clear();
  std::filesystem::remove_all(dir / "scripts");

  // A file without entries loads but leaves the catalog unloaded, so it is read again.
  const auto path = dir.Write(file, noEntries);
  EXPECT_TRUE(catalog.Load(game, reporter));
  EXPECT_FALSE(catalog.IsLoaded());
  dir.Write(file, entry);
  std::filesystem::permissions(path, std::filesystem::perms::owner_read);
  EXPECT_TRUE(catalog.Load(game, reporter));  // read-only is fine: never written
  EXPECT_EQ(Count(catalog), 1u);

  // Once it holds an entry, later changes of the file are not seen.
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
  dir.Write(file, entry + entry);
  EXPECT_TRUE(catalog.Load(game, reporter));
  std::filesystem::remove(path);
  EXPECT_TRUE(catalog.Load(game, reporter));
  EXPECT_EQ(Count(catalog), 1u);
  EXPECT_TRUE(reporter.Entries().empty());
}

TEST(ShipCatalog, LoadsOnceFromTheScriptsFolder) {
  const std::string message = "Cannot open vkships.txt file!";
  CheckLoading<ShipCatalog>("scripts/vkships.txt", message, "A=HC1\r\n", "no equals\r\n\r\n");
  CheckLoading<ShipCatalog>("Scripts/VKSHIPS.TXT", message, "A=HC1\r\n", "");
}

TEST(SystemCatalog, LoadsOnceFromTheScriptsFolder) {
  const std::string message = "Cannot open vk7sys.txt file!";
  CheckLoading<SystemCatalog>("scripts/vk7sys.txt", message, "Keth=A\r\n", "=Orphan=P\r\n \t\r\n");
  CheckLoading<SystemCatalog>("SCRIPTS/Vk7Sys.Txt", message, "Keth=A\r\n", "");
}

}  // namespace
}  // namespace vk7
