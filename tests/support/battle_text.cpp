#include "support/battle_text.h"

#include <algorithm>
#include <iterator>
#include <optional>

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
    if (way == ReadWay::CheckBlocks) {
      // As the command-line tool's check drops each system's lists once it has been read.
      reader.OnSectionEnd([](StarSystem&, std::size_t) {});
    }
    outcome.ok = reader.Read(name, dir.Write(name + ".vk7", text), skipRemarks,
                             way == ReadWay::EditorFile ? BattleFileReader::Access::ReadWrite
                                                        : BattleFileReader::Access::ReadOnly);
  }
  outcome.messages = reporter.Entries();
  return outcome;
}

ReadOutcome ReadEveryWay(const std::string& text, bool skipRemarks, const std::string& name) {
  ReadOutcome memory = ReadBattleText(text, skipRemarks, name, ReadWay::Memory);
  for (const ReadWay way : {ReadWay::EditorFile, ReadWay::CheckBlocks}) {
    const ReadOutcome read = ReadBattleText(text, skipRemarks, name, way);
    const char* by = way == ReadWay::EditorFile ? "the editor's file" : "the check's blocks";
    EXPECT_EQ(read.ok, memory.ok) << by;
    EXPECT_EQ(read.messages, memory.messages) << by << "\n" << read.Describe();
    if (!read.ok || !memory.ok) continue;
    BattleConfig expected = memory.config;
    if (way == ReadWay::CheckBlocks) {
      for (StarSystem& system : expected.systems) system.ClearListsKeepingRoom();
    }
    EXPECT_TRUE(read.config == expected) << by << " read another battle";
  }
  return memory;
}

std::vector<std::string> Shown(const ReadOutcome& read, bool remarks) {
  std::vector<std::string> shown;
  for (const std::string& remark : remarks ? read.config.remarks : std::vector<std::string>{}) {
    shown.push_back("//" + remark);
  }
  if (read.ok) std::ranges::copy(WrittenValues(read.config), std::back_inserter(shown));
  const std::string title = "Error in battle file " + read.config.name + ".vk7";
  const auto lineAtEnd = [](const std::string& text) -> std::optional<std::uint32_t> {
    const std::size_t digits = text.find_last_not_of("0123456789") + 1;
    if (digits == text.size() || !text.substr(0, digits).ends_with("line ")) return std::nullopt;
    return static_cast<std::uint32_t>(std::stoul(text.substr(digits)));
  };
  for (const auto& e : read.messages) {
    const bool plain = e.error ? e.title == title && e.line == lineAtEnd(e.text)
                               : e.title == "Warning" && e.text == kForeignFileWarning;
    shown.push_back(!plain ? e.title + ": " + e.text : e.error ? e.text : e.title);
  }
  return shown;
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
