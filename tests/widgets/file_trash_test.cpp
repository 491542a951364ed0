#include "widgets/file_trash.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vk7 {
namespace {

// A move that the file system refuses (here: onto another device) is reported, and the file
// stays where it was.
TEST(FileTrash, AReplaceThatCannotMoveTheFileFailsAndKeepsIt) {
  const std::filesystem::path elsewhere = "/dev/shm";
  if (!std::filesystem::is_directory(elsewhere)) GTEST_SKIP() << "no second file system here";
  test::TempDir dir;
  const std::filesystem::path source = elsewhere / ("vk7-" + dir.Path().filename().string());
  dir.Write(source, "new");  // an absolute name is taken as it is
  EXPECT_FALSE(FileTrash::Replace(source, dir / "Sol.vk7"));
  EXPECT_EQ(test::ReadBytes(source), "new");
  EXPECT_FALSE(std::filesystem::exists(dir / "Sol.vk7"));
  std::filesystem::remove(source);
}

}  // namespace
}  // namespace vk7
