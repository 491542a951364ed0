#include "content/dialog_text.h"

#include <algorithm>

#include "battle/battle_syntax.h"
#include "battle/string_helpers.h"

namespace vk7 {

namespace {

// Cuts `text` to `limit` characters; true when it did.
bool CutTo(std::string& text, std::size_t limit) {
  if (text.size() <= limit) return false;
  text.resize(limit);
  return true;
}

// Replaces every "#" by "*"; true when there was one.
bool ReplaceHashes(std::string& text) {
  bool any = false;
  for (char& c : text) {
    if (c == '#') {
      c = '*';
      any = true;
    }
  }
  return any;
}

}  // namespace

std::string FormatDialogLines(const std::vector<DialogLine>& lines) {
  std::string text;
  for (const DialogLine& line : lines) {
    text += VoicePrefix(line.voice) + line.speaker + ": " + line.text + "\r\n";
  }
  return text;
}

std::string FormatTitleLines(const std::vector<std::string>& titleLines,
                             const std::vector<std::string>& titleLineVoices) {
  std::string text;
  for (std::size_t i = 0; i < titleLines.size() && i < titleLineVoices.size(); ++i) {
    text += VoicePrefix(titleLineVoices[i]) + titleLines[i] + "\r\n";
  }
  return text;
}

std::optional<DialogLine> ParseDialogLine(std::string_view line, DialogNotes& notes) {
  const std::string_view trimmed = TrimView(line);
  if (trimmed.empty()) return std::nullopt;
  const VoiceSplit split = SplitVoicePart(trimmed);
  const std::size_t colon = split.rest.find(':');
  DialogLine result;
  result.voice = split.voice;
  if (colon == std::string_view::npos) {
    result.text = Trim(split.rest);
  } else {
    result.speaker = Trim(split.rest.substr(0, colon));
    result.text = Trim(split.rest.substr(colon + 1));
  }
  if (result.text.empty()) {
    notes.lineWithoutText = true;
    return std::nullopt;
  }
  if (result.speaker.empty()) {
    result.speaker = kDefaultSpeaker;
    notes.defaultSpeakerUsed = true;
  }
  const bool cutSpeaker = CutTo(result.speaker, kMaxSpeaker);
  const bool cutText = CutTo(result.text, kMaxDialogText);
  if (cutSpeaker || cutText) notes.truncated = true;
  const bool hashSpeaker = ReplaceHashes(result.speaker);
  const bool hashText = ReplaceHashes(result.text);
  const bool hashVoice = ReplaceHashes(result.voice);
  if (hashSpeaker || hashText || hashVoice) notes.hashReplaced = true;
  result.hasSpeaker = result.hasText = result.hasVoice = true;
  return result;
}

std::optional<TitleLineParts> ParseTitleLine(std::string_view line, TitleNotes& notes) {
  const std::string_view trimmed = TrimView(line);
  if (trimmed.empty()) return std::nullopt;
  const VoiceSplit split = SplitVoicePart(trimmed);
  TitleLineParts result{std::string(split.rest), std::string(split.voice)};
  if (CutTo(result.text, kMaxTitleLine)) notes.truncated = true;
  if (result.text.empty()) {
    notes.lineWithoutText = true;
    return std::nullopt;
  }
  const bool hashText = ReplaceHashes(result.text);
  const bool hashVoice = ReplaceHashes(result.voice);
  if (hashText || hashVoice) notes.hashReplaced = true;
  return result;
}

std::vector<std::string> SplitEditedLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line.substr(0, kMaxEditedLine));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::vector<std::string> DialogNoteWarnings(const DialogNotes& notes) {
  std::vector<std::string> warnings;
  if (notes.truncated) {
    warnings.emplace_back(
        "At least one speaker or dialog line was longer than allowed. Object has been truncated.");
  }
  if (notes.defaultSpeakerUsed) {
    warnings.emplace_back(
        "At least one dialog line had no speaker definition. Default speaker inserted.");
  }
  if (notes.hashReplaced) {
    warnings.emplace_back(
        "At least one voice file, speaker or dialog line contained a # sign. This sign has been "
        "replaced by a *.");
  }
  if (notes.lineWithoutText) {
    warnings.emplace_back(
        "At least one dialog line contained a speaker or voice file, but no text. Line has been "
        "removed.");
  }
  return warnings;
}

void RebuildDialogList(std::string_view editText, std::vector<DialogLine>& list,
                       DialogNotes& notes) {
  std::vector<DialogLine> rebuilt;
  for (const std::string& line : SplitEditedLines(editText)) {
    if (auto parsed = ParseDialogLine(line, notes)) rebuilt.push_back(std::move(*parsed));
  }
  list = std::move(rebuilt);
}

void ShowDialogNoteWarnings(const DialogNotes& notes, Reporter& reporter) {
  for (const std::string& warning : DialogNoteWarnings(notes)) reporter.Message("Warning", warning);
}

std::string FormatShipEntry(const ShipEntry& ship) {
  return ship.hasName ? ship.shipClass + " --> " + ship.name : ship.shipClass;
}

std::string FormatStarSystem(const StarSystem& system) {
  return system.name + "\t (" + std::to_string(system.friends.size()) + " Friends, " +
         std::to_string(system.enemies.size()) + " Enemies, " +
         std::to_string(system.neutrals.size()) + " Neutrals, " +
         std::to_string(system.hulks.size()) + " Hulks)";
}

}  // namespace vk7
