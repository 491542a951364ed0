#include "pages/friends_enemies_page.h"

#include "pages/actions_page.h"
#include "pages/system_options_page.h"
#include "ui_friends_enemies_page.h"

namespace vk7 {

FriendsEnemiesPage::FriendsEnemiesPage(QWidget* parent, BattleConfig& config, int systemNumber,
                                       const ShipCatalog& ships, const SystemCatalog& systems)
    : SystemShipsPage(parent, config, systemNumber, SystemShipsKind::FriendsEnemies, ships,
                      systems),
      ui_(std::make_unique<Ui::FriendsEnemiesPage>()) {
  ui_->setupUi(this);
  Open({ui_->availableList,
        ui_->upperList,
        ui_->lowerList,
        ui_->upperAddButton,
        ui_->upperRemoveButton,
        ui_->lowerAddButton,
        ui_->lowerRemoveButton,
        ui_->positionsButton,
        ui_->previousButton,
        ui_->finishButton,
        ui_->cancelButton,
        {ui_->optionsButton, ui_->actionsButton, ui_->positionsButton}});
  connect(ui_->optionsButton, &QPushButton::clicked, this, [this] {
    if (StarSystem* system = System()) SystemOptionsPage::Run(this, config_, *system);
  });
  connect(ui_->actionsButton, &QPushButton::clicked, this, [this] {
    if (StarSystem* system = System()) ActionsPage::Run(this, config_, *system);
  });
  connect(ui_->nextButton, &QPushButton::clicked, this, [this] { Leave(PageResult::Next); });
}

FriendsEnemiesPage::~FriendsEnemiesPage() = default;

PageResult FriendsEnemiesPage::Run(QWidget* parent, BattleConfig& config, int systemNumber,
                                   const ShipCatalog& ships, const SystemCatalog& systems) {
  FriendsEnemiesPage page(parent, config, systemNumber, ships, systems);
  return RunPage(page);
}

}  // namespace vk7
