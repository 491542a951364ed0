#include "battle/text_line_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace vk7 {
namespace {

using Lines = std::vector<std::string>;

Lines ReadAll(TextLineFile& file) {
  Lines lines;
  std::string line;
  while (file.ReadLine(line)) lines.push_back(line);
  EXPECT_FALSE(file.ReadLine(line));  // after the end, it stays there
  EXPECT_EQ(line, "");
  return lines;
}

// The same lines from a file and from memory.
TEST(TextLineFile, LinesEndAtLfAndLoseOneCr) {
  const std::pair<std::string, Lines> cases[] = {
      {"", {}},
      {"a\nb", {"a", "b"}},
      {"a\r\nb\nc\r\n", {"a", "b", "c"}},
      {"\n\r\n\n", {"", "", ""}},
      {"a\rb\n", {"a\rb"}},
      {"a\r", {"a\r"}},
      {"a\r\r\n", {"a\r"}},
      {std::string(600, 'x') + "\r\nnext\n", {std::string(511, 'x'), "next"}},
      {std::string(511, 'y') + "\r\n", {std::string(511, 'y')}},
      // A CR LF pair split between two reads of the file buffer.
      {std::string(65535, 'a') + "\r\nnext", {std::string(511, 'a'), "next"}},
      {std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
  };
  test::TempDir dir;
  for (const auto& [bytes, lines] : cases) {
    TextLineFile memory;
    memory.OpenMemory(bytes);
    EXPECT_EQ(ReadAll(memory), lines) << bytes.substr(0, 20);
    TextLineFile file;
    EXPECT_TRUE(file.OpenForRead(dir.Write("f.txt", bytes)));
    EXPECT_EQ(ReadAll(file), lines) << bytes.substr(0, 20);
  }
}

TEST(TextLineFile, WritesCrLfOnlyToOpenedFilesAndEmptiesThemFirst) {
  test::TempDir dir;
  TextLineFile missing;
  EXPECT_FALSE(missing.OpenForRead(dir / "missing.txt"));
  std::string line;
  EXPECT_FALSE(missing.ReadLine(line));
  EXPECT_FALSE(missing.WriteLine("x"));

  const auto path = dir.Write("out.txt", "old content\n");
  TextLineFile file;
  ASSERT_TRUE(file.OpenForRead(path));
  ASSERT_TRUE(file.ReadLine(line));
  ASSERT_TRUE(file.Rewrite());
  EXPECT_TRUE(file.WriteLine("first"));
  EXPECT_TRUE(file.WriteLine(""));
  EXPECT_TRUE(file.Close());
  EXPECT_EQ(test::ReadBytes(path), "first\r\n\r\n");
  ASSERT_TRUE(file.OpenForWrite(path));
  file.Close();
  EXPECT_EQ(test::ReadBytes(path), "");
}

}  // namespace
}  // namespace vk7
