#pragma once

#include <QDialog>
#include <memory>

#include "battle/battle_config.h"
#include "content/ship_catalog.h"
#include "content/system_catalog.h"
#include "pages/page_result.h"

namespace Ui {
class SystemsPage;
}

namespace vk7 {

// SYSTEMBOX, the second wizard page: the battle's systems in battle order, added from the
// system catalog, replaced, removed and reordered; the battle check; and the choice of the
// system whose ships the next pages edit. Every change goes into the battle at once.
class SystemsPage : public QDialog {
  Q_OBJECT

 public:
  SystemsPage(QWidget* parent, BattleConfig& config, const ShipCatalog& ships,
              const SystemCatalog& systems);
  ~SystemsPage() override;

  // Shows the page modally and returns how it was left. With Next, `systemNumber` (from 1)
  // becomes the chosen system; otherwise it keeps its value.
  static PageResult Run(QWidget* parent, BattleConfig& config, const ShipCatalog& ships,
                        const SystemCatalog& systems, int& systemNumber);

  // The system chosen by "Edit", "Next -->" or a double click (from 1; 0 before).
  int ChosenSystem() const { return chosen_; }

  // Escape and the close box ask first, like "Cancel".
  void reject() override;

 private:
  void UpdateButtons();
  void ShowSystemRow(int row);
  void Add();
  void Replace();
  void Remove();
  void Edit();
  void Move(bool up);
  void Finish();

  std::unique_ptr<Ui::SystemsPage> ui_;
  BattleConfig& config_;
  const ShipCatalog& ships_;
  const SystemCatalog& systems_;
  int chosen_ = 0;
};

}  // namespace vk7
