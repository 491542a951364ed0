#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <string>

#include "battle/battle_config.h"
#include "content/ship_catalog.h"
#include "content/system_catalog.h"
#include "pages/check_results_page_logic.h"

namespace Ui {
class CheckResultsPage;
}

namespace vk7 {

// CHECKBOX: the ship classes, planets and systems a battle needs that the catalogs lack,
// with where each is used. Display only; "OK" closes it.
class CheckResultsPage : public QDialog {
  Q_OBJECT

 public:
  // An empty or absent title keeps "Check Results".
  CheckResultsPage(QWidget* parent, const CheckResultsView& view,
                   const std::optional<std::string>& title);
  ~CheckResultsPage() override;

  // Checks the battle, shows the result and returns whether anything was missing.
  static bool Run(QWidget* parent, const BattleConfig& config, const ShipCatalog& ships,
                  const SystemCatalog& systems, const std::optional<std::string>& title);

 private:
  std::unique_ptr<Ui::CheckResultsPage> ui_;
};

}  // namespace vk7
