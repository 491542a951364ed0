#pragma once

#include <string>

#include "app/catalogs.h"
#include "battle/battle_config.h"
#include "battle/game_folder.h"
#include "pages/page_result.h"

class QWidget;

namespace vk7 {

// One editing run: a new or read battle is carried through the four pages (General,
// Systems, Friends & enemies, Neutrals & hulks), finished and saved.
class EditingWizard {
 public:
  EditingWizard(QWidget* parent, const GameFolder& game, Catalogs& catalogs);

  // True when the battle was saved; `name` then holds the name it was saved under.
  bool Run(std::string& name, bool isNew);
  // Reads a stored battle and shows what the catalogs lack. False when the battle or a
  // catalog could not be read.
  bool Check(const std::string& name);

  const BattleConfig& Config() const { return config_; }

 private:
  PageResult ShowPage(int page);
  // `replacing`: the user agreed to overwrite another battle's file, which goes to the trash.
  bool Save(const std::string& name, bool replacing);

  QWidget* parent_;
  const GameFolder& game_;
  Catalogs& catalogs_;
  BattleConfig config_;
  int systemNumber_ = 1;
};

}  // namespace vk7
