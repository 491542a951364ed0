#include "pages/general_page.h"

#include <QListWidget>
#include <QStringList>

#include "content/dialog_text.h"
#include "content/finish_validation.h"
#include "pages/edit_ship_name.h"
#include "pages/general_options_page.h"
#include "pages/general_page_logic.h"
#include "ui_general_page.h"
#include "widgets/box_reporter.h"
#include "widgets/cancel_box.h"
#include "widgets/cp1252.h"
#include "widgets/list_rows.h"
#include "widgets/modal_seam.h"

namespace vk7 {

GeneralPage::GeneralPage(QWidget* parent, BattleConfig& config, const ShipCatalog& ships)
    : QDialog(parent), ui_(std::make_unique<Ui::GeneralPage>()), config_(config), ships_(ships) {
  ui_->setupUi(this);
  QListWidget& player = *ui_->playerShipList;
  // One row tall: the list only ever holds the player ship.
  player.setFixedHeight(player.fontMetrics().height() + 2 * player.frameWidth() + 8);

  const GeneralPageView view = OpenGeneralPage(config);
  setWindowTitle(FromCp1252(view.title));
  if (view.playerRow) player.addItem(FromCp1252(*view.playerRow));
  ui_->escortList->addItems(ToRows(view.escortRows));
  // Catalogs can be long: the rows go in at once, not one by one.
  std::vector<std::string> classRows;
  ships.FillShipClassList(classRows);
  ui_->availableShipsList->addItems(ToRows(classRows));
  ui_->nextButton->setEnabled(view.nextEnabled);
  ui_->finishButton->setEnabled(view.finishEnabled);
  UpdateButtons();

  connect(ui_->availableShipsList, &QListWidget::itemSelectionChanged, this,
          &GeneralPage::UpdateButtons);
  connect(ui_->escortList, &QListWidget::itemSelectionChanged, this, &GeneralPage::UpdateButtons);
  connect(ui_->selectButton, &QPushButton::clicked, this, &GeneralPage::SelectPlayer);
  connect(ui_->addButton, &QPushButton::clicked, this, &GeneralPage::AddEscort);
  connect(ui_->removeButton, &QPushButton::clicked, this, &GeneralPage::RemoveEscort);
  connect(ui_->playerShipList, &QListWidget::itemDoubleClicked, this, &GeneralPage::NamePlayer);
  connect(ui_->escortList, &QListWidget::itemDoubleClicked, this, &GeneralPage::NameEscort);
  connect(ui_->optionsButton, &QPushButton::clicked, this,
          [this] { GeneralOptionsPage::Run(this, config_); });
  connect(ui_->nextButton, &QPushButton::clicked, this,
          [this] { done(static_cast<int>(PageResult::Next)); });
  connect(ui_->finishButton, &QPushButton::clicked, this, &GeneralPage::Finish);
  connect(ui_->cancelButton, &QPushButton::clicked, this, &GeneralPage::reject);
}

GeneralPage::~GeneralPage() = default;

void GeneralPage::UpdateButtons() {
  const bool classSelected = SelectedRow(*ui_->availableShipsList) >= 0;
  ui_->selectButton->setEnabled(classSelected);
  ui_->addButton->setEnabled(classSelected);
  ui_->removeButton->setEnabled(SelectedRow(*ui_->escortList) >= 0);
}

void GeneralPage::SelectPlayer() {
  const int row = SelectedRow(*ui_->availableShipsList);
  if (row < 0 || !SelectPlayerClass(config_, ships_, static_cast<std::size_t>(row))) return;
  ui_->playerShipList->clear();
  ui_->playerShipList->addItem(FromCp1252(FormatShipEntry(config_.player)));
  ui_->nextButton->setEnabled(true);
}

void GeneralPage::AddEscort() {
  const int row = SelectedRow(*ui_->availableShipsList);
  if (row < 0) return;
  BoxReporter reporter(this);
  if (!vk7::AddEscort(config_, ships_, static_cast<std::size_t>(row), reporter)) return;
  ui_->escortList->addItem(FromCp1252(FormatShipEntry(config_.escorts.back())));
}

void GeneralPage::RemoveEscort() {
  const int row = SelectedRow(*ui_->escortList);
  if (row < 0 || !vk7::RemoveEscort(config_, static_cast<std::size_t>(row))) return;
  delete ui_->escortList->takeItem(row);
  // The view may hand the selection on to a neighbour; nothing stays selected here.
  ui_->escortList->clearSelection();
  UpdateButtons();
}

void GeneralPage::NamePlayer() {
  if (SelectedRow(*ui_->playerShipList) != 0) return;
  if (!EditShipName(this, config_.player, config_, " class player ship")) return;
  ui_->playerShipList->item(0)->setText(FromCp1252(FormatShipEntry(config_.player)));
}

void GeneralPage::NameEscort() {
  const int row = SelectedRow(*ui_->escortList);
  if (row < 0 || static_cast<std::size_t>(row) >= config_.escorts.size()) return;
  ShipEntry& escort = config_.escorts[static_cast<std::size_t>(row)];
  if (!EditShipName(this, escort, config_, " class escort")) return;
  ui_->escortList->item(row)->setText(FromCp1252(FormatShipEntry(escort)));
}

void GeneralPage::Finish() {
  BoxReporter reporter(this);
  if (CheckFinishAndForceAiMode(config_, reporter)) done(static_cast<int>(PageResult::Finish));
}

void GeneralPage::reject() {
  if (CancelBox::Ask(this)) done(static_cast<int>(PageResult::Cancel));
}

PageResult GeneralPage::Run(QWidget* parent, BattleConfig& config, const ShipCatalog& ships) {
  GeneralPage page(parent, config, ships);
  const int result = ModalSeam::Current().Exec(page);
  // Anything but a page's own result (a dialog torn down from outside) counts as cancelled.
  if (result == static_cast<int>(PageResult::Next)) return PageResult::Next;
  if (result == static_cast<int>(PageResult::Finish)) return PageResult::Finish;
  return PageResult::Cancel;
}

}  // namespace vk7
