#include "content/battle_name.h"

#include <array>

#include "battle/battle_syntax.h"
#include "battle/string_helpers.h"
#include "battle/windows_1252.h"
#include "content/battle_index.h"

namespace vk7 {

namespace {

// Names Windows keeps for devices, whatever follows their first dot. Windows counts the
// superscript digits of Windows-1252 (¹ ² ³) as digits here too.
bool IsDeviceName(std::string_view name) {
  const std::string base = ToLowerAscii(TrimView(name.substr(0, name.find('.'))));
  for (const char* device : {"con", "prn", "aux", "nul"}) {
    if (base == device) return true;
  }
  if (base.size() != 4 || (!base.starts_with("com") && !base.starts_with("lpt"))) return false;
  const char digit = base[3];
  return (digit >= '1' && digit <= '9') || digit == '\xB9' || digit == '\xB2' || digit == '\xB3';
}

// Windows refuses a file name ending in a dot or a blank; a battle's file name always ends in
// ".vk7", so only the characters and the device names can make it unusable.
bool IsWindowsFileName(std::string_view name) {
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20 ||
        std::string_view("<>:\"|?*").find(c) != std::string_view::npos) {
      return false;
    }
  }
  return !IsDeviceName(name);
}

}  // namespace

bool CheckBattleName(const std::string& name, Reporter& reporter) {
  if (BattleIndex::IsSafeName(name) && IsWindowsFileName(BattleFileName(name))) return true;
  reporter.Error("Error",
                 "The name \"" + name +
                     "\" cannot be used for a battle. A battle name must not contain any of the "
                     "characters / \\ < > : \" | ? * or a control character, must not end with a "
                     "dot or a blank, and must not be \".\", \"..\" or a device name (CON, PRN, "
                     "AUX, NUL, COM1 to COM9, LPT1 to LPT9, also with an extension).");
  return false;
}

std::optional<std::string> TypedBattleName(const std::string& entered, Reporter& reporter,
                                           const std::string& unchanged) {
  std::string name = Trim(entered);
  if (name.empty() || SameFileName(name, unchanged) || !CheckBattleName(name, reporter)) {
    return std::nullopt;
  }
  return name;
}

}  // namespace vk7
