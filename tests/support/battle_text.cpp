#include "support/battle_text.h"

#include "battle/battle_file_reader.h"
#include "battle/text_line_file.h"
#include "content/battle_file_writer.h"

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

ReadOutcome ReadBattleText(const std::string& text, bool skipRemarks, const std::string& name) {
  ReadOutcome outcome;
  RecordingReporter reporter;
  TextLineFile source;
  source.OpenMemory(text);
  BattleFileReader reader(outcome.config, reporter);
  outcome.ok = reader.ReadFrom(name, source, skipRemarks);
  outcome.messages = reporter.Entries();
  return outcome;
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

void ExpectReadAsCase(const Case& c) {
  SCOPED_TRACE(c.where);
  const ReadOutcome outcome = ReadBattleLines(c.input);
  if (outcome.ok) {
    EXPECT_TRUE(outcome.messages.empty()) << outcome.Describe();
    EXPECT_EQ(WrittenValues(outcome.config), c.expected);
    return;
  }
  ASSERT_EQ(c.expected.size(), 1u) << outcome.Describe();
  const std::string& text = c.expected.front();
  const std::size_t last = text.rfind(' ') + 1;
  const bool numbered = last > 5 && text.compare(last - 5, 5, "line ") == 0;
  EXPECT_TRUE(
      FailedWith(outcome, numbered ? text.substr(0, last) : text,
                 numbered ? static_cast<std::uint32_t>(std::stoul(text.substr(last))) : kNoLine));
}

}  // namespace vk7::test_support
