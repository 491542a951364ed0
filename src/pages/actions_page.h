#pragma once

#include <QDialog>
#include <memory>

#include "battle/battle_config.h"
#include "pages/actions_page_logic.h"

class QButtonGroup;

namespace Ui {
class ActionsPage;
}

namespace vk7 {

// ACTIONBOX: when the friends of one system warp in, warp out or join the escort, and when its
// enemies warp in and out, with the dialog lines of those events. "OK" stores the times;
// "Cancel" stores nothing (the dialog boxes store their lines on their own "Ok").
class ActionsPage : public QDialog {
  Q_OBJECT

 public:
  ActionsPage(QWidget* parent, StarSystem& system);
  ~ActionsPage() override;

  // The page needs only the system; the battle is part of every detail page's call.
  static void Run(QWidget* parent, BattleConfig& config, StarSystem& system);

 private:
  void ShowState(const ActionsPageState& state);
  ActionsPageState CollectState() const;
  void UpdateEnabled();
  void Apply();

  std::unique_ptr<Ui::ActionsPage> ui_;
  StarSystem& system_;
  QButtonGroup* friendWarpIn_;
  QButtonGroup* enemyWarpIn_;
  QButtonGroup* enemyWarpOut_;
  QButtonGroup* friendExit_;
};

}  // namespace vk7
