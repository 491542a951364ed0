#include "widgets/file_trash.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>

#include "support/temp_dir.h"

namespace vk7 {
namespace {

// A move that the file system refuses (here: onto another device, which stops root too) is
// reported, and both files stay where they were: the old one, already in the trash, comes back.
TEST(FileTrash, AReplaceThatCannotMoveTheFileFailsAndKeepsBoth) {
  const std::filesystem::path elsewhere = "/dev/shm";
  if (!std::filesystem::is_directory(elsewhere)) GTEST_SKIP() << "no second file system here";
  test::TempDir dir;
  const QByteArray data = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString((dir / "data").string()));
  const std::filesystem::path source = elsewhere / ("vk7-" + dir.Path().filename().string());
  dir.Write(source, "new");  // an absolute name is taken as it is
  for (const bool old : {false, true}) {
    if (old) dir.Write("Sol.vk7", "old");
    EXPECT_FALSE(FileTrash::Replace(source, dir / "Sol.vk7"));
    EXPECT_EQ(test::ReadBytes(source), "new");
    EXPECT_EQ(std::filesystem::exists(dir / "Sol.vk7") ? test::ReadBytes(dir / "Sol.vk7") : "-",
              old ? "old" : "-");
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir / "data/Trash/files"));  // it went there first
  data.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", data);
  std::filesystem::remove(source);
}

}  // namespace
}  // namespace vk7
