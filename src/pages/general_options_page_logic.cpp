#include "pages/general_options_page_logic.h"

#include <algorithm>
#include <cstdint>
#include <new>

#include "battle/string_helpers.h"
#include "pages/edit_limit.h"

namespace vk7 {

namespace {

// Flag down or 0: the group's first button; 1: the second; any other value: the last.
template <typename Mode>
Mode ShownMode(bool defined, Mode value, Mode last) {
  const auto number = static_cast<std::int32_t>(value);
  if (!defined || number == 0) return static_cast<Mode>(0);
  if (number == 1) return static_cast<Mode>(1);
  return last;
}

bool ReplaceHashes(std::string& text) {
  if (text.find('#') == std::string::npos) return false;
  std::ranges::replace(text, '#', '*');
  return true;
}

// The header remark stays first; the typed lines follow it, cut to their limit, without the
// blank lines at the end.
std::vector<std::string> RemarksFrom(const std::string& text, const std::vector<std::string>& old) {
  std::vector<std::string> lines = SplitEditedLines(text);
  for (std::string& line : lines) {
    if (line.size() > kMaxRemark) line.resize(kMaxRemark);
  }
  while (!lines.empty() && TrimView(lines.back()).empty()) lines.pop_back();

  std::vector<std::string> remarks;
  // Without a header the first typed remark would be taken for one and vanish from the page.
  if (!old.empty()) {
    remarks.push_back(old.front());
  } else if (!lines.empty()) {
    remarks.emplace_back(kCreatedByRemark);
  }
  remarks.insert(remarks.end(), std::make_move_iterator(lines.begin()),
                 std::make_move_iterator(lines.end()));
  return remarks;
}

}  // namespace

GeneralOptionsState OpenGeneralOptions(const BattleConfig& config) {
  const BattleOptions& options = config.options;
  GeneralOptionsState state;
  state.shipChange = ShownMode(options.shipChangeDefined, options.shipChange, ShipChangeMode::Auto);
  state.warpOut = ShownMode(options.warpOutDefined, options.warpOut, WarpOutMode::Sequential);
  state.collision =
      ShownMode(options.collisionDefined, options.collision, CollisionMode::OffForAll);
  state.perfectCloak = options.perfectCloakDefined && options.perfectCloak != 0;
  if (config.title.titleDefined) state.title = config.title.title;
  state.titleLines = FormatTitleLines(config.title.titleLines, config.title.titleLineVoices);
  for (std::size_t i = 1; i < config.remarks.size(); ++i)
    state.remarks += config.remarks[i] + "\r\n";
  return state;
}

std::vector<std::string> TitleNoteWarnings(const TitleNotes& notes) {
  std::vector<std::string> warnings;
  if (notes.lineWithoutText) warnings.emplace_back(kTitleLineWithoutTextWarning);
  if (notes.truncated) warnings.emplace_back(kTitleLineTruncatedWarning);
  if (notes.hashReplaced) warnings.emplace_back(kTitleHashWarning);
  return warnings;
}

bool Apply(const GeneralOptionsState& state, BattleConfig& config, Reporter& reporter) {
  // Everything is built aside first, so that running out of memory leaves the battle as it was.
  try {
    TitleNotes notes;
    BattleTitle title;
    std::string typed = state.title.substr(0, kMaxEditText);
    notes.hashReplaced = ReplaceHashes(typed);
    typed = Trim(typed);
    if (typed.size() > kMaxTitle) typed = Trim(std::string_view(typed).substr(0, kMaxTitle));
    title.titleDefined = !typed.empty();
    // An emptied title only lowers the flag; the old text stays behind it.
    title.title = title.titleDefined ? std::move(typed) : config.title.title;
    for (const std::string& line : SplitEditedLines(state.titleLines)) {
      if (auto parts = ParseTitleLine(line, notes)) {
        title.titleLines.push_back(std::move(parts->text));
        title.titleLineVoices.push_back(std::move(parts->voice));
      }
    }
    std::vector<std::string> remarks = RemarksFrom(state.remarks, config.remarks);

    for (const std::string& warning : TitleNoteWarnings(notes)) {
      reporter.Message("Warning", warning);
    }

    config.title = std::move(title);
    config.remarks = std::move(remarks);
  } catch (const std::bad_alloc&) {
    reporter.Error("Error", "Out of memory!");
    return false;
  }
  BattleOptions& options = config.options;
  options.shipChange = state.shipChange;
  options.warpOut = state.warpOut;
  options.collision = state.collision;
  options.perfectCloak = state.perfectCloak ? 1 : 0;
  options.shipChangeDefined = options.warpOutDefined = options.collisionDefined =
      options.perfectCloakDefined = true;
  return true;
}

}  // namespace vk7
