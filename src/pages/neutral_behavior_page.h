#pragma once

#include <QDialog>
#include <memory>

#include "battle/battle_config.h"
#include "pages/neutral_behavior_page_logic.h"

class QButtonGroup;

namespace Ui {
class NeutralBehaviorPage;
}

namespace vk7 {

// NBEHAVIORBOX: when the neutrals of one system warp in and out and how they behave, with the
// dialog lines of those events. "OK" stores the settings; "Cancel" stores nothing (the dialog
// boxes store their lines on their own "Ok").
class NeutralBehaviorPage : public QDialog {
  Q_OBJECT

 public:
  NeutralBehaviorPage(QWidget* parent, StarSystem& system);
  ~NeutralBehaviorPage() override;

  // The page needs only the system; the battle is part of every detail page's call.
  static void Run(QWidget* parent, BattleConfig& config, StarSystem& system);

 private:
  void ShowState(const NeutralBehaviorPageState& state);
  NeutralBehaviorPageState CollectState() const;
  void UpdateEnabled();
  void Apply();

  std::unique_ptr<Ui::NeutralBehaviorPage> ui_;
  StarSystem& system_;
  QButtonGroup* warpIn_;
  QButtonGroup* warpOut_;
  QButtonGroup* behavior_;
};

}  // namespace vk7
