#pragma once

#include <QDialog>
#include <memory>

#include "battle/battle_config.h"
#include "pages/general_options_page_logic.h"

class QButtonGroup;

namespace Ui {
class GeneralOptionsPage;
}

namespace vk7 {

// GENERALOPTIONBOX: the battle's title and title lines, its four general options and the
// script remarks. "Ok" writes them into the battle; "Cancel" leaves it untouched.
class GeneralOptionsPage : public QDialog {
  Q_OBJECT

 public:
  GeneralOptionsPage(QWidget* parent, BattleConfig& config);
  ~GeneralOptionsPage() override;

  static void Run(QWidget* parent, BattleConfig& config);

 private:
  void Show(const GeneralOptionsState& state);
  GeneralOptionsState Read(bool* lossy) const;
  void Ok();

  std::unique_ptr<Ui::GeneralOptionsPage> ui_;
  BattleConfig& config_;
  // One exclusive group per group box; the button ids are the stored values.
  QButtonGroup* shipChange_;
  QButtonGroup* warpOut_;
  QButtonGroup* collision_;
  QButtonGroup* perfectCloak_;
};

}  // namespace vk7
