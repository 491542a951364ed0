#include "battle/text_line_file.h"

#include <gtest/gtest.h>

#include <functional>
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
  if (c.input.size() > 1) test_support::Refuse(c, c.input[1], "a file's bytes are one line");
  const std::string bytes = c.input.empty() ? "" : c.input.front();
  test::TempDir dir;
  const std::filesystem::path path = dir.Write("f.txt", bytes);
  TextLineFile file;  // opened again and again, each time as new
  const std::function<void()> opens[] = {
      [&] { file.OpenView(bytes); }, [&] { EXPECT_TRUE(file.OpenForRead(path)); },
      [&] { file.OpenMemory(bytes); }, [&] { file.OpenView(bytes); }};
  for (const auto& open : opens) {
    open();
    EXPECT_EQ(ReadAll(file), c.expected);
  }
  file.Close();  // reads nothing, and has no size to count ahead
  EXPECT_EQ(ReadAll(file), std::vector<std::string>{});
  EXPECT_EQ(file.SizeHint(), 0u);
}

static_assert(TextLineFile::kBufferSize == 262144, "see the Refill cases of text_lines.txt");
INSTANTIATE_TEST_SUITE_P(
    Cases, TextLineFileTest,
    ::testing::ValuesIn(test_support::LoadCases("battle/cases/text_lines.txt")),
    test_support::CaseName());

}  // namespace
}  // namespace vk7
