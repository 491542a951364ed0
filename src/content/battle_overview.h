#pragma once

#include <optional>
#include <string>
#include <vector>

#include "battle/battle_config.h"
#include "content/battle_checker.h"

namespace vk7 {

// What the overview of a battle says, built once; the SVG picture and the plain text are two
// renderings of it, so they cannot tell different stories. Texts are UTF-8 (the battle's
// Windows-1252 bytes converted, control characters replaced), not yet escaped for any format.
struct BattleOverview {
  // One row: a ship, an option, where a group starts. `finding` names the catalog that lacks
  // what the row uses, or is empty.
  struct Item {
    std::string text;
    std::string finding;
    bool dim = false;  // a placeholder such as "none"
  };

  // A block of rows under a heading: the player, the escort, the options, or the ships of
  // one role in a system. `role` chooses the colour.
  struct Group {
    ShipRole role = ShipRole::Player;
    std::string heading;
    std::vector<Item> notes;  // where the group starts, how the neutrals behave
    std::vector<Item> items;
  };

  // One moment of a system's time line, with the dialog lines spoken there.
  struct Event {
    std::string when;  // "start", "initially", "after 20 s", "when cleared", "never", "end"
    std::string what;
    ShipRole role = ShipRole::Player;
    std::string finding;
    std::vector<std::string> dialog;  // "Speaker: text [voice]"
  };

  struct System {
    std::string heading;  // "System 1: Sorvan"
    std::string details;  // stardate, battle mode, warp disables
    std::string finding;
    std::vector<Group> groups;  // friends, enemies, neutrals, hulks
    std::vector<Event> events;  // in the order they happen
  };

  std::string title;
  std::string fileName;
  std::vector<std::string> titleLines;
  std::vector<Group> general;  // player, escort, general options
  std::vector<System> systems;
  // What the catalogs lack, one row each; absent when the battle was not checked.
  std::optional<std::vector<std::string>> findings;
};

// The overview of `config`; with `check` (the battle check's result for it) the uses of what
// the catalogs lack are marked and listed. Linear in the size of the battle.
BattleOverview BuildOverview(const BattleConfig& config, const CheckResult* check = nullptr);

// Windows-1252 bytes as UTF-8 text to show. Control characters other than the tab, and the
// five bytes the code page leaves undefined, become U+FFFD, so neither an XML reader nor a
// terminal meets them. (File names keep every byte: Cp1252ToUtf8 of windows_1252.h.)
std::string Cp1252ToShownUtf8(const std::string& bytes);

}  // namespace vk7
