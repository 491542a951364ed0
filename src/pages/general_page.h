#pragma once

#include <QDialog>
#include <memory>

#include "battle/battle_config.h"
#include "content/ship_catalog.h"
#include "pages/page_result.h"

class QListWidgetItem;

namespace Ui {
class GeneralPage;
}

namespace vk7 {

// GENERALBOX, the first wizard page: the player ship's class, the escort, their own names and
// the general options. Every change goes into the battle at once.
class GeneralPage : public QDialog {
  Q_OBJECT

 public:
  GeneralPage(QWidget* parent, BattleConfig& config, const ShipCatalog& ships);
  ~GeneralPage() override;

  // Shows the page modally and returns how it was left.
  static PageResult Run(QWidget* parent, BattleConfig& config, const ShipCatalog& ships);

  // Escape and the close box ask first, like "Cancel".
  void reject() override;

 private:
  void UpdateButtons();
  void SelectPlayer();
  void AddEscort();
  void RemoveEscort();
  void NamePlayer();
  void NameEscort();
  void Finish();

  std::unique_ptr<Ui::GeneralPage> ui_;
  BattleConfig& config_;
  const ShipCatalog& ships_;
};

}  // namespace vk7
