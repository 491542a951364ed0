#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "battle/battle_config.h"
#include "battle/reporter.h"

// How dialog lines and title lines look while the user edits them as plain text, one line of
// an edit field per entry: "Speaker: Text" or "[voice.acm] Speaker: Text" (title lines
// "Text" or "[voice.acm] Text"), and the row texts that the pages show for ships and systems.
namespace vk7 {

inline constexpr const char* kDefaultSpeaker = "Speaker";
// An edit field hands over at most this many characters of each of its lines.
inline constexpr std::size_t kMaxEditedLine = 511;

// What converting edited lines had to mend; a page shows one warning per note that is set.
struct DialogNotes {
  bool truncated = false;
  bool defaultSpeakerUsed = false;
  bool hashReplaced = false;
  bool lineWithoutText = false;
  bool operator==(const DialogNotes&) const = default;
};

struct TitleNotes {
  bool truncated = false;
  bool lineWithoutText = false;
  bool hashReplaced = false;
  bool operator==(const TitleNotes&) const = default;
};

struct TitleLineParts {
  std::string text;
  std::string voice;
  bool operator==(const TitleLineParts&) const = default;
};

// One line per entry, each ended with CR LF.
std::string FormatDialogLines(const std::vector<DialogLine>& lines);
std::string FormatTitleLines(const std::vector<std::string>& titleLines,
                             const std::vector<std::string>& titleLineVoices);

// One edited line back into a dialog line (all three flags up), or nothing when the line is
// skipped. Over-long parts are cut, "#" becomes "*", a missing speaker becomes "Speaker";
// each repair is recorded in `notes`.
std::optional<DialogLine> ParseDialogLine(std::string_view line, DialogNotes& notes);
std::optional<TitleLineParts> ParseTitleLine(std::string_view line, TitleNotes& notes);

// The lines of an edit field's text (LF or CR LF), each cut to what the field hands over.
std::vector<std::string> SplitEditedLines(std::string_view text);

// The warnings for the notes that are set, in the order they are shown.
std::vector<std::string> DialogNoteWarnings(const DialogNotes& notes);

// Replaces `list` by the dialog lines of an edit field's text, collecting the repairs in
// `notes` (one set may serve several fields).
void RebuildDialogList(std::string_view editText, std::vector<DialogLine>& list,
                       DialogNotes& notes);

// Shows one "Warning" message per note that is set, in order.
void ShowDialogNoteWarnings(const DialogNotes& notes, Reporter& reporter);

// List rows: "CLASS" or "CLASS --> Name"; "Name\t (2 Friends, 0 Enemies, 0 Neutrals, 0 Hulks)".
std::string FormatShipEntry(const ShipEntry& ship);
std::string FormatStarSystem(const StarSystem& system);

}  // namespace vk7
