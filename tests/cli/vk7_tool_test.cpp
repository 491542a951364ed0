#include "cli/vk7_tool.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/case_file.h"
#include "support/run_vk7.h"
#include "support/temp_dir.h"

namespace vk7 {
namespace {

using test::ToolRun;
using test::Vk7;
using ::testing::HasSubstr;

const std::string kGame = std::string(VK7_EXAMPLES_DIR) + "/game";

std::string Expand(std::string text, const std::string& dir) {
  for (const auto& [key, value] :
       {std::pair<std::string, std::string>{"{dir}", dir}, {"{game}", kGame}}) {
    for (std::size_t at; (at = text.find(key)) != std::string::npos;)
      text.replace(at, key.size(), value);
  }
  return text;
}

// Words split at blanks, but for those inside double quotes.
std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  bool quoted = false;
  bool inWord = false;
  for (const char c : text) {
    if (c == '"') {
      quoted = !quoted;
      if (!inWord) words.emplace_back();
      inWord = true;
    } else if (c == ' ' && !quoted) {
      inWord = false;
    } else {
      if (!inWord) words.emplace_back();
      inWord = true;
      words.back() += c;
    }
  }
  return words;
}

class Vk7CaseTest : public ::testing::TestWithParam<test_support::Case> {};

TEST_P(Vk7CaseTest, Runs) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
#ifdef _WIN32
  if (c.name.find("OnLinux") != std::string::npos) {
    GTEST_SKIP() << "file names in the single-byte spelling exist on Linux only, not on Windows";
  }
#endif
  test::TempDir dir;
  const std::string root = dir.Path().string();
  std::string name;
  std::string bytes;
  std::string lineEnd = "\r\n";
  std::vector<std::string> args;
  const auto flush = [&] {
    if (!name.empty()) dir.Write(test::Utf8Path(name), bytes);
    name.clear();
    bytes.clear();
  };
  for (const std::string& line : c.input) {
    if (line.rfind("| ", 0) == 0 || line == "|") {
      bytes += line.substr(line.size() > 1 ? 2 : 1) + lineEnd;
      continue;
    }
    flush();
    const std::string rest = line.substr(line.find(' ') + 1);
    if (line[0] == '>') {
      name = rest;
      lineEnd = line.rfind(">lf ", 0) == 0 ? "\n" : "\r\n";
    } else if (line[0] == '~') {
      std::filesystem::create_directory(dir.Path() / test::Utf8Path(rest));  // found, but no file
    } else if (line[0] == '$') {
      args = Words(Expand(rest, root));
    }
  }
  flush();
  const ToolRun run = Vk7(args);
  ToolRun expected{-1, "", ""};
  for (const std::string& raw : c.expected) {
    const std::string line = Expand(raw, root);
    const bool toOut = line.rfind("out ", 0) == 0;
    std::string& printed = toOut ? expected.out : expected.err;
    if (line.rfind("exit ", 0) == 0) {
      expected.status = std::stoi(line.substr(5));
    } else if (line.compare(4, 2, "< ") == 0) {
      printed += test::ReadBytes(std::string(VK7_TEST_DATA_DIR) + "/" + line.substr(6));
    } else if (line.compare(4, 2, "~ ") == 0) {
      EXPECT_THAT(toOut ? run.out : run.err, HasSubstr(line.substr(6)));
      printed = toOut ? run.out : run.err;
    } else {
      printed += line.substr(4) + "\n";
    }
  }
  EXPECT_EQ(run.status, expected.status);
  EXPECT_EQ(run.out, expected.out);
  EXPECT_EQ(run.err, expected.err);
}

INSTANTIATE_TEST_SUITE_P(Cases, Vk7CaseTest,
                         ::testing::ValuesIn(test_support::LoadCases("cli/cases/vk7.txt")),
                         test_support::CaseName());

std::string Battle(const std::vector<std::string>& body) {
  std::string text = "VK7 Battle\r\nFile Format Version 1.2\r\n// Created by Velkor Editor\r\n";
  for (const std::string& line : body) text += line + "\r\n";
  return text;
}

// Only "format --in-place" writes, so only it needs (and keeps needing) a writable file.
TEST(Vk7, ReadOnlyFilesAreCheckedListedAndPrinted) {
  test::TempDir dir;
  dir.Write("scripts/vk7.txt", "VK7 Available Battles\r\nFile Format Version 1.0\r\na\r\n");
  dir.Write("scripts/vkships.txt", "Halberd=HALBERD\r\n");
  dir.Write("scripts/vk7sys.txt", "Keth=Arra\r\n");
  const std::string original = Battle({"Player = HALBERD", "System = Keth"});
  const std::string a = dir.Write("scripts/a.vk7", original).string();
  const std::string game = dir.Path().string();
  const ToolRun printed = Vk7({"format", a});
  ASSERT_EQ(printed.status, 0);
  const std::vector<std::pair<std::vector<std::string>, ToolRun>> cases = {
      {{"check", a}, {0, "", ""}},
      {{"check", "--game-dir", game, a}, {0, "", ""}},
      {{"list", "--game-dir", game}, {0, "a\n", ""}},
      {{"format", a}, printed},
      {{"format", "--in-place", a}, {1, "", a + ": error: Cannot open file!\n"}}};
  for (const auto& [args, expected] : cases) {
    const std::optional<ToolRun> run = test::Vk7OnReadOnlyFolder(dir.Path(), args);
    if (!run) GTEST_SKIP() << "no read-only mount can be made here (no mount namespaces)";
    EXPECT_EQ(run->status, expected.status) << args[0] << ' ' << args[1];
    EXPECT_EQ(run->out, expected.out) << args[0] << ' ' << args[1];
    EXPECT_EQ(run->err, expected.err) << args[0] << ' ' << args[1];
  }
  EXPECT_EQ(test::ReadBytes(a), original);
}

TEST(Vk7, FormatInPlaceRewritesStablyOrRefusesAndKeepsTheFile) {
  test::TempDir dir;
  const auto file = dir.Write("a.vk7", Battle({"System = Keth", "Enemy = VEYR-R", "Player = X"}));
  ToolRun run = Vk7({"format", "--in-place", file.string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  const std::string once = test::ReadBytes(file);
  EXPECT_THAT(once, HasSubstr("Enemy           = VEYR-R\r\n"));
  run = Vk7({"format", "--in-place", file.string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(test::ReadBytes(file), once);
  EXPECT_EQ(std::filesystem::directory_iterator(dir.Path())->path(), file);  // no leftovers

  // Fits 255 characters as written by hand, but not once the keyword is padded; a clash of a
  // name with a default name.
  const std::string name = file.string();
  for (const auto& [body, err] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"System = Keth", "Friend=" + std::string(240, 'C'), "Player = X"},
            name + ": error: Line 12 would be longer than 255"},
           {{"Player = HALBERD", "Escort = TALON", "Escort = TALON = TALON E1", "System = Keth"},
            name + ": error: Your escort ship name TALON E1 conflicts with a default escort ship "
                   "name . Please change this name!\n"}}) {
    dir.Write("a.vk7", Battle(body));
    run = Vk7({"format", "--in-place", name});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.substr(0, err.size()), err);
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1);  // one diagnostic, one line
    EXPECT_EQ(test::ReadBytes(file), Battle(body));
  }
}

TEST(Vk7, OverviewWritesTheFile) {
  test::TempDir dir;
  const ToolRun run = Vk7({"overview", "--game-dir", kGame, kGame + "/scripts/DeepSurvey.vk7", "-o",
                           (dir / "o.svg").string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(
      test::ReadBytes(dir / "o.svg"),
      test::ReadBytes(std::string(VK7_TEST_DATA_DIR) + "/content/golden/overview/deep_survey.svg"));
}

}  // namespace
}  // namespace vk7
