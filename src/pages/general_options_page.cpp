#include "pages/general_options_page.h"

#include <QButtonGroup>

#include "ui_general_options_page.h"
#include "widgets/box_reporter.h"
#include "widgets/modal_seam.h"
#include "widgets/widget_text.h"

namespace vk7 {

namespace {

QButtonGroup* Group(QWidget* owner, std::initializer_list<QAbstractButton*> buttons) {
  auto* group = new QButtonGroup(owner);
  int id = 0;
  for (QAbstractButton* button : buttons) group->addButton(button, id++);
  return group;
}

template <typename Mode>
void Check(QButtonGroup& group, Mode value) {
  if (QAbstractButton* button = group.button(static_cast<int>(value))) button->setChecked(true);
}

template <typename Mode>
Mode Checked(const QButtonGroup& group) {
  return static_cast<Mode>(group.checkedId());
}

}  // namespace

GeneralOptionsPage::GeneralOptionsPage(QWidget* parent, BattleConfig& config)
    : QDialog(parent), ui_(std::make_unique<Ui::GeneralOptionsPage>()), config_(config) {
  ui_->setupUi(this);
  ui_->titleLabel->setBuddy(ui_->titleEdit);
  ui_->titleEdit->setMaxLength(static_cast<int>(kMaxTitle));
  shipChange_ = Group(this, {ui_->shipChangeOff, ui_->shipChangeManual, ui_->shipChangeAutomatic});
  warpOut_ = Group(this, {ui_->warpOutAnytime, ui_->warpOutWhenCleared, ui_->warpOutSequential});
  collision_ =
      Group(this, {ui_->collisionsOn, ui_->collisionsOffForPlayer, ui_->collisionsOffForAll});
  perfectCloak_ = Group(this, {ui_->perfectCloakOff, ui_->perfectCloakOn});
  Show(OpenGeneralOptions(config));
  connect(ui_->okButton, &QPushButton::clicked, this, &GeneralOptionsPage::Ok);
  connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

GeneralOptionsPage::~GeneralOptionsPage() = default;

void GeneralOptionsPage::Show(const GeneralOptionsState& state) {
  SetEditText(*ui_->titleEdit, state.title);
  SetEditText(*ui_->titleLinesEdit, state.titleLines);
  Check(*shipChange_, state.shipChange);
  Check(*warpOut_, state.warpOut);
  Check(*collision_, state.collision);
  Check(*perfectCloak_, state.perfectCloak ? 1 : 0);
  SetEditText(*ui_->remarksEdit, state.remarks);
}

GeneralOptionsState GeneralOptionsPage::Read(bool* lossy) const {
  GeneralOptionsState state;
  state.title = EditText(*ui_->titleEdit, lossy);
  state.titleLines = EditText(*ui_->titleLinesEdit, lossy);
  state.shipChange = Checked<ShipChangeMode>(*shipChange_);
  state.warpOut = Checked<WarpOutMode>(*warpOut_);
  state.collision = Checked<CollisionMode>(*collision_);
  state.perfectCloak = perfectCloak_->checkedId() == 1;
  state.remarks = EditText(*ui_->remarksEdit, lossy);
  return state;
}

void GeneralOptionsPage::Ok() {
  bool lossy = false;
  const GeneralOptionsState state = Read(&lossy);
  BoxReporter reporter(this);
  if (!Apply(state, config_, reporter)) return;
  WarnReplacedCharacters(this, lossy);
  accept();
}

void GeneralOptionsPage::Run(QWidget* parent, BattleConfig& config) {
  GeneralOptionsPage page(parent, config);
  ModalSeam::Current().Exec(page);
}

}  // namespace vk7
