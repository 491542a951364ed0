#include "battle/text_line_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/case_file.h"
#include "support/temp_dir.h"

namespace vk7 {
namespace {

std::vector<std::string> ReadAll(TextLineFile& file) {
  std::vector<std::string> lines;
  std::string line;
  while (file.ReadLine(line)) lines.push_back(line);
  EXPECT_FALSE(file.ReadLine(line));  // after the end, it stays there
  EXPECT_EQ(line, "");
  return lines;
}

// The same lines from a file and from memory.
void ExpectLines(const std::string& bytes, const std::vector<std::string>& lines) {
  TextLineFile memory;
  memory.OpenMemory(bytes);
  EXPECT_EQ(ReadAll(memory), lines);
  test::TempDir dir;
  TextLineFile file;
  EXPECT_TRUE(file.OpenForRead(dir.Write("f.txt", bytes)));
  EXPECT_EQ(ReadAll(file), lines);
}

class TextLineFileTest : public ::testing::TestWithParam<test_support::Case> {};

TEST_P(TextLineFileTest, ReadsTheSameLinesFromAFileAndFromMemory) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
  if (c.input.size() > 1) test_support::Refuse(c, c.input[1], "a file's bytes are one line");
  ExpectLines(c.input.empty() ? "" : c.input.front(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextLineFileTest,
    ::testing::ValuesIn(test_support::LoadCases("battle/cases/text_lines.txt")),
    test_support::CaseName());

// A file is read a buffer at a time; lines that meet the end of the buffer read as any other.
TEST(TextLineFile, LinesAcrossARefillOfTheBuffer) {
  constexpr std::size_t kEnd = TextLineFile::kBufferSize;
  const std::string a(TextLineFile::kMaxLine, 'a'), x(TextLineFile::kMaxLine, 'x');
  const struct {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"CrLfSplitBetweenTwoReadsOfTheBuffer",
       std::string(kEnd - 4, 'a') + "\nbb\r\nnext\n",
       {a, "bb", "next"}},
      {"CrLfOfALongLineSplit", std::string(kEnd - 1, 'x') + "\r\nnext", {x, "next"}},
      {"LongLineStartsShortOfTheEnd",
       std::string(kEnd - 101, 'a') + "\n" + std::string(700, 'x') + "\r\nnext",
       {a, x, "next"}},
      {"LongLineRunsOverTwoRefills",
       std::string(kEnd - 601, 'a') + "\n" + std::string(2 * kEnd, 'x') + "\r\nnext\n",
       {a, x, "next"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectLines(c.bytes, c.lines);
  }
}

TEST(TextLineFile, WritesCrLfOnlyToOpenedFilesAndEmptiesThemFirst) {
  test::TempDir dir;
  TextLineFile file;
  std::string line;
  EXPECT_FALSE(file.OpenForRead(dir / "missing.txt") || file.ReadLine(line) || file.WriteLine("x"));
  const auto path = dir.Write("out.txt", "old content\n");
  ASSERT_TRUE(file.OpenForRead(path));
  ASSERT_TRUE(file.ReadLine(line));
  ASSERT_TRUE(file.Rewrite());
  EXPECT_TRUE(file.WriteLine("first") && file.WriteLine("") && file.Close());
  EXPECT_EQ(test::ReadBytes(path), "first\r\n\r\n");
  ASSERT_TRUE(file.OpenForWrite(path));
  file.Close();
  EXPECT_EQ(test::ReadBytes(path), "");
}

}  // namespace
}  // namespace vk7
