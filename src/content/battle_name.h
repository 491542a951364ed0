#pragma once

#include <optional>
#include <string>

#include "battle/reporter.h"

namespace vk7 {

// A battle name typed for a new or renamed battle becomes a file name in the scripts folder,
// where the game runs on Windows (or under Wine). A name that would reach outside the folder
// ("/" or "\", ".", "..") or whose file name NAME.vk7 Windows cannot use (< > : " | ? * and
// control characters, the device names CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9, also
// with an extension) is refused with the error box titled "Error". "The End." is fine: its file
// "The End..vk7" does not end in a dot.
bool CheckBattleName(const std::string& name, Reporter& reporter);

// A battle name as the user typed it into a name box, trimmed of blanks and tabs at both ends.
// Nothing, and nothing is to be done, when no name remains or it names the same file as
// `unchanged`; nothing too when CheckBattleName refused it (its error has been shown).
std::optional<std::string> TypedBattleName(const std::string& entered, Reporter& reporter,
                                           const std::string& unchanged = {});

}  // namespace vk7
