#include "pages/system_ships_page.h"

#include <QListWidget>
#include <QPushButton>
#include <QStringList>

#include "content/dialog_text.h"
#include "content/finish_validation.h"
#include "pages/edit_ship_name.h"
#include "pages/position_page.h"
#include "widgets/box_reporter.h"
#include "widgets/cancel_box.h"
#include "widgets/cp1252.h"
#include "widgets/list_rows.h"
#include "widgets/modal_seam.h"

namespace vk7 {

namespace {

void AddRows(QListWidget& list, const std::vector<std::string>& rows) {
  list.addItems(ToRows(rows));
}

}  // namespace

SystemShipsPage::SystemShipsPage(QWidget* parent, BattleConfig& config, int systemNumber,
                                 SystemShipsKind kind, const ShipCatalog& ships,
                                 const SystemCatalog& systems)
    : QDialog(parent),
      config_(config),
      systems_(systems),
      systemNumber_(systemNumber),
      kind_(kind),
      ships_(ships) {}

void SystemShipsPage::Open(const Controls& controls) {
  const SystemShipsLayout& layout = LayoutOf(kind_);
  available_ = controls.available;
  upper_ = {controls.upper, controls.upperAdd, controls.upperRemove, &layout.upper};
  lower_ = {controls.lower, controls.lowerAdd, controls.lowerRemove, &layout.lower};
  details_ = controls.details;

  const SystemShipsView view = OpenSystemShips(config_, systemNumber_, kind_, ships_);
  if (view.hasSystem) setWindowTitle(FromCp1252(view.title));
  AddRows(*upper_.list, view.upperRows);
  AddRows(*lower_.list, view.lowerRows);
  AddRows(*available_, view.catalogRows);

  connect(available_, &QListWidget::itemSelectionChanged, this, &SystemShipsPage::UpdateButtons);
  for (const Side* side : {&upper_, &lower_}) {
    connect(side->list, &QListWidget::itemSelectionChanged, this, &SystemShipsPage::UpdateButtons);
    connect(side->add, &QPushButton::clicked, this, [this, side] { Add(*side); });
    connect(side->remove, &QPushButton::clicked, this, [this, side] { Remove(*side); });
    connect(side->list, &QListWidget::itemDoubleClicked, this, [this, side] { Name(*side); });
  }
  connect(controls.positions, &QPushButton::clicked, this, &SystemShipsPage::OpenPositions);
  connect(controls.previous, &QPushButton::clicked, this, [this] { Leave(PageResult::Previous); });
  connect(controls.finish, &QPushButton::clicked, this, &SystemShipsPage::Finish);
  connect(controls.cancel, &QPushButton::clicked, this, &SystemShipsPage::reject);
  UpdateButtons();
}

std::vector<ShipEntry>* SystemShipsPage::ShipsOf(const Side& side) const {
  StarSystem* system = System();
  return system == nullptr ? nullptr : &system->Ships(side.model->role);
}

void SystemShipsPage::UpdateButtons() {
  // Without a system there is nothing to add to and no detail page to open.
  const bool hasSystem = System() != nullptr;
  const bool classSelected = hasSystem && SelectedRow(*available_) >= 0;
  for (const Side* side : {&upper_, &lower_}) {
    side->add->setEnabled(classSelected);
    side->remove->setEnabled(hasSystem && SelectedRow(*side->list) >= 0);
  }
  for (QPushButton* button : details_) button->setEnabled(hasSystem);
}

void SystemShipsPage::Add(const Side& side) {
  std::vector<ShipEntry>* ships = ShipsOf(side);
  const int catalogRow = SelectedRow(*available_);
  if (ships == nullptr || catalogRow < 0) return;
  BoxReporter reporter(this);
  if (const auto row = AddShip(*ships, ships_, static_cast<std::size_t>(catalogRow), reporter)) {
    side.list->addItem(FromCp1252(*row));
  }
}

void SystemShipsPage::Remove(const Side& side) {
  std::vector<ShipEntry>* ships = ShipsOf(side);
  const int row = SelectedRow(*side.list);
  if (ships == nullptr || row < 0) return;
  if (!RemoveShip(*ships, static_cast<std::size_t>(row))) return;
  delete side.list->takeItem(row);
  // The view would otherwise move the current row to a neighbour; nothing stays selected.
  side.list->clearSelection();
  side.list->setCurrentItem(nullptr);
  UpdateButtons();
}

void SystemShipsPage::Name(const Side& side) {
  std::vector<ShipEntry>* ships = ShipsOf(side);
  const int row = SelectedRow(*side.list);
  if (ships == nullptr || row < 0 || static_cast<std::size_t>(row) >= ships->size()) return;
  ShipEntry& ship = (*ships)[static_cast<std::size_t>(row)];
  if (!EditShipName(this, ship, config_, side.model->roleText)) return;
  side.list->item(row)->setText(FromCp1252(FormatShipEntry(ship)));
  side.list->setCurrentRow(row);
}

void SystemShipsPage::OpenPositions() {
  if (StarSystem* system = System()) PositionPage::Run(this, config_, *system, systems_);
}

void SystemShipsPage::Finish() {
  BoxReporter reporter(this);
  if (CheckFinishAndForceAiMode(config_, reporter)) Leave(PageResult::Finish);
}

void SystemShipsPage::Leave(PageResult result) {
  done(static_cast<int>(result));
}

void SystemShipsPage::reject() {
  if (CancelBox::Ask(this)) Leave(PageResult::Cancel);
}

PageResult SystemShipsPage::RunPage(QDialog& page) {
  const int code = ModalSeam::Current().Exec(page);
  switch (code) {
    case static_cast<int>(PageResult::Finish):
      return PageResult::Finish;
    case static_cast<int>(PageResult::Next):
      return PageResult::Next;
    case static_cast<int>(PageResult::Previous):
      return PageResult::Previous;
    default:
      return PageResult::Cancel;
  }
}

}  // namespace vk7
