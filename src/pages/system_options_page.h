#pragma once

#include <QDialog>
#include <memory>

#include "battle/battle_config.h"
#include "pages/system_options_page_logic.h"

class QButtonGroup;

namespace Ui {
class SystemOptionsPage;
}

namespace vk7 {

// SYSTEMOPTIONBOX: one system's stardate, battle mode, warp-disable switches and its starting
// and ending dialogs. "Ok" writes them into the system; "Cancel" leaves it untouched.
class SystemOptionsPage : public QDialog {
  Q_OBJECT

 public:
  SystemOptionsPage(QWidget* parent, BattleConfig& config, StarSystem& system);
  ~SystemOptionsPage() override;

  static void Run(QWidget* parent, BattleConfig& config, StarSystem& system);

 private:
  void Show(const SystemOptionsState& state);
  SystemOptionsState Read(bool* lossy) const;
  void Ok();

  std::unique_ptr<Ui::SystemOptionsPage> ui_;
  StarSystem& system_;
  // Button ids are the stored battle modes.
  QButtonGroup* battleMode_;
};

}  // namespace vk7
