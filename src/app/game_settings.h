#pragma once

#include <QString>
#include <optional>

namespace vk7 {

// The one setting of the program: the game's installation folder. On Windows it lives in
// the registry under SOFTWARE\VelkorEdit\ZRPath (the machine-wide key, or the user's own key
// when the machine-wide one cannot be written); elsewhere in the user's settings folder
// (VelkorEdit/ZRPath.ini).
class GameSettings {
 public:
  // The stored folder, or nothing when none was ever stored.
  static std::optional<QString> Read();
  // False when the folder could not be stored anywhere.
  static bool Write(const QString& folder);
};

}  // namespace vk7
