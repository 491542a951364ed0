#include "pages/neutrals_hulks_page.h"

#include "pages/neutral_behavior_page.h"
#include "ui_neutrals_hulks_page.h"

namespace vk7 {

NeutralsHulksPage::NeutralsHulksPage(QWidget* parent, BattleConfig& config, int systemNumber,
                                     const ShipCatalog& ships, const SystemCatalog& systems)
    : SystemShipsPage(parent, config, systemNumber, SystemShipsKind::NeutralsHulks, ships, systems),
      ui_(std::make_unique<Ui::NeutralsHulksPage>()) {
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
        {ui_->behaviorButton, ui_->positionsButton}});
  connect(ui_->behaviorButton, &QPushButton::clicked, this, [this] {
    if (StarSystem* system = System()) NeutralBehaviorPage::Run(this, config_, *system);
  });
}

NeutralsHulksPage::~NeutralsHulksPage() = default;

PageResult NeutralsHulksPage::Run(QWidget* parent, BattleConfig& config, int systemNumber,
                                  const ShipCatalog& ships, const SystemCatalog& systems) {
  NeutralsHulksPage page(parent, config, systemNumber, ships, systems);
  return RunPage(page);
}

}  // namespace vk7
