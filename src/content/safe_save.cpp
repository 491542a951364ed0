#include "content/safe_save.h"

#include <cstdint>
#include <string_view>
#include <vector>

#include "battle/battle_file_reader.h"
#include "battle/battle_syntax.h"
#include "battle/recording_reporter.h"
#include "battle/string_helpers.h"
#include "battle/text_line_file.h"
#include "content/battle_file_writer.h"
#include "content/quick_read_back.h"

namespace vk7 {

namespace {

constexpr const char* kNotSaved = "The file has not been saved.";

struct NumberedLine {
  std::uint32_t number;
  std::string_view text;
};

// Lines numbered as the reader numbers them: a line ends at LF, a CR before it is dropped.
std::vector<NumberedLine> SplitLines(std::string_view bytes) {
  std::vector<NumberedLine> lines;
  std::uint32_t number = 0;
  while (!bytes.empty()) {
    std::size_t end = bytes.find('\n');
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back({++number, line});
    bytes.remove_prefix(std::min(bytes.size(), end + 1));
  }
  return lines;
}

// The lines that carry game data: comments and empty lines are left out.
std::vector<NumberedLine> ValueLines(std::string_view bytes) {
  std::vector<NumberedLine> values;
  for (const NumberedLine& line : SplitLines(bytes)) {
    if (!IsCommentOrBlank(line.text)) values.push_back(line);
  }
  return values;
}

// The line as shown in a message: long lines are shortened so the box stays readable.
std::string Excerpt(std::string_view text) {
  constexpr std::size_t kShown = 100;
  return text.size() <= kShown ? std::string(text) : std::string(text.substr(0, kShown)) + "...";
}

std::string LineText(std::string_view bytes, std::uint32_t number) {
  for (const NumberedLine& line : SplitLines(bytes)) {
    if (line.number == number) return Excerpt(line.text);
  }
  return {};
}

}  // namespace

std::optional<std::string> SafeSave::Prepare(const BattleConfig& config, const std::string& name,
                                             Reporter& reporter) {
  BattleFileWriter::Output written = BattleFileWriter::Render(config);
  if (!written.cutLines.empty()) {
    const std::uint32_t number = written.cutLines.front();
    reporter.Error(BattleFileErrorTitle(name),
                   "Line " + std::to_string(number) +
                       " would be longer than 255 characters and would be cut. Please "
                       "shorten this value:\n" +
                       LineText(written.bytes, number) + "\n" + kNotSaved);
    return std::nullopt;
  }
  if (const ReadBackVerdict fault = QuickReadBack::Verdict(config, written, name)) {
    reporter.Error(BattleFileErrorTitle(name), *fault);
    return std::nullopt;
  }
  return std::move(written.bytes);
}

ReadBackVerdict SafeSave::ReadBack(const BattleConfig& /*config*/,
                                   const BattleFileWriter::Output& written,
                                   const std::string& name) {
  BattleConfig back;
  RecordingReporter silent;
  BattleFileReader reader(back, silent);
  TextLineFile source;
  source.OpenView(written.bytes);
  if (!reader.ReadFrom(name, source, true)) {
    const RecordingReporter::Entry* error = silent.FirstError();
    const std::string why = error != nullptr ? error->text : "unknown error";
    if (error != nullptr && error->line) {
      return "Line " + std::to_string(*error->line) + " would make the saved file unreadable (" +
             why + "). Please change this value:\n" + LineText(written.bytes, *error->line) + "\n" +
             kNotSaved;
    }
    return "The saved file would not be readable (" + why + "). " + kNotSaved;
  }
  // Compared as written, not as models: a value the file cannot hold (blanks at an end, a
  // comment marker) reads back as another value, and the line shows the user which one.
  const std::string again = BattleFileWriter::Render(back).bytes;
  const std::vector<NumberedLine> expected = ValueLines(written.bytes);
  const std::vector<NumberedLine> actual = ValueLines(again);
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (i < actual.size() && expected[i].text == actual[i].text) continue;
    return "Line " + std::to_string(expected[i].number) +
           " would not read back as it was entered (\"//\" starts a comment, "
           "blanks at either end are dropped). Please change this value:\n" +
           Excerpt(expected[i].text) + "\n" + kNotSaved;
  }
  if (actual.size() != expected.size()) {
    return std::string("The saved file would not read back as it was entered. ") + kNotSaved;
  }
  return std::nullopt;
}

}  // namespace vk7
