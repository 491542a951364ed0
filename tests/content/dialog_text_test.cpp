#include "content/dialog_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace vk7 {
namespace {

DialogLine Line(std::string speaker, std::string text, std::string voice = "") {
  return DialogLine{std::move(speaker), std::move(text), std::move(voice), true, true, true};
}

DialogNotes Notes(bool truncated, bool defaultSpeaker, bool hash, bool noText) {
  return DialogNotes{truncated, defaultSpeaker, hash, noText};
}

struct DialogCase {
  std::string line;
  std::optional<DialogLine> expected;
  DialogNotes notes;
};

TEST(DialogText, ParseDialogLine) {
  const std::string s40(40, 's');
  const std::string t200(200, 't');
  const DialogNotes none;
  const DialogCase cases[] = {
      {"Pilot: Engage now", Line("Pilot", "Engage now"), none},
      {" \t[ p01.acm ]  Pilot :\tEngage now \t", Line("Pilot", "Engage now", "p01.acm"), none},
      {"Pilot: Time: now", Line("Pilot", "Time: now"), none},
      {"Engage now", Line("Speaker", "Engage now"), Notes(false, true, false, false)},
      {": Engage now", Line("Speaker", "Engage now"), Notes(false, true, false, false)},
      {"[p01.acm Pilot: Engage now", Line("[p01.acm Pilot", "Engage now"), none},
      {"[] Pilot: Go", Line("Pilot", "Go"), none},
      {"Pilot: [x] go", Line("Pilot", "[x] go"), none},
      {"[p01.acm]", std::nullopt, Notes(false, false, false, true)},
      {"Pilot:", std::nullopt, Notes(false, false, false, true)},
      {":", std::nullopt, Notes(false, false, false, true)},
      {"[p#.acm] Pi#lot:", std::nullopt, Notes(false, false, false, true)},  // dropped before "#"
      {"", std::nullopt, none},
      {" \t \t", std::nullopt, none},
      {s40 + ": " + t200, Line(s40, t200), none},
      {s40 + "x: " + t200, Line(s40, t200), Notes(true, false, false, false)},
      {s40 + ": " + t200 + "y", Line(s40, t200), Notes(true, false, false, false)},
      {"[a#b] P: x", Line("P", "x", "a*b"), Notes(false, false, true, false)},
      {"P#: x", Line("P*", "x"), Notes(false, false, true, false)},
      {"P: x#", Line("P", "x*"), Notes(false, false, true, false)},
      // "#" cut away by the limit is not reported as replaced.
      {"P: " + t200 + "#", Line("P", t200), Notes(true, false, false, false)},
      {"# alone", Line("Speaker", "* alone"), Notes(false, true, true, false)},
  };
  for (const DialogCase& c : cases) {
    DialogNotes notes;
    EXPECT_EQ(ParseDialogLine(c.line, notes), c.expected) << c.line;
    EXPECT_EQ(notes, c.notes) << c.line;
  }
}

struct TitleCase {
  std::string line;
  std::optional<TitleLineParts> expected;
  TitleNotes notes;
};

TEST(DialogText, ParseTitleLine) {
  const std::string t200(200, 't');
  const TitleNotes none;
  const TitleNotes cut{true, false, false};
  const TitleNotes noText{false, true, false};
  const TitleNotes hash{false, false, true};
  const TitleCase cases[] = {
      {"[t01.acm] Part one", TitleLineParts{"Part one", "t01.acm"}, none},
      {" \tAct one: Ambush\t ", TitleLineParts{"Act one: Ambush", ""}, none},
      {"[t01.acm Part one", TitleLineParts{"[t01.acm Part one", ""}, none},
      {"[t01.acm]", std::nullopt, noText},
      {"[t01.acm]  \t", std::nullopt, noText},
      {" \t", std::nullopt, none},
      {"", std::nullopt, none},
      {t200, TitleLineParts{t200, ""}, none},
      {"[v] " + t200 + "xyz", TitleLineParts{t200, "v"}, cut},
      {"[v#1] A # b", TitleLineParts{"A * b", "v*1"}, hash},
      {"[v#1] A b", TitleLineParts{"A b", "v*1"}, hash},
  };
  for (const TitleCase& c : cases) {
    TitleNotes notes;
    EXPECT_EQ(ParseTitleLine(c.line, notes), c.expected) << c.line;
    EXPECT_EQ(notes, c.notes) << c.line;
  }
}

TEST(DialogText, FormatDialogAndTitleLines) {
  EXPECT_EQ(FormatDialogLines({}), "");
  EXPECT_EQ(FormatDialogLines({Line("Pilot", "Engage now"), Line("Tower", "Go: now", "t1.acm")}),
            "Pilot: Engage now\r\n[t1.acm] Tower: Go: now\r\n");
  EXPECT_EQ(FormatTitleLines({}, {}), "");
  EXPECT_EQ(FormatTitleLines({"Part one", "Part two"}, {"t01.acm", ""}),
            "[t01.acm] Part one\r\nPart two\r\n");
  // A text without a voice entry at its position is left out.
  EXPECT_EQ(FormatTitleLines({"One", "Two", "Three"}, {"", "v2"}), "One\r\n[v2] Two\r\n");
}

std::vector<DialogLine> ParseAll(const std::string& text, DialogNotes& notes) {
  std::vector<DialogLine> lines;
  for (const std::string& line : SplitEditedLines(text)) {
    if (auto parsed = ParseDialogLine(line, notes)) lines.push_back(*parsed);
  }
  return lines;
}

TEST(DialogText, FormattedLinesParseBackToTheSameList) {
  const std::vector<DialogLine> lists[] = {
      {},
      {Line("Pilot", "Engage now")},
      {Line("Long Count", "Time: now [and] then", "ds 01.acm"), Line("A", "b"),
       Line(std::string(40, 'S'), std::string(200, 'T'), "v[1.acm"),
       Line("Tower", "[no voice] here")},
  };
  for (const auto& list : lists) {
    DialogNotes notes;
    EXPECT_EQ(ParseAll(FormatDialogLines(list), notes), list);
    EXPECT_EQ(notes, DialogNotes{});
  }
}

TEST(DialogText, SplitEditedLines) {
  EXPECT_TRUE(SplitEditedLines("").empty());
  const std::vector<std::string> mixed = SplitEditedLines("a\r\nb\n\r\nc\rd\ne");
  EXPECT_EQ(mixed, (std::vector<std::string>{"a", "b", "", "c\rd", "e"}));
  const std::vector<std::string> cut = SplitEditedLines(std::string(600, 'x') + "\r\ny\r\n");
  ASSERT_GE(cut.size(), 2u);
  EXPECT_EQ(cut[0], std::string(511, 'x'));
  EXPECT_EQ(cut[1], "y");

  DialogNotes notes;
  EXPECT_TRUE(ParseAll("\r\n \t\r\n\n", notes).empty());
  EXPECT_EQ(notes, DialogNotes{});
  // Notes gather over all lines; a later clean line clears none.
  EXPECT_EQ(ParseAll("Engage\nP:\r\nP: a\nQ: b", notes),
            (std::vector<DialogLine>{Line("Speaker", "Engage"), Line("P", "a"), Line("Q", "b")}));
  EXPECT_EQ(notes, Notes(false, true, false, true));
}

TEST(DialogText, WarningsFollowTheNotesInOrder) {
  const std::string truncated =
      "At least one speaker or dialog line was longer than allowed. Object has been truncated.";
  const std::string speaker =
      "At least one dialog line had no speaker definition. Default speaker inserted.";
  const std::string hash =
      "At least one voice file, speaker or dialog line contained a # sign. This sign has been "
      "replaced by a *.";
  const std::string noText =
      "At least one dialog line contained a speaker or voice file, but no text. Line has been "
      "removed.";
  EXPECT_TRUE(DialogNoteWarnings({}).empty());
  EXPECT_EQ(DialogNoteWarnings(Notes(true, true, true, true)),
            (std::vector<std::string>{truncated, speaker, hash, noText}));
  EXPECT_EQ(DialogNoteWarnings(Notes(false, true, false, true)),
            (std::vector<std::string>{speaker, noText}));
  EXPECT_EQ(DialogNoteWarnings(Notes(false, false, true, false)), std::vector<std::string>{hash});
}

TEST(DialogText, RowTexts) {
  EXPECT_EQ(FormatShipEntry(ShipEntry{"HC1", "", true, false}), "HC1");
  EXPECT_EQ(FormatShipEntry(ShipEntry{"HC1", "stale", true, false}), "HC1");
  EXPECT_EQ(FormatShipEntry(ShipEntry{"HC1", "Resolute", true, true}), "HC1 --> Resolute");

  StarSystem system;
  system.name = "Keth";
  system.friends.resize(2);
  EXPECT_EQ(FormatStarSystem(system), "Keth\t (2 Friends, 0 Enemies, 0 Neutrals, 0 Hulks)");
  system.friends.resize(1);
  system.enemies.resize(2);
  system.neutrals.resize(3);
  system.hulks.resize(14);
  system.friends[0] = ShipEntry{"HC1", "Named", true, true};
  EXPECT_EQ(FormatStarSystem(system), "Keth\t (1 Friends, 2 Enemies, 3 Neutrals, 14 Hulks)");
}

}  // namespace
}  // namespace vk7
