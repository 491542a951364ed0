#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "app/catalogs.h"
#include "app/recovery_file.h"
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
  // The next Run starts from the recovered battle in `file` instead of a new or read one; its
  // file is kept up to date by that run and removed when it ends.
  void Resume(const std::filesystem::path& file, const RecoveredRun& run);
  // Reads a stored battle and shows what the catalogs lack. False when the battle or a
  // catalog could not be read.
  bool Check(const std::string& name);

  const BattleConfig& Config() const { return config_; }

 private:
  // The battle the run begins with: new, read, or resumed.
  bool Load(const std::string& name, bool isNew, Reporter& reporter);
  PageResult ShowPage(int page);
  // Before a save under the run's own name replaces a file that another program changed since
  // the run began, asks whether to; false for "No". "Yes" sends the other version to the trash.
  bool ConfirmOverChange(const std::string& name, bool& replacing);
  // `replacing`: the user agreed to overwrite another battle's file, which goes to the trash.
  bool Save(const std::string& name, bool replacing);

  QWidget* parent_;
  const GameFolder& game_;
  Catalogs& catalogs_;
  BattleConfig config_;
  int systemNumber_ = 1;
  std::string runName_;
  // The battle file of the run's name when the run began (RecoveryFile::Fingerprint).
  std::string basePrint_;
  std::filesystem::path recoveryFile_;
  std::optional<RecoveredRun> resumed_;
};

}  // namespace vk7
