// The game folder's files on disk (found in any letter case): the battle index, loaded and saved
// back, and the catalogs, also far larger than the demo's.
#include "content/battle_index.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

#include "battle/game_folder.h"
#include "battle/hash_slots.h"
#include "battle/recording_reporter.h"
#include "battle/text_line_file.h"
#include "content/ship_catalog.h"
#include "content/system_catalog.h"
#include "support/model_builders.h"
#include "support/temp_dir.h"

namespace vk7 {
namespace {

using Names = std::vector<std::string>;
const std::string kHeader = "VK7 Available Battles\r\nFile Format Version 1.0\r\n";

std::size_t Files(const std::filesystem::path& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// A name is kept when its file starts with "VK7 Battle". The index is written again only after a
// change, without the names dropped, over the file it was read from; a failed save keeps it.
TEST(BattleIndex, LoadsFromDiskAndSavesOnlyAfterAChange) {
  test::TempDir dir;
  const std::string original =
      "VK7 Available Battles\nFile Format Version 1.0\n"
      "Alpha\nMissing\nNot Battle\nLower\nsub/Beta\nconvoy run\nNo Newline";
  dir.Write("Scripts/alpha.VK7", "VK7 Battle\n");
  dir.Write("Scripts/Convoy Run.vk7", "VK7 Battle");
  dir.Write("Scripts/No Newline.vk7", "VK7 Battle\r\nFile Format Version 1.2\r\n");
  dir.Write("Scripts/Not Battle.vk7", "VK7 Battle \r\n");
  dir.Write("Scripts/Lower.vk7", "vk7 battle\r\n");
  dir.Write("Scripts/sub/Beta.vk7", "VK7 Battle\r\n");
  BattleIndex index;
  RecordingReporter reporter;
  const auto file = dir.Write("Scripts/VK7.TXT", original);
  ASSERT_TRUE(index.Load(GameFolder(dir.Path()), reporter));
  EXPECT_EQ(index.Entries(), (Names{"Alpha", "convoy run", "No Newline"}));
  EXPECT_TRUE(index.Save(reporter));
  EXPECT_EQ(test::ReadBytes(file), original);
  index.MarkChanged();
  EXPECT_TRUE(index.Save(reporter));
  EXPECT_FALSE(index.Changed());
  std::string saved = kHeader + "Alpha\r\nconvoy run\r\nNo Newline\r\n";
  EXPECT_EQ(test::ReadBytes(file), saved);
  // Taken away and saved, then listed again by another program: the next save keeps it.
  index.RemoveAt(0);
  ASSERT_TRUE(index.Save(reporter));
  dir.Write("Scripts/VK7.TXT", saved);
  index.MarkChanged();
  ASSERT_TRUE(index.Save(reporter));
  saved = kHeader + "convoy run\r\nNo Newline\r\nAlpha\r\n";
  EXPECT_EQ(test::ReadBytes(file), saved);
  EXPECT_TRUE(reporter.Entries().empty());
  EXPECT_EQ(Files(dir / "Scripts"), 7u);  // no second index, nothing left behind
  // The scripts folder moved away, a file in its place: the save fails and says so.
  index.RemoveAt(0);
  std::filesystem::rename(dir / "Scripts", dir / "moved");
  dir.Write("Scripts", "now a plain file");
  EXPECT_FALSE(index.Save(reporter));
  EXPECT_EQ(test::Log(reporter), Names{"error|Error|Cannot write vk7.txt file!"});
  EXPECT_EQ(test::ReadBytes(dir / "moved" / "VK7.TXT"), saved);
  EXPECT_TRUE(index.Changed());
  EXPECT_EQ(Files(dir / "moved"), 7u);
}

// Missing, a catalog file is an error; without entries it is read again at the next load; once
// it gave an entry, it is not read again.
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
            Names{std::string("error|Error|Cannot open ") + Catalog::kFileName + " file!"});
  reporter.Clear();
  const auto path = dir.Write(file, noEntry);
  EXPECT_TRUE(catalog.Load(game, reporter));
  EXPECT_FALSE(catalog.IsLoaded());
  dir.Write(file, entry);
  EXPECT_TRUE(catalog.Load(game, reporter) && catalog.IsLoaded());
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

// A catalog is read into the room its size asks for (an entry each 32 bytes), also when read on
// from a second source: a large one is never copied as it grows. Past a few thousand entries its
// index is built in groups: still the first entry of a name in any case is found, the last too,
// none for an absent name, and two classes of equal hashes told apart; read on from a second
// source, the index grows and keeps what it held.
TEST(Catalogs, LargeCatalogsAreReadIntoRoomSetAsideAndFindEveryEntry) {
  const auto line = [](std::string text) { return text.append(31 - text.size(), ' ') + "\n"; };
  std::string ships, systems, more;
  for (int i = 0; i < 20000; ++i) {
    ships += line("Label " + std::to_string(i) + "=Class" + std::to_string(i));
    systems += line("System" + std::to_string(i) + "=P" + std::to_string(i));
  }
  std::unordered_map<std::uint32_t, std::string> hashed;
  Names twins;
  for (int i = 0; twins.empty(); ++i) {
    const std::string name = "T" + std::to_string(i);
    const auto [first, fresh] = hashed.emplace(HashIgnoringCase(name), name);
    if (!fresh) twins = {first->second, name};
  }
  auto s = test::CatalogFrom<ShipCatalog>(ships + line("One=" + twins[0]) +
                                          line("Two=" + twins[1]) + line("Late=CLASS7"));
  const auto y = test::CatalogFrom<SystemCatalog>(systems + line("SYSTEM7=Late"));
  EXPECT_EQ(s.Entries().capacity(), 20003u);
  EXPECT_EQ(y.Systems().capacity(), 20001u);
  for (int i = 0; i < 5000; ++i) more += line("More=M" + std::to_string(i));
  TextLineFile source;
  source.OpenMemory(more);
  s.Read(source);
  EXPECT_EQ(s.Entries().capacity(), 25003u);
  const auto name = [](const auto* found) { return found ? found->name : "none"; };
  EXPECT_EQ((Names{name(s.FindShipClass(twins[0])), name(s.FindShipClass(twins[1])),
                   name(s.FindShipClass("Class0")), name(s.FindShipClass("class19999")),
                   name(s.FindShipClass("CLASS7")), name(s.FindShipClass("C20000")),
                   name(s.FindShipClass("m4999")), name(y.FindSystem("system0")),
                   name(y.FindSystem("SYSTEM7")), name(y.FindSystem("S20000"))}),
            (Names{"One", "Two", "Label 0", "Label 19999", "Label 7", "none", "More", "System0",
                   "System7", "none"}));
  EXPECT_TRUE(y.FindSystem("System19999")->HasPlanet("p19999"));
}

}  // namespace
}  // namespace vk7
