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

// Whether every line in [begin, end) is empty or a comment, as the header's remarks should be.
bool OnlyComments(std::string_view bytes) {
  for (const NumberedLine& line : SplitLines(bytes)) {
    if (!IsCommentOrBlank(line.text)) return false;
  }
  return true;
}

// The quick proof that `written` (rendered from `config`) reads back as it was entered,
// without a second copy of the battle: each system read back is compared as soon as its
// section has ended and dropped; the values before the systems are compared at the end.
// A system that reads back equal to the one it was rendered from renders to the same bytes;
// one that does not (it may hold values that are not written) is rendered again and compared
// with its part of `written`. Equal parts make equal files. Any difference, and any read
// error, returns false and leaves the exact verdict to the full comparison.
bool ReadsBackUnchanged(const BattleConfig& config, const BattleFileWriter::Output& written,
                        const std::string& name) {
  const std::string_view bytes = written.bytes;
  // Only comments may stand between the two header lines and the values (remarks holding a
  // line break could put more there).
  const std::size_t secondLineEnd = bytes.find('\n', bytes.find('\n') + 1);
  if (secondLineEnd == std::string_view::npos || secondLineEnd >= written.valuesStart ||
      !OnlyComments(bytes.substr(secondLineEnd + 1, written.valuesStart - secondLineEnd - 1))) {
    return false;
  }
  const std::vector<std::size_t>& starts = written.systemStarts;
  const auto part = [&](std::size_t index) {
    const std::size_t begin = index == 0 ? written.valuesStart : starts[index - 1];
    const std::size_t end = index < starts.size() ? starts[index] : bytes.size();
    return bytes.substr(begin, end - begin);
  };

  BattleConfig back;
  RecordingReporter silent;
  BattleFileReader reader(back, silent);
  bool same = true;
  BattleFileWriter::Output again;
  reader.OnSectionEnd([&](StarSystem& system, std::size_t index) {
    if (same && (index >= starts.size() || !(system == config.systems[index]))) {
      again.bytes.clear();
      BattleFileWriter::RenderSystem(system, again);
      same = index < starts.size() && again.bytes == part(index + 1);
    }
  });
  TextLineFile source;
  source.OpenView(bytes);
  if (!reader.ReadFrom(name, source, true) || !same || back.systems.size() != starts.size()) {
    return false;
  }
  again.bytes.clear();
  BattleFileWriter::RenderGlobals(back, again);
  return again.bytes == part(0);
}

}  // namespace

std::optional<std::string> SafeSave::Prepare(const BattleConfig& config, const std::string& name,
                                             Reporter& reporter) {
  const std::string title = BattleFileErrorTitle(name);
  BattleFileWriter::Output written = BattleFileWriter::Render(config);
  if (!written.cutLines.empty()) {
    const std::uint32_t number = written.cutLines.front();
    reporter.Error(title, "Line " + std::to_string(number) +
                              " would be longer than 255 characters and would be cut. Please "
                              "shorten this value:\n" +
                              LineText(written.bytes, number) + "\n" + kNotSaved);
    return std::nullopt;
  }
  if (ReadsBackUnchanged(config, written, name)) return std::move(written.bytes);

  BattleConfig back;
  RecordingReporter silent;
  BattleFileReader reader(back, silent);
  TextLineFile source;
  source.OpenView(written.bytes);
  if (!reader.ReadFrom(name, source, true)) {
    const RecordingReporter::Entry* error = silent.FirstError();
    const std::string why = error != nullptr ? error->text : "unknown error";
    if (error != nullptr && error->line) {
      reporter.Error(title, "Line " + std::to_string(*error->line) +
                                " would make the saved file unreadable (" + why +
                                "). Please change this value:\n" +
                                LineText(written.bytes, *error->line) + "\n" + kNotSaved);
    } else {
      reporter.Error(title, "The saved file would not be readable (" + why + "). " + kNotSaved);
    }
    return std::nullopt;
  }

  const std::string again = BattleFileWriter::Render(back).bytes;
  const std::vector<NumberedLine> expected = ValueLines(written.bytes);
  const std::vector<NumberedLine> actual = ValueLines(again);
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (i < actual.size() && expected[i].text == actual[i].text) continue;
    reporter.Error(title, "Line " + std::to_string(expected[i].number) +
                              " would not read back as it was entered (\"//\" starts a comment, "
                              "blanks at either end are dropped). Please change this value:\n" +
                              Excerpt(expected[i].text) + "\n" + kNotSaved);
    return std::nullopt;
  }
  if (actual.size() != expected.size()) {
    reporter.Error(
        title, std::string("The saved file would not read back as it was entered. ") + kNotSaved);
    return std::nullopt;
  }
  return std::move(written.bytes);
}

}  // namespace vk7
