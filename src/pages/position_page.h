#pragma once

#include <QDialog>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "battle/battle_config.h"
#include "content/system_catalog.h"
#include "pages/position_page_logic.h"

class QLineEdit;

namespace Ui {
class PositionPage;
}

namespace vk7 {

// POSITIONBOX: where each role starts in one system, a planet of the system or X/Y/Z
// coordinates. "Ok" writes the five positions into the system; "Cancel" leaves it untouched.
class PositionPage : public QDialog {
  Q_OBJECT

 public:
  PositionPage(QWidget* parent, StarSystem& system, const SystemCatalog& systems);
  ~PositionPage() override;

  // Takes the battle as every detail page does; the positions need only the system.
  static void Run(QWidget* parent, BattleConfig& config, StarSystem& system,
                  const SystemCatalog& systems);

 private:
  void TakePlanet(PositionRole role);
  void EditCoordinates(PositionRole role);
  void Clear(PositionRole role);
  void ShowEntry(PositionRole role);
  void Apply();

  std::unique_ptr<Ui::PositionPage> ui_;
  StarSystem& system_;
  PositionPageState state_;
  std::vector<std::string> planets_;  // row k of "Available Planets"
  std::array<QLineEdit*, kPositionRoleCount> entryEdits_{};
};

}  // namespace vk7
