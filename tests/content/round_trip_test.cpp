#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "content/battle_file_writer.h"
#include "content/safe_save.h"
#include "support/battle_text.h"
#include "support/random_battle.h"

namespace vk7 {
namespace {

// A random battle is written in the editor's layout: CR LF after every line and nothing else,
// the last line not followed by an empty one, no line beyond 255 characters, "=" in column 17
// but for the dialog keywords. Read again, it is the same battle, remarks included, without a
// word from the reader, and it is written again byte for byte; the safe save takes it and
// saves exactly those bytes. The generator must reach the corners this is about.
TEST(RoundTrip, RandomBattlesReadBackEqual) {
  bool sixSystems = false, statistic = false, cleared = false, fullLine = false,
       planetAndCoords = false, voice = false;
  for (std::uint64_t seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    BattleConfig config = test::RandomBattle(seed);
    config.name = "Battle";
    const BattleFileWriter::Output written = BattleFileWriter::Render(config);
    const std::string& bytes = written.bytes;
    ASSERT_TRUE(written.cutLines.empty()) << "the generator made a line too long";
    EXPECT_NE(bytes.substr(bytes.size() - 4), "\r\n\r\n");
    for (std::size_t start = 0, line = 1; start < bytes.size(); ++line) {
      const std::size_t lf = bytes.find('\n', start);
      ASSERT_NE(lf, std::string::npos);
      ASSERT_EQ(bytes[lf - 1], '\r');
      const std::string text = bytes.substr(start, lf - 1 - start);
      EXPECT_EQ(text.find('\r'), std::string::npos);
      EXPECT_LE(text.size(), kMaxBattleLine);
      fullLine = fullLine || text.size() == kMaxBattleLine;
      if (line > 2 && !text.empty() && text.rfind("//", 0) != 0 &&
          text.substr(0, text.find(' ')).find("Dialog") == std::string::npos) {
        EXPECT_EQ(text.find('='), 16u) << text;
      }
      start = lf + 1;
    }

    const test_support::ReadOutcome back = test_support::ReadBattleText(bytes, false, "Battle");
    ASSERT_TRUE(back.ok) << back.Describe() << bytes;
    EXPECT_TRUE(back.messages.empty()) << back.Describe();
    EXPECT_EQ(BattleFileWriter::Render(back.config).bytes, bytes);
    EXPECT_TRUE(back.config == config) << bytes;

    RecordingReporter reporter;
    EXPECT_EQ(SafeSave::Prepare(config, "Random", reporter), std::optional<std::string>(bytes));
    EXPECT_TRUE(reporter.Entries().empty());
    if (::testing::Test::HasFailure()) return;  // one battle's report is enough

    sixSystems = sixSystems || config.systems.size() == kMaxSystems;
    for (const StarSystem& s : config.systems) {
      statistic = statistic || (s.battleModeDefined && s.battleMode == BattleMode::Stat);
      cleared = cleared || (s.friendWarpOutDefined && s.friendWarpOutAfter == kCleared);
      planetAndCoords = planetAndCoords || (s.playerPlanetDefined && s.enemyCoordsDefined);
      for (const auto& lines : s.dialogs) {
        for (const DialogLine& line : lines) voice = voice || !line.voice.empty();
      }
    }
  }
  EXPECT_TRUE(sixSystems && statistic && cleared && planetAndCoords && voice && fullLine);
}

}  // namespace
}  // namespace vk7
