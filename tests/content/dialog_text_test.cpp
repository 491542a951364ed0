#include "content/dialog_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/case_file.h"
#include "support/model_builders.h"

namespace vk7 {
namespace {

using Lines = std::vector<std::string>;
using test::Line;

class DialogLinesTest : public ::testing::TestWithParam<test_support::Case> {};

// Parsed lines, and a dialog list without repairs formats to text that parses back to it.
TEST_P(DialogLinesTest, ParseAsExpected) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
  std::string text;
  for (std::size_t i = c.context.size(); i < c.input.size(); ++i) {
    text += (text.empty() ? "" : "\n") + c.input[i];
  }
  Lines got;
  if (c.context.size() > 1 || (c.context.size() == 1 && c.context[0] != "title")) {
    test_support::Refuse(c, c.context[0], "no such kind of lines");
  }
  if (!c.context.empty()) {
    TitleNotes n;
    for (const std::string& line : SplitEditedLines(text)) {
      if (auto p = ParseTitleLine(line, n)) got.push_back(p->text + "|" + p->voice);
    }
    if (n.truncated) got.push_back("note: truncated");
    if (n.hashReplaced) got.push_back("note: hash");
    if (n.lineWithoutText) got.push_back("note: noText");
  } else {
    DialogNotes n;
    std::vector<DialogLine> list;
    RebuildDialogList(text, list, n);
    for (const DialogLine& d : list) got.push_back(d.speaker + "|" + d.text + "|" + d.voice);
    if (n.truncated) got.push_back("note: truncated");
    if (n.defaultSpeakerUsed) got.push_back("note: speaker");
    if (n.hashReplaced) got.push_back("note: hash");
    if (n.lineWithoutText) got.push_back("note: noText");
    std::vector<DialogLine> back;
    DialogNotes none;
    RebuildDialogList(FormatDialogLines(list), back, none);
    EXPECT_EQ(back, list);
    EXPECT_EQ(none, DialogNotes{});
  }
  EXPECT_EQ(got, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DialogLinesTest,
    ::testing::ValuesIn(test_support::LoadCases("content/cases/dialog_lines.txt")),
    test_support::CaseName());

TEST(DialogText, FormatsLinesWarningsAndRows) {
  EXPECT_EQ(DialogNoteWarnings({true, true, true, true}),
            (Lines{"At least one speaker or dialog line was longer than allowed. Object has been "
                   "truncated.",
                   "At least one dialog line had no speaker definition. Default speaker inserted.",
                   "At least one voice file, speaker or dialog line contained a # sign. This sign "
                   "has been replaced by a *.",
                   "At least one dialog line contained a speaker or voice file, but no text. Line "
                   "has been removed."}));
  EXPECT_EQ(FormatDialogLines({Line("Pilot", "Go"), Line("Tower", "Go: now", "t1.acm")}),
            "Pilot: Go\r\n[t1.acm] Tower: Go: now\r\n");
  // A text without a voice entry at its position is left out.
  EXPECT_EQ(FormatTitleLines({"One", "Two", "Three"}, {"", "v2"}), "One\r\n[v2] Two\r\n");
  EXPECT_EQ(SplitEditedLines(std::string(600, 'x') + "\r\ny\r\n"),
            (Lines{std::string(511, 'x'), "y"}));
  EXPECT_EQ(FormatShipEntry(ShipEntry{"HC1", "stale", true, false}), "HC1");
  EXPECT_EQ(FormatShipEntry(test::Ship("HC1", "Resolute")), "HC1 --> Resolute");
  StarSystem system = test::System("Keth");
  system.friends.resize(1);
  system.enemies.resize(2);
  system.neutrals.resize(3);
  system.hulks.resize(14);
  EXPECT_EQ(FormatStarSystem(system), "Keth\t (1 Friends, 2 Enemies, 3 Neutrals, 14 Hulks)");
}

}  // namespace
}  // namespace vk7
