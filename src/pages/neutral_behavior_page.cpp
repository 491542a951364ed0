#include "pages/neutral_behavior_page.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>

#include "pages/dialog_lines_box.h"
#include "pages/dialog_lines_pair_box.h"
#include "pages/edit_limit.h"
#include "ui_neutral_behavior_page.h"
#include "widgets/box_reporter.h"
#include "widgets/cp1252.h"
#include "widgets/modal_seam.h"
#include "widgets/widget_text.h"

namespace vk7 {
namespace {

int Id(WarpInChoice choice) {
  return static_cast<int>(choice);
}
int Id(WarpOutChoice choice) {
  return static_cast<int>(choice);
}
int Id(NeutralBehavior behavior) {
  return static_cast<int>(behavior);
}

bool NeedsTime(int behaviorId) {
  return behaviorId == Id(NeutralBehavior::EnemyAfter) ||
         behaviorId == Id(NeutralBehavior::FriendAfter);
}

}  // namespace

NeutralBehaviorPage::NeutralBehaviorPage(QWidget* parent, StarSystem& system)
    : QDialog(parent),
      ui_(std::make_unique<Ui::NeutralBehaviorPage>()),
      system_(system),
      warpIn_(new QButtonGroup(this)),
      warpOut_(new QButtonGroup(this)),
      behavior_(new QButtonGroup(this)) {
  ui_->setupUi(this);
  for (auto* edit : findChildren<QLineEdit*>()) edit->setMaxLength(static_cast<int>(kMaxEditText));
  setWindowTitle(FromCp1252("Actions and Behavior of the Neutral Ships in " + system.name));

  warpIn_->addButton(ui_->warpInInitially, Id(WarpInChoice::Initially));
  warpIn_->addButton(ui_->warpInAfter, Id(WarpInChoice::After));
  warpOut_->addButton(ui_->warpOutNever, Id(WarpOutChoice::Never));
  warpOut_->addButton(ui_->warpOutAfter, Id(WarpOutChoice::After));
  warpOut_->addButton(ui_->warpOutAfterCleared, Id(WarpOutChoice::AfterCleared));
  behavior_->addButton(ui_->behaviorEnemyWhenAttacked, Id(NeutralBehavior::EnemyWhenAttacked));
  behavior_->addButton(ui_->behaviorEnemyAfter, Id(NeutralBehavior::EnemyAfter));
  behavior_->addButton(ui_->behaviorFriendAfter, Id(NeutralBehavior::FriendAfter));
  behavior_->addButton(ui_->behaviorRandom, Id(NeutralBehavior::Random));

  for (QLineEdit* edit : {ui_->warpInEdit, ui_->warpOutEdit, ui_->behaviorEdit}) {
    AcceptDigitsOnly(*edit);
  }

  ShowState(OpeningNeutralBehaviorState(system));

  // A choice only switches edits on or off; what was typed stays for a later change of mind.
  for (QButtonGroup* group : {warpIn_, warpOut_, behavior_}) {
    connect(group, &QButtonGroup::idToggled, this, &NeutralBehaviorPage::UpdateEnabled);
  }

  // The boxes write the system's lists on their own "Ok", whatever this page does later.
  connect(ui_->warpInDialogs, &QPushButton::clicked, this, [this] {
    DialogLinesBox::Run(this, system_.Dialogs(DialogEvent::NeutralWarpInDialog),
                        system_.name + " Neutrals Warp In Dialog ", " Neutrals Warp In Dialog ");
  });
  connect(ui_->warpOutDialogs, &QPushButton::clicked, this, [this] {
    DialogLinesBox::Run(this, system_.Dialogs(DialogEvent::NeutralWarpOutDialog),
                        system_.name + " Neutrals Warp Out Dialog ", " Neutrals Warp Out Dialog ");
  });
  connect(ui_->behaviorDialogs, &QPushButton::clicked, this, [this] {
    DialogLinesPairBox::Run(this, system_.Dialogs(DialogEvent::NeutralToFriendDialog),
                            system_.Dialogs(DialogEvent::NeutralToEnemyDialog),
                            system_.name + " Neutral Behavior Dialogs ",
                            " Neutrals Become Friends Dialog ", " Neutrals Become Enemies Dialog ");
  });

  connect(ui_->okButton, &QPushButton::clicked, this, &NeutralBehaviorPage::Apply);
  connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

NeutralBehaviorPage::~NeutralBehaviorPage() = default;

void NeutralBehaviorPage::ShowState(const NeutralBehaviorPageState& state) {
  warpIn_->button(Id(state.warpIn))->setChecked(true);
  SetEditText(*ui_->warpInEdit, state.warpInTime);
  warpOut_->button(Id(state.warpOut))->setChecked(true);
  SetEditText(*ui_->warpOutEdit, state.warpOutTime);
  behavior_->button(Id(state.behavior))->setChecked(true);
  SetEditText(*ui_->behaviorEdit, state.behaviorTime);
  UpdateEnabled();
}

NeutralBehaviorPageState NeutralBehaviorPage::CollectState() const {
  // The edits take digits only, so nothing typed there can be lost in the conversion.
  NeutralBehaviorPageState state;
  state.warpIn = static_cast<WarpInChoice>(warpIn_->checkedId());
  state.warpInTime = EditText(*ui_->warpInEdit, nullptr);
  state.warpOut = static_cast<WarpOutChoice>(warpOut_->checkedId());
  state.warpOutTime = EditText(*ui_->warpOutEdit, nullptr);
  state.behavior = static_cast<NeutralBehavior>(behavior_->checkedId());
  state.behaviorTime = EditText(*ui_->behaviorEdit, nullptr);
  return state;
}

void NeutralBehaviorPage::UpdateEnabled() {
  ui_->warpInEdit->setEnabled(warpIn_->checkedId() == Id(WarpInChoice::After));
  ui_->warpOutEdit->setEnabled(warpOut_->checkedId() == Id(WarpOutChoice::After));
  ui_->behaviorEdit->setEnabled(NeedsTime(behavior_->checkedId()));
}

void NeutralBehaviorPage::Apply() {
  BoxReporter reporter(this);
  if (ApplyNeutralBehavior(CollectState(), system_, reporter)) accept();
}

void NeutralBehaviorPage::Run(QWidget* parent, BattleConfig& /*config*/, StarSystem& system) {
  NeutralBehaviorPage page(parent, system);
  ModalSeam::Current().Exec(page);
}

}  // namespace vk7
