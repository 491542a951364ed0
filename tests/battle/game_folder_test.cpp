#include "battle/game_folder.h"

#include <gtest/gtest.h>

#include <optional>

#include "battle/folder_listing.h"
#include "battle/windows_1252.h"

#include "support/temp_dir.h"

namespace vk7 {
namespace {

TEST(GameFolder, FindsFilesWhateverTheirCaseAndHoweverTheRootEnds) {
  test::TempDir dir;
  dir.Write("Scripts/VKSHIPS.TXT", "x");
  dir.Write("Scripts/First Patrol.VK7", "x");
  // The same files; on Windows, where case never matters, possibly spelt as asked.
  for (const std::string& root : {dir.Path().string(), dir.Path().string() + "/"}) {
    const GameFolder game(root);
    std::error_code ec;
    EXPECT_TRUE(std::filesystem::equivalent(game.ScriptsDir(), dir / "Scripts", ec)) << root;
    EXPECT_TRUE(std::filesystem::equivalent(game.ScriptFile("vkships.txt"),
                                            dir / "Scripts" / "VKSHIPS.TXT", ec));
    EXPECT_TRUE(std::filesystem::equivalent(game.BattleFile("first patrol"),
                                            dir / "Scripts" / "First Patrol.VK7", ec));
  }
}

TEST(GameFolder, ExactNameWinsAndMissingNamesStayAsGiven) {
#ifdef _WIN32
  GTEST_SKIP() << "a Windows folder cannot hold names that differ only in case";
#endif
  test::TempDir dir;
  dir.Write("scripts/vk7.txt", "x");
  dir.Write("scripts/VK7.TXT", "x");
  const GameFolder game(dir.Path());
  EXPECT_EQ(game.ScriptFile("vk7.txt"), dir / "scripts" / "vk7.txt");
  EXPECT_EQ(game.ScriptFile("Vk7.txt"), dir / "scripts" / "VK7.TXT");  // smallest match
  EXPECT_EQ(game.BattleFile("New One"), dir / "scripts" / "New One.vk7");
  // A new file of a name beyond ASCII is spelled in UTF-8, as Wine and the file manager spell it.
  EXPECT_EQ(game.BattleFile("Caf\xE9"), dir / "scripts" / "Caf\xC3\xA9.vk7");
  // Both spellings there: the UTF-8 one is the battle's.
  dir.Write("scripts/Caf\xE9.vk7", "x");
  dir.Write("scripts/Caf\xC3\xA9.vk7", "x");
  EXPECT_EQ(game.BattleFile("Caf\xE9"), dir / "scripts" / "Caf\xC3\xA9.vk7");
}

TEST(GameFolder, NamesBeyondAsciiAreFoundInEitherSpellingAndWhateverTheirCase) {
  struct Case {
    const char* onDisk;  // bytes of the file name
    const char* wanted;  // Windows-1252
    bool found;
  };
  const Case cases[] = {
      {"Caf\xC3\xA9.vk7", "Caf\xE9.vk7", true},  // UTF-8, as Wine writes it
      {"Caf\xE9.vk7", "Caf\xE9.vk7", true},      // single-byte, copied without conversion
      {"CAF\xC3\x89.VK7", "caf\xE9.vk7", true},
      {"CAF\xC9.vk7", "caf\xE9.vk7", true},
      {"\xC5\xA0KODA \xC5\x92UVRE \xC5\xBDIVA \xC5\xB8.vk7", "\x9Akoda \x9Cuvre \x9Eiva \xFF.vk7",
       true},
      {"\xC3\x80\xC3\x9E\xC3\x98.vk7", "\xE0\xFE\xF8.vk7", true},  // ÀÞØ / àþø
      {"\xE2\x82\xAC 5.vk7", "\x80 5.vk7", true},
      {"Cafe.vk7", "Caf\xE9.vk7", false},
      {"\xC3\x97.vk7", "\xF7.vk7", false},  // × and ÷ are no pair of letters
      {"\xC3\x9F.vk7", "SS.vk7", false},
      {"\xCE\xA9.vk7", "?.vk7", false},               // Omega: no Windows-1252 name at all
      {"Caf\xC3\xA9.vk7", "Caf\xC3\xA9.vk7", false},  // "CafÃ©" is another name
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.onDisk);
#ifdef _WIN32
    if (!IsUtf8(c.onDisk)) continue;  // Windows names are UTF-16, never single-byte
#endif
    test::TempDir dir;
    const std::filesystem::path onDisk = dir.Write(test::Utf8Path(c.onDisk), "x");
    const auto expected = c.found ? onDisk : dir.Path() / NativeFileName(c.wanted);
    EXPECT_EQ(FindPathIgnoringCase(dir.Path(), c.wanted), expected);
    EXPECT_EQ(FolderListing(dir.Path()).Resolve(c.wanted), expected);
  }
}

TEST(Windows1252, EveryByteHasOneUtf8AndOneUtf16SpellingAndNothingElseConverts) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
  EXPECT_EQ(WideToCp1252(Cp1252ToWide(all)), all);
  EXPECT_EQ(Cp1252ToUtf8("\x80\x81\x9F\xE9"), "\xE2\x82\xAC\xC2\x81\xC5\xB8\xC3\xA9");
  for (const char* refused : {"\xCE\xA9", "\xC2\x80", "\xC3", "\xC3(", "\xC1\xA9", "\xE0\x80\xA9",
                              "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF"}) {
    EXPECT_EQ(Utf8ToCp1252(refused), std::nullopt) << refused;
  }
  EXPECT_EQ(WideToCp1252(L"\x3A9"), std::nullopt);
  EXPECT_EQ(Cp1252FileName(test::Utf8Path("Caf\xC3\xA9")), "Caf\xE9");
#ifndef _WIN32
  EXPECT_EQ(Cp1252FileName("Caf\xE9"), "Caf\xE9");  // not UTF-8: the single-byte spelling
#endif
  EXPECT_EQ(Cp1252FileName(test::Utf8Path("\xCE\xA9mega")), std::nullopt);
  EXPECT_EQ(Cp1252FileName(NativeFileName(all)), all);  // a name read back from the folder
}

}  // namespace
}  // namespace vk7
