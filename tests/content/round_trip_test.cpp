#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "content/battle_file_writer.h"
#include "content/quick_read_back.h"
#include "content/safe_save.h"
#include "support/battle_text.h"
#include "support/case_file.h"
#include "support/temp_dir.h"

namespace vk7 {
namespace {

// Every battle the reader cases, the demo game and the golden files read to without a message
// is written in the editor's layout: CR LF after every line and nothing else, the last line not
// followed by an empty one, no line beyond 255 characters, "=" in column 17 but for the dialog
// keywords. Read again (remarks included) it is the same battle, written again byte for byte;
// the safe save takes it and saves exactly those bytes.
TEST(RoundTrip, EveryBattleThatReadsReadsBackEqual) {
  QuickReadBack::CompareWithFullCheck(true);
  std::vector<std::string> texts;
  for (const char* file : {"battle/cases/reader_values.txt", "battle/cases/section_rules.txt"}) {
    for (const test_support::Case& c : test_support::LoadCases(file)) {
      std::vector<std::string> lines = c.input;
      lines.insert(lines.begin(), "// Created by Velkor Editor");
      texts.push_back(test_support::BattleText(lines));
    }
  }
  for (const char* folder :
       {VK7_EXAMPLES_DIR "/game/scripts", VK7_TEST_DATA_DIR "/content/golden"}) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
      if (entry.path().extension() == ".vk7") texts.push_back(test::ReadBytes(entry.path()));
    }
  }
  std::size_t battles = 0;
  for (const std::string& text : texts) {
    const test_support::ReadOutcome read = test_support::ReadBattleText(text, false, "Battle");
    if (!read.ok || !read.messages.empty()) continue;  // a warning too
    ++battles;
    const std::string bytes = BattleFileWriter::Render(read.config).bytes;
    SCOPED_TRACE(bytes);
    EXPECT_NE(bytes.substr(bytes.size() - 4), "\r\n\r\n");
    for (std::size_t start = 0, line = 1; start < bytes.size(); ++line) {
      const std::size_t lf = bytes.find('\n', start);
      ASSERT_NE(lf, std::string::npos);
      ASSERT_EQ(bytes[lf - 1], '\r');
      const std::string row = bytes.substr(start, lf - 1 - start);
      EXPECT_EQ(row.find('\r'), std::string::npos);
      EXPECT_LE(row.size(), kMaxBattleLine);
      if (line > 2 && !row.empty() && row.rfind("//", 0) != 0 &&
          row.substr(0, row.find(' ')).find("Dialog") == std::string::npos) {
        EXPECT_EQ(row.find('='), 16u) << row;
      }
      start = lf + 1;
    }
    const test_support::ReadOutcome back = test_support::ReadBattleText(bytes, false, "Battle");
    ASSERT_TRUE(back.ok) << back.Describe();
    EXPECT_TRUE(back.messages.empty()) << back.Describe();
    EXPECT_TRUE(back.config == read.config);
    RecordingReporter reporter;
    EXPECT_EQ(SafeSave::Prepare(read.config, "Battle", reporter),
              std::optional<std::string>(bytes));
    EXPECT_TRUE(reporter.Entries().empty());
    if (::testing::Test::HasFailure()) return;  // one battle's report is enough
  }
  EXPECT_GE(battles, 40u);
}

}  // namespace
}  // namespace vk7
