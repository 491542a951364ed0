#include "battle/battle_file_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <span>
#include <sstream>

#include "battle/battle_syntax.h"
#include "battle/battle_words.h"
#include "battle/recording_reporter.h"
#include "support/battle_text.h"
#include "support/case_file.h"
#include "support/model_builders.h"
#include "support/temp_dir.h"

namespace vk7 {
namespace {

using test_support::BattleText;
using Lines = std::vector<std::string>;
using test_support::ReadBattleText;

// The reference of the format for modders, and what `item` finds in it: its entries are list
// items that begin with a keyword or a message in backticks ("- `Title =`", "- `Invalid line N`").
const std::string kReference =
    (std::ostringstream() << std::ifstream(VK7_DOCS_DIR "/file-format.md").rdbuf()).str();
std::vector<std::string> Entries(const std::regex& item) {
  return {std::sregex_token_iterator(kReference.begin(), kReference.end(), item, 1), {}};
}

// Whether an entry of the reference reads as `message`, N standing for a number, NAME for a name.
bool InReference(const std::string& message) {
  static const std::regex entries = [] {
    std::string any = "(?:";
    for (const std::string& entry : Entries(std::regex("\n- `([^`]+)`"))) {
      any += std::regex_replace(entry, std::regex(R"([.^$|()[\]{}*+?\\])"), R"(\$&)") + "|";
    }
    any.back() = ')';
    any = std::regex_replace(any, std::regex(R"(\bN\b)"), "[0-9]+");
    return std::regex(std::regex_replace(any, std::regex(R"(\bNAME\b)"), ".+"));
  }();
  return std::regex_match(message, entries);
}

// The cases of the reader and of the rules across lines: those of reader_headers.txt give
// whole files, the others the lines after the header; those of remarks.txt are read with their
// remarks collected.
std::vector<test_support::Case> AllReaderCases() {
  return test_support::LoadCaseFiles("battle/cases", {"reader_headers", "reader_errors",
                                                      "reader_values", "section_rules", "remarks"});
}

// What a read shows (see test_support::Shown) but for the values its case's context reads to
// alone: a case names only what its own lines add. A context value the read lost shows too.
Lines Beyond(const test_support::ReadOutcome& read, const test_support::Case& c, bool remarks) {
  Lines shown = test_support::Shown(read, remarks);
  if (!read.ok || c.context.empty()) return shown;
  const auto context = ReadBattleText(BattleText(c.context));
  if (!context.ok) return shown;
  for (const std::string& value : test_support::WrittenValues(context.config)) {
    const auto at = std::ranges::find(shown, value);
    if (at == shown.end()) {
      shown.insert(shown.begin(), "lost: " + value);
    } else {
      shown.erase(at);
    }
  }
  return shown;
}

// Every case is read each way the program reads a battle, alike; the read fails with at most
// one error, or reads to its values.
class ReaderCaseTest : public ::testing::TestWithParam<test_support::Case> {};

TEST_P(ReaderCaseTest, ReadsAsExpectedEveryWay) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
  const bool remarks = c.where.starts_with("battle/cases/remarks.txt");
  std::string text;
  for (const std::string& line : c.input) text += line + "\n";
  if (!c.where.starts_with("battle/cases/reader_headers.txt")) text = BattleText(c.input);
  const auto read = test_support::ReadEveryWay(text, !remarks);
  EXPECT_EQ(Beyond(read, c, remarks), c.expected);
  for (const auto& e : read.messages) {  // every message a file can get is told to modders
    EXPECT_TRUE(InReference(e.title) && InReference(e.text)) << "not in the reference: " << e.text;
  }
  if (remarks) {  // skipped, the same but for the remarks and the warning
    Lines expected = c.expected;
    std::erase_if(expected,
                  [](const std::string& l) { return l.starts_with("//") || l == "Warning"; });
    EXPECT_EQ(Beyond(ReadBattleText(text, true), c, false), expected);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReaderCaseTest, ::testing::ValuesIn(AllReaderCases()),
                         test_support::CaseName());

// A battle of over a megabyte sizes each list once, at its final size (as the editor reads it;
// the check keeps one system's lists at a time), and checks names in blocks of their own: the
// first repeated name is still the one shown, here one of the third system in the fifth.
TEST(BattleFileReader, LargeBattleSizesItsListsAheadAndReportsTheFirstRepeatedName) {
  std::vector<std::string> lines = {"System = Sol", "Player = Cruiser = Flagship"};
  const char* roles[] = {"Friend", "Enemy", "Neutral", "Hulk"};
  for (int i = 0; i < 42000; ++i) {
    if (i > 0 && i % 7000 == 0) lines.push_back("System = S" + std::to_string(i / 7000));
    lines.push_back(std::string(roles[i % 4]) + " = Scout = Ship " + std::to_string(i));
  }
  using test_support::ReadWay;
  ASSERT_EQ(test_support::ReadEveryWay(BattleText(lines)).config.systems.size(), 6u);
  for (const ReadWay way : {ReadWay::EditorFile, ReadWay::CheckBlocks}) {
    for (const StarSystem& s : ReadBattleText(BattleText(lines), true, "t", way).config.systems) {
      for (const ShipRole role : kResidentRoles) {
        EXPECT_EQ(s.Ships(role).capacity(), way == ReadWay::CheckBlocks ? 0 : s.Ships(role).size());
      }
    }
  }
  lines.insert(lines.begin() + 40000, "Enemy = Scout = Flagship");
  lines.insert(lines.begin() + 34000, "Hulk = Scout = Ship 19000");
  EXPECT_EQ(test_support::Shown(test_support::ReadEveryWay(BattleText(lines))),
            Lines{"Redefinition of ship name Ship 19000 in line 34003"});
}

// The flags that only the editor's pages read are raised as the pages raise them.
TEST(BattleFileReader, RaisesTheFlagsOnlyThePagesRead) {
  const auto read = ReadBattleText(BattleText(
      {"Player = A", "System = Sol", "NeutralBehavior = EnemyAfter 5", "StartingDialog = C: Hi"}));
  const StarSystem& sol = read.config.systems.at(0);
  const DialogLine& line = sol.Dialogs(DialogEvent::StartingDialog).at(0);
  EXPECT_TRUE(sol.neutralBehaviorTimeDefined && line.hasSpeaker && line.hasText && line.hasVoice);
}

// The reader opens files so that they can be saved again: a missing or read-only file is
// refused, but a file that is only read and copied (an import) may be write-protected.
TEST(BattleFileReader, FilesThatCannotBeOpened) {
  test::TempDir dir;
  const auto shown = [&](BattleFileReader::Access access) {
    BattleConfig config;
    RecordingReporter reporter;
    const bool ok =
        BattleFileReader(config, reporter).Read("locked", dir / "locked.vk7", true, access);
    return ok ? Lines{"ok"}
              : Lines{reporter.Entries().at(0).title + ": " + reporter.Entries().at(0).text};
  };
  EXPECT_EQ(shown(BattleFileReader::Access::ReadOnly),
            Lines{"Error in battle file locked.vk7: Cannot open file!"});
  const auto path = dir.Write("locked.vk7", BattleText({"System = Sol", "Player = Cruiser"}));
  std::filesystem::permissions(path, std::filesystem::perms(0444));
  EXPECT_EQ(shown(BattleFileReader::Access::ReadOnly), Lines{"ok"});
  if (std::ofstream(path, std::ios::app).is_open()) {
    GTEST_SKIP() << "read-only files are writable for this user (root)";
  }
  EXPECT_EQ(shown(BattleFileReader::Access::ReadWrite),
            Lines{"Error in battle file locked.vk7: Cannot open file!"});
}

#ifdef __linux__
// A file is closed before the errors found at its end are shown (so it can be mended
// meanwhile), and after a read.
TEST(BattleFileReader, ClosesTheFileBeforeShowingAnError) {
  struct Reporter : RecordingReporter {
    void OnError(const std::string& t, const std::string& text,
                 std::optional<std::uint32_t> line) override {
      RecordingReporter::OnError(t, text + (OpenFiles() > 0 ? " (still open)" : ""), line);
    }
    static int OpenFiles() {
      int open = 0;
      for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        open += std::filesystem::read_symlink(fd, ec).string().ends_with("Sol.vk7");
      }
      return open;
    }
  } reporter;
  test::TempDir dir;
  for (const Lines& lines :
       {Lines{"System = Sol"}, Lines{"Player = A = X", "System = Sol", "Friend = B = X"}}) {
    BattleConfig config;
    BattleFileReader(config, reporter).Read("Sol", dir.Write("Sol.vk7", BattleText(lines)), true);
    EXPECT_EQ(reporter.OpenFiles(), 0);
  }
  EXPECT_EQ(test::Log(reporter),
            Lines({"error|Error in battle file Sol.vk7|No player ship defined",
                   "error|Error in battle file Sol.vk7|Redefinition of ship name X in line 5"}));
}
#endif

// Each keyword of the vocabulary has its entry in the reference, and nothing else has one
// that reads as a keyword; each word of a value is named there too.
TEST(BattleWords, TheReferenceListsEveryWord) {
  const std::vector<std::string> keywords = Entries(std::regex("\n- `(\\w+) =`"));
  std::set<std::string> listed(keywords.begin(), keywords.end());
  for (const std::string_view word : kKeywordWords)
    EXPECT_TRUE(listed.erase(std::string(word))) << word;
  EXPECT_EQ(listed, std::set<std::string>{});  // entries that are no keyword
  const std::array more = {kBattleFileHeader, kClearedWord, kPlanetWord};
  for (const auto words : std::to_array<std::span<const std::string_view>>(
           {more, kFormatVersions, kWarpOutWords, kCollisionWords, kShipChangeWords,
            kPerfectCloakWords, kBattleModeWords, kNeutralBehaviorWords, kActionWords})) {
    for (const std::string_view word : words)
      EXPECT_NE(kReference.find("`" + std::string(word) + "`"), std::string::npos) << word;
  }
}

// What was recorded reaches another reporter as it came, with and without lines, in order.
TEST(RecordingReporter, ReplaysEveryKindInOrder) {
  RecordingReporter recorded, again;
  recorded.Message("Warning", "first");
  recorded.ErrorAtLine("Error", "second in line 7", 7);
  recorded.Error("Error", "third");
  recorded.ReplayTo(again);
  EXPECT_EQ(again.Entries(), recorded.Entries());
}

}  // namespace
}  // namespace vk7
