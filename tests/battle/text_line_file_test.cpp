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

class TextLineFileTest : public ::testing::TestWithParam<test_support::Case> {};

TEST_P(TextLineFileTest, ReadsTheSameLinesFromAFileAndFromMemory) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
  const std::string bytes = c.input.empty() ? "" : c.input.front();
  TextLineFile memory;
  memory.OpenMemory(bytes);
  EXPECT_EQ(ReadAll(memory), c.expected);
  test::TempDir dir;
  TextLineFile file;
  EXPECT_TRUE(file.OpenForRead(dir.Write("f.txt", bytes)));
  EXPECT_EQ(ReadAll(file), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextLineFileTest,
    ::testing::ValuesIn(test_support::LoadCases("battle/cases/text_lines.txt")),
    test_support::CaseName());

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
