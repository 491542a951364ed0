#pragma once

#include <QLockFile>
#include <filesystem>

#include "app/recovery_file.h"
#include "battle/battle_config.h"
#include "widgets/modal_seam.h"

namespace vk7 {

// Keeps one editing run's recovery file up to date. Every page and detail box of the run is a
// modal dialog, and whatever it changes has reached the battle once it closes; so, installed
// as the modal seam for the run, it passes each dialog on and, when one closes, writes the
// battle again if it changed since the last write. The run's end, whichever it is, removes
// the file.
class RecoveryWriter : public ModalSeam {
 public:
  // `run` names the battle and how the run began; its bytes are rendered from `config`. A
  // resumed run is written at once: its file is the only copy of the recovered edits.
  RecoveryWriter(std::filesystem::path file, const BattleConfig& config, RecoveredRun run,
                 bool resumed);
  ~RecoveryWriter() override;
  RecoveryWriter(const RecoveryWriter&) = delete;
  RecoveryWriter& operator=(const RecoveryWriter&) = delete;

  int Exec(QDialog& dialog) override;
  QString ChooseFolder(QWidget* parent, const QString& prompt, const QString& start) override;
  QString ChooseOpenFile(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override;
  QString ChooseSaveFile(QWidget* parent, const QString& title, const QString& start,
                         const QString& filter) override;

 private:
  void Update();
  // Writes the file; the first failure of the run is reported.
  void Keep();

  ModalSeam& inner_;
  std::filesystem::path file_;
  QLockFile lock_;
  const BattleConfig& config_;
  RecoveredRun run_;
  bool told_ = false;
};

}  // namespace vk7
