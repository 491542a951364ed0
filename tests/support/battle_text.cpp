#include "support/battle_text.h"

#include <algorithm>

#include "battle/battle_file_reader.h"
#include "battle/text_line_file.h"
#include "content/battle_file_writer.h"
#include "support/temp_dir.h"

namespace vk7::test_support {

std::string BattleText(const std::vector<std::string>& lines, const std::string& lineEnd) {
  std::string text = "VK7 Battle" + lineEnd + "File Format Version 1.2" + lineEnd;
  for (const std::string& line : lines) text += line + lineEnd;
  return text;
}

std::vector<RecordingReporter::Entry> ReadOutcome::Warnings() const {
  std::vector<RecordingReporter::Entry> warnings;
  for (const auto& entry : messages) {
    if (!entry.error) warnings.push_back(entry);
  }
  return warnings;
}

std::string ReadOutcome::Describe() const {
  std::string text;
  for (const auto& entry : messages) text += entry.title + ": " + entry.text + "\n";
  return text;
}

namespace {

// What the check of the command-line tool keeps of a system once its section has been read.
void DropLists(StarSystem& system) {
  for (ShipRole role : {ShipRole::Friend, ShipRole::Enemy, ShipRole::Neutral, ShipRole::Hulk}) {
    system.Ships(role).clear();
  }
  for (auto& lines : system.dialogs) lines.clear();
}

}  // namespace

ReadOutcome ReadBattleText(const std::string& text, bool skipRemarks, const std::string& name,
                           ReadWay way) {
  ReadOutcome outcome;
  RecordingReporter reporter;
  BattleFileReader reader(outcome.config, reporter);
  if (way == ReadWay::Memory) {
    TextLineFile source;
    source.OpenMemory(text);
    outcome.ok = reader.ReadFrom(name, source, skipRemarks);
  } else {
    const test::TempDir dir;
    const auto file = dir.Write(name + ".vk7", text);
    if (way == ReadWay::CheckBlocks) {
      reader.OnSectionEnd([](StarSystem& system, std::size_t) { DropLists(system); });
    }
    outcome.ok = reader.Read(name, file, skipRemarks,
                             way == ReadWay::EditorFile ? BattleFileReader::Access::ReadWrite
                                                        : BattleFileReader::Access::ReadOnly);
  }
  outcome.messages = reporter.Entries();
  return outcome;
}

ReadOutcome ReadEveryWay(const std::string& text, bool skipRemarks, const std::string& name) {
  ReadOutcome memory = ReadBattleText(text, skipRemarks, name, ReadWay::Memory);
  const struct {
    const char* name;
    ReadWay way;
  } others[] = {{"editor's file", ReadWay::EditorFile}, {"check's blocks", ReadWay::CheckBlocks}};
  for (const auto& other : others) {
    const ReadOutcome read = ReadBattleText(text, skipRemarks, name, other.way);
    EXPECT_EQ(read.ok, memory.ok) << other.name;
    EXPECT_EQ(read.messages, memory.messages) << other.name << "\n" << read.Describe();
    if (!read.ok || !memory.ok) continue;
    BattleConfig expected = memory.config;
    if (other.way == ReadWay::CheckBlocks) std::ranges::for_each(expected.systems, DropLists);
    EXPECT_TRUE(read.config == expected) << other.name << " reads another battle";
  }
  return memory;
}

ReadOutcome ReadBattleLines(const std::vector<std::string>& lines) {
  return ReadBattleText(BattleText(lines));
}

::testing::AssertionResult FailedWith(const ReadOutcome& outcome, const std::string& message,
                                      std::uint32_t line, const std::string& name) {
  std::string got = outcome.ok ? "a read that succeeded" : "";
  for (const auto& e : outcome.messages) {
    if (e.error && !outcome.ok) {
      got += e.title + "|" + e.text + "|" + (e.line ? std::to_string(*e.line) : "no line");
    }
  }
  const std::string number = line == kNoLine ? "" : std::to_string(line);
  const std::string want = "Error in battle file " + name + ".vk7|" + message + number + "|" +
                           (line == kNoLine ? "no line" : number);
  if (got == want) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "shown [" << got << "], expected [" << want << "]\n"
                                       << outcome.Describe();
}

std::vector<std::string> WrittenValues(const BattleConfig& config) {
  const std::string bytes = BattleFileWriter::Render(config).bytes;
  std::vector<std::string> values;
  std::size_t start = bytes.find("\r\n", bytes.find("\r\n") + 2) + 2;  // after the header
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    const std::string line = bytes.substr(start, end - start);
    if (line.empty() || line.rfind("//", 0) == 0) continue;
    const std::size_t equals = line.find('=');
    values.push_back(line.substr(0, line.find_last_not_of(' ', equals - 1) + 1) + " =" +
                     line.substr(equals + 1));
  }
  return values;
}

}  // namespace vk7::test_support
