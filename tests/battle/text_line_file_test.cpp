#include "battle/text_line_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace vk7 {
namespace {

std::vector<std::string> ReadAll(TextLineFile& file) {
  std::vector<std::string> lines;
  std::string line;
  while (file.ReadLine(line)) lines.push_back(line);
  return lines;
}

std::vector<std::string> ReadFromMemory(const std::string& bytes) {
  TextLineFile file;
  file.OpenMemory(bytes);
  return ReadAll(file);
}

std::vector<std::string> ReadFromDisk(const std::string& bytes) {
  test::TempDir dir;
  TextLineFile file;
  EXPECT_TRUE(file.OpenForRead(dir.Write("f.txt", bytes)));
  return ReadAll(file);
}

struct LineCase {
  std::string name;
  std::string bytes;
  std::vector<std::string> lines;
  friend void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }
};

std::vector<LineCase> LineCases() {
  const std::string long600(600, 'x');
  // A CR LF pair split between two reads of the file buffer.
  const std::string boundary = std::string(65535, 'a') + "\r\nnext";
  return {
      {"Empty", "", {}},
      {"LastLineWithoutLf", "a\nb", {"a", "b"}},
      {"CrLfAndLfMixed", "a\r\nb\nc\r\n", {"a", "b", "c"}},
      {"EmptyLinesCount", "\n\r\n\n", {"", "", ""}},
      {"LoneCrStays", "a\rb\n", {"a\rb"}},
      {"CrAtEndWithoutLfStays", "a\r", {"a\r"}},
      {"OnlyOneCrStripped", "a\r\r\n", {"a\r"}},
      {"LongLineCut", long600 + "\r\nnext\n", {std::string(511, 'x'), "next"}},
      {"CrJustPastTheLimit", std::string(511, 'y') + "\r\n", {std::string(511, 'y')}},
      {"CrAcrossBufferBoundary", boundary, {std::string(511, 'a'), "next"}},
      {"NulBytesKept", std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
  };
}

class LineReading : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineReading, FileAndMemoryAgree) {
  const LineCase& c = GetParam();
  EXPECT_EQ(ReadFromMemory(c.bytes), c.lines);
  EXPECT_EQ(ReadFromDisk(c.bytes), c.lines);
}

INSTANTIATE_TEST_SUITE_P(TextLineFile, LineReading, ::testing::ValuesIn(LineCases()),
                         [](const auto& param) { return param.param.name; });

TEST(TextLineFile, ReadAfterEndStaysFalse) {
  TextLineFile file;
  file.OpenMemory("only");
  std::string line;
  EXPECT_TRUE(file.ReadLine(line));
  EXPECT_FALSE(file.ReadLine(line));
  EXPECT_FALSE(file.ReadLine(line));
  EXPECT_EQ(line, "");
}

TEST(TextLineFile, MissingFileDoesNotOpen) {
  test::TempDir dir;
  TextLineFile file;
  EXPECT_FALSE(file.OpenForRead(dir / "missing.txt"));
  std::string line;
  EXPECT_FALSE(file.ReadLine(line));
  EXPECT_FALSE(file.WriteLine("x"));
}

TEST(TextLineFile, WritesCrLfAndRewriteEmpties) {
  test::TempDir dir;
  const auto path = dir.Write("out.txt", "old content\n");
  TextLineFile file;
  ASSERT_TRUE(file.OpenForRead(path));
  std::string line;
  ASSERT_TRUE(file.ReadLine(line));
  ASSERT_TRUE(file.Rewrite());
  EXPECT_TRUE(file.WriteLine("first"));
  EXPECT_TRUE(file.WriteLine(""));
  EXPECT_TRUE(file.Close());
  EXPECT_EQ(test::ReadBytes(path), "first\r\n\r\n");
}

TEST(TextLineFile, OpenForWriteEmptiesAnExistingFile) {
  test::TempDir dir;
  const auto path = dir.Write("out.txt", "old content\n");
  TextLineFile file;
  ASSERT_TRUE(file.OpenForWrite(path));
  file.Close();
  EXPECT_EQ(test::ReadBytes(path), "");
}

}  // namespace
}  // namespace vk7
