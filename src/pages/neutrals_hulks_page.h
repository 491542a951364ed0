#pragma once

#include <memory>

#include "pages/system_ships_page.h"

namespace Ui {
class NeutralsHulksPage;
}

namespace vk7 {

// SYSTEMBOX2, the fourth and last wizard page: the neutrals and hulks of one system, with the
// neutrals' actions and behaviour and the positions. It has no "Next -->".
class NeutralsHulksPage : public SystemShipsPage {
  Q_OBJECT

 public:
  NeutralsHulksPage(QWidget* parent, BattleConfig& config, int systemNumber,
                    const ShipCatalog& ships, const SystemCatalog& systems);
  ~NeutralsHulksPage() override;

  // `systemNumber` counts from 1; a number without a system opens the page empty.
  static PageResult Run(QWidget* parent, BattleConfig& config, int systemNumber,
                        const ShipCatalog& ships, const SystemCatalog& systems);

 private:
  std::unique_ptr<Ui::NeutralsHulksPage> ui_;
};

}  // namespace vk7
