#include "battle/game_folder.h"

#include <gtest/gtest.h>

#include <optional>

#include "battle/folder_listing.h"
#include "battle/windows_1252.h"
#include "support/case_file.h"
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
  for (const char* name : {"VK7.TXT", "vK7.txt", "Vk7.TXT", "vk7.TXT"}) {
    dir.Write("scripts/" + std::string(name), "x");
  }
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

class FolderNameTest : public ::testing::TestWithParam<test_support::Case> {};

TEST_P(FolderNameTest, FoundInEitherSpellingWhateverTheirCase) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
#ifdef _WIN32
  if (!IsUtf8(c.input.front())) GTEST_SKIP() << "Windows names are UTF-16, never single-byte";
#endif
  test::TempDir dir;
  const std::filesystem::path onDisk = dir.Write(test::Utf8Path(c.input.front()), "x");
  for (const std::string& line : c.expected) {
    if (!line.starts_with("found ") && !line.starts_with("not ")) {
      test_support::Refuse(c, line, "neither found nor not");
    }
    const std::string wanted = line.substr(line.find(' ') + 1);
    const auto expected =
        line.rfind("found ", 0) == 0 ? onDisk : dir.Path() / NativeFileName(wanted);
    EXPECT_EQ(FindPathIgnoringCase(dir.Path(), wanted), expected) << line;
    EXPECT_EQ(FolderListing(dir.Path()).Resolve(wanted), expected) << line;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FolderNameTest,
    ::testing::ValuesIn(test_support::LoadCases("battle/cases/folder_names.txt")),
    test_support::CaseName());

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
