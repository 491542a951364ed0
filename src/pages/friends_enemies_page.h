#pragma once

#include <memory>

#include "pages/system_ships_page.h"

namespace Ui {
class FriendsEnemiesPage;
}

namespace vk7 {

// SYSTEMBOX1, the third wizard page: the friends and enemies of one system, with its options,
// the friends' and enemies' actions and the positions. "Next -->" leads to SYSTEMBOX2.
class FriendsEnemiesPage : public SystemShipsPage {
  Q_OBJECT

 public:
  FriendsEnemiesPage(QWidget* parent, BattleConfig& config, int systemNumber,
                     const ShipCatalog& ships, const SystemCatalog& systems);
  ~FriendsEnemiesPage() override;

  // `systemNumber` counts from 1; a number without a system opens the page empty.
  static PageResult Run(QWidget* parent, BattleConfig& config, int systemNumber,
                        const ShipCatalog& ships, const SystemCatalog& systems);

 private:
  std::unique_ptr<Ui::FriendsEnemiesPage> ui_;
};

}  // namespace vk7
