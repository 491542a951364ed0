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

  // Every message as "title: text", one a line, for failure output.
  std::string Describe() const {
    std::string text;
    for (const auto& entry : messages) text += entry.title + ": " + entry.text + "\n";
    return text;
  }
};

// The ways the program reads a battle, each keeping the ship names it checks for clashes
// elsewhere: from memory (read-backs of saves; names in the source), from a file opened for
// saving again (the editor; in the model), and from a read-only file whose systems lose their
// ships and dialog lines as each section ends (the tool's check; in blocks of its own).
enum class ReadWay { Memory, EditorFile, CheckBlocks };

// Reads `text` as the battle `name`, the way `way` does.
ReadOutcome ReadBattleText(const std::string& text, bool skipRemarks = true,
                           const std::string& name = "test", ReadWay way = ReadWay::Memory);

// Reads `text` every way and requires of each what the memory read gives: the same result,
// the same messages with their lines and, after a success, the same battle (but for the lists
// the check drops). Gives the memory read.
ReadOutcome ReadEveryWay(const std::string& text, bool skipRemarks = true,
                         const std::string& name = "test");

// Header plus `lines`, read with remarks skipped.
inline ReadOutcome ReadBattleLines(const std::vector<std::string>& lines) {
  return ReadBattleText(BattleText(lines));
}

// What a read shows, as case files write it: with `remarks` the remarks kept ("//" and the
// remark), after a success the values read, then each message: an error titled for the battle
// by its text, its line given apart too; the warning for files the editor did not write by its
// title. Any other message shows as "title: text".
std::vector<std::string> Shown(const ReadOutcome& read, bool remarks = false);

// The value lines `config` is written back with, the layout's padding before "=" left out:
// everything a battle holds, in one readable form.
std::vector<std::string> WrittenValues(const BattleConfig& config);

}  // namespace vk7::test_support
