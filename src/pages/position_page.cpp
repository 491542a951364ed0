#include "pages/position_page.h"

#include "pages/position_coordinates_box.h"
#include "ui_position_page.h"
#include "widgets/cp1252.h"
#include "widgets/modal_seam.h"
#include "widgets/widget_text.h"

namespace vk7 {

PositionPage::PositionPage(QWidget* parent, StarSystem& system, const SystemCatalog& systems)
    : QDialog(parent),
      ui_(std::make_unique<Ui::PositionPage>()),
      system_(system),
      state_(OpenPositionPage(system)) {
  ui_->setupUi(this);
  setWindowTitle(FromCp1252(PositionPageTitle(system)));

  systems.FillPlanetList(system, planets_);
  for (const std::string& planet : planets_) ui_->planetList->addItem(FromCp1252(planet));

  entryEdits_ = {ui_->playerEdit, ui_->friendsEdit, ui_->enemiesEdit, ui_->neutralsEdit,
                 ui_->hulksEdit};
  const std::array<QPushButton*, kPositionRoleCount> planetButtons = {
      ui_->playerButton, ui_->friendsButton, ui_->enemiesButton, ui_->neutralsButton,
      ui_->hulksButton};
  const std::array<QPushButton*, kPositionRoleCount> coordButtons = {
      ui_->playerCoordButton, ui_->friendsCoordButton, ui_->enemiesCoordButton,
      ui_->neutralsCoordButton, ui_->hulksCoordButton};
  const std::array<QPushButton*, kPositionRoleCount> clearButtons = {
      ui_->playerClearButton, ui_->friendsClearButton, ui_->enemiesClearButton,
      ui_->neutralsClearButton, ui_->hulksClearButton};
  for (std::size_t i = 0; i < kPositionRoleCount; ++i) {
    const auto role = static_cast<PositionRole>(i);
    ShowEntry(role);
    connect(planetButtons[i], &QPushButton::clicked, this, [this, role] { TakePlanet(role); });
    connect(coordButtons[i], &QPushButton::clicked, this, [this, role] { EditCoordinates(role); });
    connect(clearButtons[i], &QPushButton::clicked, this, [this, role] { Clear(role); });
  }
  connect(ui_->okButton, &QPushButton::clicked, this, &PositionPage::Apply);
  connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

PositionPage::~PositionPage() = default;

void PositionPage::TakePlanet(PositionRole role) {
  // The name comes from the catalog, not from the row text, so it is taken byte for byte.
  const QList<QListWidgetItem*> selected = ui_->planetList->selectedItems();
  if (selected.isEmpty()) return;
  const int row = ui_->planetList->row(selected.front());
  SetPlanet(state_.Entry(role), planets_.at(static_cast<std::size_t>(row)));
  ShowEntry(role);
}

void PositionPage::EditCoordinates(PositionRole role) {
  const auto accepted = PositionCoordinatesBox::Run(this, CoordinatesOfEntry(state_.Entry(role)));
  if (!accepted) return;
  SetCoordinates(state_.Entry(role), *accepted);
  ShowEntry(role);
}

void PositionPage::Clear(PositionRole role) {
  ClearEntry(state_.Entry(role));
  ShowEntry(role);
}

void PositionPage::ShowEntry(PositionRole role) {
  QLineEdit& edit = *entryEdits_[static_cast<std::size_t>(role)];
  SetEditText(edit, state_.Entry(role).text);
  edit.setCursorPosition(0);
}

void PositionPage::Apply() {
  ApplyPositionPage(state_, system_);
  accept();
}

void PositionPage::Run(QWidget* parent, BattleConfig& /*config*/, StarSystem& system,
                       const SystemCatalog& systems) {
  PositionPage page(parent, system, systems);
  ModalSeam::Current().Exec(page);
}

}  // namespace vk7
