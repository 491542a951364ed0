#include "pages/system_options_page.h"

#include <QButtonGroup>

#include "ui_system_options_page.h"
#include "widgets/box_reporter.h"
#include "widgets/cp1252.h"
#include "widgets/modal_seam.h"
#include "widgets/widget_text.h"

namespace vk7 {

SystemOptionsPage::SystemOptionsPage(QWidget* parent, BattleConfig&, StarSystem& system)
    : QDialog(parent), ui_(std::make_unique<Ui::SystemOptionsPage>()), system_(system) {
  ui_->setupUi(this);
  ui_->stardateLabel->setBuddy(ui_->stardateEdit);
  AcceptDigitsOnly(*ui_->stardateEdit);
  battleMode_ = new QButtonGroup(this);
  battleMode_->addButton(ui_->battleModeAI, static_cast<int>(BattleMode::AI));
  battleMode_->addButton(ui_->battleModeStatistic, static_cast<int>(BattleMode::Stat));
  setWindowTitle(FromCp1252(SystemOptionsTitle(system)));
  Show(OpenSystemOptions(system));
  connect(ui_->okButton, &QPushButton::clicked, this, &SystemOptionsPage::Ok);
  connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

SystemOptionsPage::~SystemOptionsPage() = default;

void SystemOptionsPage::Show(const SystemOptionsState& state) {
  if (QAbstractButton* button = battleMode_->button(static_cast<int>(state.battleMode))) {
    button->setChecked(true);
  }
  ui_->warpDisablePlayer->setChecked(state.warpDisablePlayer);
  ui_->warpDisableFriend->setChecked(state.warpDisableFriend);
  ui_->warpDisableEnemy->setChecked(state.warpDisableEnemy);
  ui_->warpDisableNeutral->setChecked(state.warpDisableNeutral);
  // A negative stardate from a file is shown with its sign, which may stay or be deleted.
  SetEditText(*ui_->stardateEdit, state.stardate);
  SetEditText(*ui_->startingEdit, state.startingDialogs);
  SetEditText(*ui_->endingEdit, state.endingDialogs);
}

SystemOptionsState SystemOptionsPage::Read(bool* lossy) const {
  SystemOptionsState state;
  state.battleMode = static_cast<BattleMode>(battleMode_->checkedId());
  state.warpDisablePlayer = ui_->warpDisablePlayer->isChecked();
  state.warpDisableFriend = ui_->warpDisableFriend->isChecked();
  state.warpDisableEnemy = ui_->warpDisableEnemy->isChecked();
  state.warpDisableNeutral = ui_->warpDisableNeutral->isChecked();
  state.stardate = EditText(*ui_->stardateEdit, lossy);
  state.startingDialogs = EditText(*ui_->startingEdit, lossy);
  state.endingDialogs = EditText(*ui_->endingEdit, lossy);
  return state;
}

void SystemOptionsPage::Ok() {
  bool lossy = false;
  const SystemOptionsState state = Read(&lossy);
  BoxReporter reporter(this);
  if (!Apply(state, system_, reporter)) return;
  WarnReplacedCharacters(this, lossy);
  accept();
}

void SystemOptionsPage::Run(QWidget* parent, BattleConfig& config, StarSystem& system) {
  SystemOptionsPage page(parent, config, system);
  ModalSeam::Current().Exec(page);
}

}  // namespace vk7
