#include "pages/check_results_page.h"

#include <array>

#include "ui_check_results_page.h"
#include "widgets/cp1252.h"
#include "widgets/modal_seam.h"

namespace vk7 {

CheckResultsPage::CheckResultsPage(QWidget* parent, const CheckResultsView& view,
                                   const std::optional<std::string>& title)
    : QDialog(parent), ui_(std::make_unique<Ui::CheckResultsPage>()) {
  ui_->setupUi(this);
  if (title && !title->empty()) setWindowTitle(FromCp1252(*title));
  const std::array<QListWidget*, kCheckListCount> lists = {
      ui_->shipMissingList, ui_->shipDetailsList, ui_->planetMissingList, ui_->planetDetailsList,
      ui_->systemList};
  for (std::size_t i = 0; i < kCheckListCount; ++i) {
    for (const std::string& row : view.rows[i]) lists[i]->addItem(FromCp1252(row));
  }
  ui_->summaryText->setPlainText(FromCp1252(view.summary));
  connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

CheckResultsPage::~CheckResultsPage() = default;

bool CheckResultsPage::Run(QWidget* parent, const BattleConfig& config, const ShipCatalog& ships,
                           const SystemCatalog& systems, const std::optional<std::string>& title) {
  const CheckResultsView view = BuildCheckResultsView(CheckBattle(config, ships, systems));
  CheckResultsPage page(parent, view, title);
  ModalSeam::Current().Exec(page);
  return view.anyMissing;
}

}  // namespace vk7
