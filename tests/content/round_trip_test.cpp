#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "battle/battle_file_reader.h"
#include "battle/recording_reporter.h"
#include "battle/text_line_file.h"
#include "content/battle_file_writer.h"
#include "content/safe_save.h"
#include "support/random_battle.h"

namespace vk7 {
namespace {

constexpr std::uint64_t kBattles = 300;

struct ReadBack {
  bool ok = false;
  BattleConfig config;
  RecordingReporter reporter;
};

void ReadFromBytes(const std::string& bytes, const std::string& name, ReadBack& out) {
  TextLineFile source;
  source.OpenMemory(bytes);
  BattleFileReader reader(out.config, out.reporter);
  out.ok = reader.ReadFrom(name, source, false);
}

std::string FirstMessage(const RecordingReporter& reporter) {
  return reporter.Entries().empty() ? "" : reporter.Entries().front().text;
}

// A battle written and read again is the same battle, remarks included, without a word from
// the reader; and what was read is written again byte for byte.
TEST(RoundTrip, RandomBattlesReadBackEqual) {
  for (std::uint64_t seed = 1; seed <= kBattles; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    BattleConfig config = test::RandomBattle(seed);
    config.name = "Battle" + std::to_string(seed);
    const BattleFileWriter::Output written = BattleFileWriter::Render(config);
    ASSERT_TRUE(written.cutLines.empty()) << "the generator made a line too long";

    ReadBack back;
    ReadFromBytes(written.bytes, config.name, back);
    ASSERT_TRUE(back.ok) << FirstMessage(back.reporter) << "\n" << written.bytes;
    EXPECT_TRUE(back.reporter.Entries().empty()) << FirstMessage(back.reporter);

    const std::string again = BattleFileWriter::Render(back.config).bytes;
    EXPECT_EQ(again, written.bytes);
    EXPECT_TRUE(back.config == config) << "written:\n"
                                       << written.bytes << "\nread back:\n"
                                       << again;
    if (::testing::Test::HasFailure()) return;  // one battle's report is enough
  }
}

// The safe save takes every battle that reads back, and saves exactly what the writer writes.
TEST(RoundTrip, SafeSaveAcceptsEveryBattleThatReadsBack) {
  for (std::uint64_t seed = 1; seed <= kBattles; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const BattleConfig config = test::RandomBattle(seed);
    RecordingReporter reporter;
    const std::optional<std::string> bytes = SafeSave::Prepare(config, "Random", reporter);
    ASSERT_TRUE(bytes.has_value()) << FirstMessage(reporter);
    EXPECT_TRUE(reporter.Entries().empty());
    EXPECT_EQ(*bytes, BattleFileWriter::Render(config).bytes);
  }
}

// The generator itself must not go stale: it reaches the corners the property is about.
TEST(RoundTrip, RandomBattlesCoverTheLimits) {
  bool sixSystems = false, statistic = false, cleared = false, fullLine = false,
       planetAndCoords = false, voice = false;
  for (std::uint64_t seed = 1; seed <= kBattles; ++seed) {
    const BattleConfig config = test::RandomBattle(seed);
    sixSystems = sixSystems || config.systems.size() == kMaxSystems;
    for (const StarSystem& s : config.systems) {
      statistic = statistic || (s.battleModeDefined && s.battleMode == BattleMode::Stat);
      cleared = cleared || (s.friendWarpOutDefined && s.friendWarpOutAfter == kCleared);
      planetAndCoords = planetAndCoords || (s.playerPlanetDefined && s.enemyCoordsDefined);
      for (const auto& lines : s.dialogs) {
        for (const DialogLine& line : lines) voice = voice || !line.voice.empty();
      }
    }
    const std::string bytes = BattleFileWriter::Render(config).bytes;
    for (std::size_t start = 0, lf; (lf = bytes.find("\r\n", start)) != std::string::npos;
         start = lf + 2) {
      fullLine = fullLine || lf - start == kMaxBattleLine;
    }
  }
  EXPECT_TRUE(sixSystems);
  EXPECT_TRUE(statistic);
  EXPECT_TRUE(cleared);
  EXPECT_TRUE(planetAndCoords);
  EXPECT_TRUE(voice);
  EXPECT_TRUE(fullLine);
}

}  // namespace
}  // namespace vk7
