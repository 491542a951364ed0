#pragma once

#include <string>
#include <vector>

#include "battle/battle_config.h"
#include "battle/reporter.h"
#include "content/dialog_text.h"

// What the general options page shows and what its "Ok" does with it, free of any toolkit so
// that it can be checked on its own.
namespace vk7 {

inline constexpr const char* kTitleLineWithoutTextWarning =
    "At least one title line contained a voice file, but no text. Line has been removed.";
inline constexpr const char* kTitleLineTruncatedWarning =
    "At least one title line was longer than allowed. Line has been truncated.";
inline constexpr const char* kTitleHashWarning =
    "The title or a title line contained a # sign. This sign has been replaced by a *.";

// A script remark line keeps at most this many characters.
inline constexpr std::size_t kMaxRemark = 200;

// The page's input, texts as Windows-1252 bytes. Multi-line texts end lines with LF or CR LF.
struct GeneralOptionsState {
  std::string title;
  std::string titleLines;
  ShipChangeMode shipChange = ShipChangeMode::Off;
  WarpOutMode warpOut = WarpOutMode::Anytime;
  CollisionMode collision = CollisionMode::On;
  bool perfectCloak = false;
  std::string remarks;
  bool operator==(const GeneralOptionsState&) const = default;
};

// What the page shows when it opens on `config`. A mode whose flag is down shows as the
// group's first button; a value outside the named ones shows as the last.
GeneralOptionsState OpenGeneralOptions(const BattleConfig& config);

// The warnings for the title notes that are set, in the order they are shown.
std::vector<std::string> TitleNoteWarnings(const TitleNotes& notes);

// "Ok": stores title, title lines, remarks and the four modes (all four flags raised) into
// `config`, showing the warnings for what had to be mended. False, with an error shown and
// `config` untouched, when memory runs out.
bool Apply(const GeneralOptionsState& state, BattleConfig& config, Reporter& reporter);

}  // namespace vk7
