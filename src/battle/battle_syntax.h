#pragma once

#include <array>
#include <string>
#include <string_view>

// The spelling of the battle file format beyond its keywords and values (battle_words.h): the
// header lines of a battle file and of the battle list, the file extension, comments and the
// voice part of a line; and the small functions over them. Each is spelled here and nowhere
// else.
namespace vk7 {

inline constexpr std::string_view kBattleFileHeader = "VK7 Battle";
// The versions a battle file may declare; the last is the one written.
inline constexpr auto kFormatVersions = std::to_array<std::string_view>(
    {"File Format Version 1.0", "File Format Version 1.1", "File Format Version 1.2"});
inline constexpr std::string_view kWrittenFormatVersion = kFormatVersions.back();

// The battle list, vk7.txt: its two header lines.
inline constexpr std::string_view kIndexHeader = "VK7 Available Battles";
inline constexpr std::string_view kIndexFormatVersion = "File Format Version 1.0";

inline constexpr std::string_view kBattleFileExtension = ".vk7";
// The file a battle of this name is kept in: "NAME.vk7".
inline std::string BattleFileName(std::string_view battleName) {
  return std::string(battleName).append(kBattleFileExtension);
}

// A comment runs from the marker to the end of the line.
inline constexpr std::string_view kCommentMarker = "//";
// The line before its comment.
inline std::string_view CutComment(std::string_view line) {
  return line.substr(0, line.find(kCommentMarker));
}
// A line that holds no value: blanks and a comment at most.
bool IsCommentOrBlank(std::string_view line);

// A dialog or title line may begin with a voice file in brackets: "[voice] text".
inline constexpr std::string_view kVoiceOpen = "[";
inline constexpr std::string_view kVoiceClose = "]";
// The optional voice part of a dialog or title line: when `text` begins with "[" and holds a
// "]", the voice file is what stands between them and the rest follows the "]" (both
// trimmed); otherwise there is no voice file and the whole text is the rest.
struct VoiceSplit {
  std::string_view voice;
  std::string_view rest;
};
VoiceSplit SplitVoicePart(std::string_view text);
// "[voice] ", or nothing without a voice file.
std::string VoicePrefix(std::string_view voice);

}  // namespace vk7
