#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "battle/battle_config.h"
#include "battle/recording_reporter.h"
#include "support/case_file.h"

// Helpers that let a test state a battle file as a few lines and read it from memory.
namespace vk7::test_support {

// A battle file: the header, then `lines`, each ended by `lineEnd`. The first of `lines` is
// line 3 of the file.
std::string BattleText(const std::vector<std::string>& lines, const std::string& lineEnd = "\n");

// What one read produced: its result, the configuration and every message shown.
struct ReadOutcome {
  bool ok = false;
  BattleConfig config;
  std::vector<RecordingReporter::Entry> messages;

  std::vector<RecordingReporter::Entry> Warnings() const;
  // Every message as "title: text", one a line, for failure output.
  std::string Describe() const;
};

// Reads `text` as the battle `name` from memory.
ReadOutcome ReadBattleText(const std::string& text, bool skipRemarks = true,
                           const std::string& name = "test");

// Header plus `lines`, read with remarks skipped.
ReadOutcome ReadBattleLines(const std::vector<std::string>& lines);

// Line number 0 stands for a message shown without a line number.
inline constexpr std::uint32_t kNoLine = 0;

// Success when the read failed and showed exactly one error, titled for the battle `name`,
// whose text is `message` followed by `line` (or `message` alone for kNoLine).
::testing::AssertionResult FailedWith(const ReadOutcome& outcome, const std::string& message,
                                      std::uint32_t line, const std::string& name = "test");

// The value lines `config` is written back with, the layout's padding before "=" left out:
// everything a battle holds, in one readable form.
std::vector<std::string> WrittenValues(const BattleConfig& config);

// Reads the case's lines as a battle (header first, remarks skipped). The read either fails
// with one error, the case's only expected line ("... line N" gives the line), or shows no
// message and stores what the expected lines give as WrittenValues.
void ExpectReadAsCase(const Case& c);

}  // namespace vk7::test_support
