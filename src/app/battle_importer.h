#pragma once

#include <filesystem>
#include <string>

#include "app/catalogs.h"
#include "battle/game_folder.h"
#include "content/battle_index.h"

class QWidget;

namespace vk7 {

// Brings a battle file from any folder into the scripts folder and the battle list: the user
// picks a ".vk7" file, it must read as a battle, it is checked against the catalogs (the user
// decides when something is missing), copied unless it lies in the scripts folder already,
// and listed.
class BattleImporter {
 public:
  BattleImporter(QWidget* parent, const GameFolder& game, Catalogs& catalogs, BattleIndex& index);

  // Offers the file dialog until a battle was imported (true) or the user cancels (false).
  bool Import();
  // One chosen file; false after a refusal or an error (already shown) or a "No".
  bool ImportFile(const std::filesystem::path& file);

 private:
  bool CopyIntoScripts(const std::filesystem::path& source, const std::string& battleName);

  QWidget* parent_;
  const GameFolder& game_;
  Catalogs& catalogs_;
  BattleIndex& index_;
  std::filesystem::path folder_;
};

}  // namespace vk7
