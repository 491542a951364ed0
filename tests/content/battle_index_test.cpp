#include "content/battle_index.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "battle/game_folder.h"
#include "battle/recording_reporter.h"
#include "battle/text_line_file.h"
#include "content/battle_name.h"
#include "support/temp_dir.h"

namespace vk7 {
namespace {

// What the reporter holds after one error box titled "Error".
std::vector<RecordingReporter::Entry> ErrorBox(const std::string& text) {
  return {RecordingReporter::Entry{true, "Error", text, std::nullopt}};
}

using Names = std::vector<std::string>;
const std::string kHeader = "VK7 Available Battles\r\nFile Format Version 1.0\r\n";
const std::string kBattle = "VK7 Battle\r\nFile Format Version 1.2\r\n";

std::string CrLf(const Names& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// Temporary files left anywhere below the folder.
int Leftovers(const test::TempDir& dir) {
  int count = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Path())) {
    count += entry.path().filename().string().find(".tmp") != std::string::npos ? 1 : 0;
  }
  return count;
}

// An index read from memory in which every name stands for a battle.
BattleIndex Loaded(const Names& names) {
  TextLineFile source;
  source.OpenMemory(kHeader + CrLf(names));
  BattleIndex index;
  RecordingReporter reporter;
  EXPECT_TRUE(index.Read(
      source, [](const std::string&) { return true; }, reporter));
  return index;
}

struct BadIndexCase {
  std::optional<std::string> content;  // none: no file at all
  std::string message;
};

TEST(BattleIndex, LoadRejectsUnusableFiles) {
  const BadIndexCase cases[] = {
      {std::nullopt, "Cannot open vk7.txt file!"},
      {"", "No valid vk7.txt file!"},
      {"VK7 Available Battles", "No valid vk7.txt file!"},
      {"VK7 Available Battles\r\n", "No valid vk7.txt file!"},
      {"VK7 Available Battles \r\nFile Format Version 1.0\r\n", "No valid vk7.txt file!"},
      {"vk7 available battles\r\nFile Format Version 1.0\r\n", "No valid vk7.txt file!"},
      {"\r\nVK7 Available Battles\r\nFile Format Version 1.0\r\n", "No valid vk7.txt file!"},
      {"VK7 Available Battles\r\nFile Format Version 1.1\r\n", "Invalid version of vk7.txt file!"},
      {"VK7 Available Battles\nFile Format Version 1.0 \n", "Invalid version of vk7.txt file!"},
      {"VK7 Available Battles\n\nFile Format Version 1.0\n", "Invalid version of vk7.txt file!"},
  };
  for (const BadIndexCase& c : cases) {
    test::TempDir dir;
    dir.Write("scripts/a.vk7", kBattle);
    if (c.content) dir.Write("scripts/vk7.txt", *c.content);
    BattleIndex index;
    RecordingReporter reporter;
    EXPECT_FALSE(index.Load(GameFolder(dir.Path()), reporter)) << c.message;
    EXPECT_EQ(reporter.Entries(), ErrorBox(c.message));
  }
}

// A scripts folder whose index names valid battles and all kinds of invalid ones.
struct GameWithIndex {
  test::TempDir dir;
  std::string index;
  GameWithIndex() {
    index =
        "VK7 Available Battles\nFile Format Version 1.0\n"
        "  Alpha\t\nMissing\n\nNot Battle\nLower\n..\n.\n../scripts/Alpha\nsub/Beta\n"
        "back\\slash\nBeta\nALPHA\nNo Newline";
    dir.Write("scripts/vk7.txt", index);
    dir.Write("scripts/Alpha.vk7", "VK7 Battle\n");
    dir.Write("scripts/Beta.vk7", "VK7 Battle");
    dir.Write("scripts/No Newline.vk7", kBattle);
    dir.Write("scripts/Not Battle.vk7", "VK7 Battle \r\n");
    dir.Write("scripts/Lower.vk7", "vk7 battle\r\n");
    dir.Write("scripts/..vk7", kBattle);   // what "." would name
    dir.Write("scripts/...vk7", kBattle);  // what ".." would name
    dir.Write("scripts/sub/Beta.vk7", kBattle);
    dir.Write("scripts/back\\slash.vk7", kBattle);
    dir.Write("scripts/.vk7", kBattle);  // what an empty line would name
  }
  GameFolder Game() const { return GameFolder(dir.Path()); }
  std::filesystem::path IndexFile() const { return dir / "scripts" / "vk7.txt"; }
};

const Names kValid = {"Alpha", "Beta", "ALPHA", "No Newline"};

TEST(BattleIndex, LoadKeepsTrimmedNamesOfValidBattlesOnly) {
  GameWithIndex game;
  BattleIndex index;
  RecordingReporter reporter;
  ASSERT_TRUE(index.Load(game.Game(), reporter));
  EXPECT_EQ(index.Entries(), kValid);
  EXPECT_FALSE(index.Changed());
  EXPECT_TRUE(reporter.Entries().empty());
  EXPECT_EQ(index.Contains("alpha"), 0u);
  EXPECT_EQ(index.Contains(" Alpha"), std::nullopt);
  EXPECT_EQ(index.Contains("no newline"), 3u);
}

TEST(BattleIndex, SaveWritesOnlyAfterAChange) {
  GameWithIndex game;
  BattleIndex index;
  RecordingReporter reporter;
  ASSERT_TRUE(index.Load(game.Game(), reporter));
  index.Add("beta");
  index.MoveUp(0);
  index.MoveDown(kValid.size() - 1);
  EXPECT_FALSE(index.Changed());
  EXPECT_TRUE(index.Save(reporter));
  EXPECT_EQ(test::ReadBytes(game.IndexFile()), game.index);  // invalid names kept too

  // Moved away and back: same order, yet the file is rewritten without the invalid names.
  ASSERT_EQ(index.MoveDown(1), 2u);
  ASSERT_EQ(index.MoveUp(2), 1u);
  EXPECT_TRUE(index.Changed());
  EXPECT_TRUE(index.Save(reporter));
  EXPECT_EQ(test::ReadBytes(game.IndexFile()), kHeader + CrLf(kValid));
  EXPECT_TRUE(reporter.Entries().empty());
  EXPECT_EQ(Leftovers(game.dir), 0);
}

struct EditCase {
  const char* what;
  std::function<std::optional<std::size_t>(BattleIndex&)> edit;
  Names entries;
  bool changed;
  std::optional<std::size_t> current;
};

// Add and RemoveAt as edits that tell the position they leave current, if any.
std::optional<std::size_t> Added(BattleIndex& index, const char* name) {
  return index.Add(name) ? index.Contains(name) : std::nullopt;
}
std::optional<std::size_t> Removed(BattleIndex& index, std::size_t i) {
  index.RemoveAt(i);
  return std::nullopt;
}

TEST(BattleIndex, EditsAndTheChangedFlag) {
  using I = BattleIndex&;
  const EditCase cases[] = {
      {"add new", [](I x) { return Added(x, "D"); }, {"A", "B", "C", "D"}, true, 3},
      {"add listed", [](I x) { return Added(x, "b"); }, {"A", "B", "C"}, false, std::nullopt},
      {"move up first", [](I x) { return x.MoveUp(0); }, {"A", "B", "C"}, false, std::nullopt},
      {"move down last", [](I x) { return x.MoveDown(2); }, {"A", "B", "C"}, false, std::nullopt},
      {"move up", [](I x) { return x.MoveUp(2); }, {"A", "C", "B"}, true, 1},
      {"move down", [](I x) { return x.MoveDown(0); }, {"B", "A", "C"}, true, 1},
      {"remove", [](I x) { return Removed(x, 1); }, {"A", "C"}, true, std::nullopt},
      {"rename", [](I x) { return x.RenameAt(1, "X"); }, {"A", "X", "C"}, true, 1},
      {"rename case", [](I x) { return x.RenameAt(1, "b"); }, {"A", "b", "C"}, true, 1},
      {"rename onto later", [](I x) { return x.RenameAt(0, "c"); }, {"B", "C"}, true, 1},
      {"rename onto earlier", [](I x) { return x.RenameAt(2, "a"); }, {"A", "B"}, true, 0},
      {"rename last", [](I x) { return x.RenameAt(2, "Z"); }, {"A", "B", "Z"}, true, 2},
      // Letters beyond ASCII differ in case only, as on Windows: one file, one entry.
      {"add listed \xE9/\xC9",
       [](I x) {
         x.RenameAt(2, "\xC9t\xE9 \x8A");
         return Added(x, "\xE9T\xC9 \x9A");
       },
       {"A", "B", "\xC9t\xE9 \x8A"},
       true,
       std::nullopt},
      // The new name may be an entry of the list itself.
      {"rename to own entry",
       [](I x) { return x.RenameAt(0, x.Entries()[2]); },
       {"B", "C"},
       true,
       1},
  };
  for (const EditCase& c : cases) {
    BattleIndex index = Loaded({"A", "B", "C"});
    EXPECT_EQ(c.edit(index), c.current) << c.what;
    EXPECT_EQ(index.Entries(), c.entries) << c.what;
    EXPECT_EQ(index.Changed(), c.changed) << c.what;
  }
}

TEST(BattleIndex, NamesAreCutAt511CharactersBeforeTrimmingAndTesting) {
  TextLineFile source;
  source.OpenMemory(kHeader + std::string(600, 'N') + "\r\n\t" + std::string(599, 'n') + "\r\n");
  Names asked;
  BattleIndex index;
  RecordingReporter reporter;
  ASSERT_TRUE(index.Read(
      source,
      [&asked](const std::string& name) {
        asked.push_back(name);
        return true;
      },
      reporter));
  EXPECT_EQ(asked, (Names{std::string(511, 'N'), std::string(510, 'n')}));
  EXPECT_EQ(index.Entries(), asked);
  EXPECT_TRUE(Loaded({}).Entries().empty());
}

// Typed names (new, renamed, imported battles) become file names that Windows must accept.
TEST(BattleName, TypedNamesWindowsCannotUseAreRefused) {
  const std::pair<const char*, bool> cases[] = {
      {"Caf\xE9", true},    {"First Patrol", true}, {"a.b", true},
      {"..a", true},        {"CONSOLE", true},      {"COM10", true},
      {"AUX1", true},       {"lpt", true},          {"x\x7F\x81", true},
      {"", false},          {".", false},           {"..", false},
      {"a/b", false},       {"a\\b", false},        {"a:b", false},
      {"a<b", false},       {"a>b", false},         {"a\"b", false},
      {"a|b", false},       {"what?", false},       {"star*", false},
      {"tab\there", false}, {"\x1F", false},        {"end.", false},
      {"end ", false},      {"CON", false},         {"con", false},
      {"Con.vk7", false},   {"nul.a.b", false},     {"Prn", false},
      {"COM1", false},      {"lpt9", false},        {"COM\xB9", false},
  };
  for (const auto& [name, accepted] : cases) {
    RecordingReporter reporter;
    EXPECT_EQ(CheckBattleName(name, reporter), accepted) << name;
    EXPECT_EQ(reporter.Entries().size(), accepted ? 0u : 1u) << name;
  }
  RecordingReporter reporter;
  CheckBattleName("a:b", reporter);
  EXPECT_EQ(reporter.Entries(),
            ErrorBox("The name \"a:b\" cannot be used for a battle. A battle name must not "
                     "contain any of the characters / \\ < > : \" | ? * or a control character, "
                     "must not end with a dot or a blank, and must not be \".\", \"..\" or a "
                     "device name (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, also with an "
                     "extension)."));
}

TEST(BattleIndex, FilesAreFoundWhateverTheirLetterCase) {
  test::TempDir dir;
  const std::string original = kHeader + CrLf({"First Patrol", "convoy run"});
  dir.Write("Scripts/VK7.TXT", original);
  dir.Write("Scripts/first patrol.VK7", kBattle);
  dir.Write("Scripts/Convoy Run.vk7", kBattle);
  BattleIndex index;
  RecordingReporter reporter;
  ASSERT_TRUE(index.Load(GameFolder(dir.Path()), reporter));
  EXPECT_EQ(index.Entries(), (Names{"First Patrol", "convoy run"}));
  index.RemoveAt(0);
  ASSERT_TRUE(index.Save(reporter));
  // The existing index is replaced; no second one is made beside it (counted, as on Windows
  // every spelling exists).
  EXPECT_EQ(test::ReadBytes(dir / "Scripts" / "VK7.TXT"), kHeader + "convoy run\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "Scripts"), {}), 3);
}

// Ways to make the index impossible to replace once it has been loaded; each returns a file
// that must come out of the failed save untouched.
struct SaveFailureCase {
  const char* what;
  std::function<std::filesystem::path(const test::TempDir&)> breakIt;
};

TEST(BattleIndex, FailedSaveIsReportedAndKeepsWhatWasThere) {
  const SaveFailureCase cases[] = {
      {"scripts folder moved away, a file in its place",
       [](const test::TempDir& dir) {
         std::filesystem::rename(dir / "scripts", dir / "moved");
         dir.Write("scripts", "now a plain file");
         return dir / "moved" / "vk7.txt";
       }},
      {"index replaced by a folder",
       [](const test::TempDir& dir) {
         std::filesystem::remove(dir / "scripts" / "vk7.txt");
         return dir.Write("scripts/vk7.txt/keep", "x");
       }},
  };
  for (const SaveFailureCase& c : cases) {
    test::TempDir dir;
    dir.Write("scripts/vk7.txt", kHeader + "A\r\n");
    dir.Write("scripts/A.vk7", kBattle);
    BattleIndex index;
    RecordingReporter reporter;
    ASSERT_TRUE(index.Load(GameFolder(dir.Path()), reporter)) << c.what;
    index.Add("B");
    const std::filesystem::path kept = c.breakIt(dir);
    const std::string before = test::ReadBytes(kept);
    EXPECT_FALSE(index.Save(reporter)) << c.what;
    EXPECT_EQ(reporter.Entries(), ErrorBox("Cannot write vk7.txt file!")) << c.what;
    EXPECT_EQ(test::ReadBytes(kept), before) << c.what;
    EXPECT_TRUE(index.Changed()) << c.what;  // still to be saved
    EXPECT_EQ(Leftovers(dir), 0) << c.what;
  }
}

}  // namespace
}  // namespace vk7
