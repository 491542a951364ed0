#include "content/quick_read_back.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

#include "battle/battle_file_reader.h"
#include "battle/battle_syntax.h"
#include "battle/recording_reporter.h"
#include "battle/text_line_file.h"

namespace vk7 {

namespace {

bool compareWithFullCheck = false;

// Whether every line is empty or a comment, as the header's remarks should be.
bool OnlyComments(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t end = std::min(bytes.find('\n'), bytes.size());
    if (!IsCommentOrBlank(bytes.substr(0, end))) return false;
    bytes.remove_prefix(std::min(end + 1, bytes.size()));
  }
  return true;
}

}  // namespace

// The quick proof that `written` (rendered from `config`) reads back as it was entered,
// without a second copy of the battle: each system read back is compared as soon as its
// section has ended and dropped; the values before the systems are compared at the end.
// A system that reads back equal to the one it was rendered from renders to the same bytes;
// one that does not (it may hold values that are not written) is rendered again and compared
// with its part of `written`. Equal parts make equal files. Any difference, and any read
// error, returns false and leaves the exact verdict to the full comparison.
bool QuickReadBack::Proves(const BattleConfig& config, const BattleFileWriter::Output& written,
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

ReadBackVerdict QuickReadBack::Verdict(const BattleConfig& config,
                                       const BattleFileWriter::Output& written,
                                       const std::string& name) {
  if (!Proves(config, written, name)) return SafeSave::ReadBack(config, written, name);
  if (compareWithFullCheck && SafeSave::ReadBack(config, written, name)) {
    throw std::logic_error("the quick read-back passed a battle that the full check refuses");
  }
  return std::nullopt;
}

void QuickReadBack::CompareWithFullCheck(bool on) {
  compareWithFullCheck = on;
}

}  // namespace vk7
