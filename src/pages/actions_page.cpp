#include "pages/actions_page.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>

#include "pages/dialog_lines_box.h"
#include "pages/dialog_lines_pair_box.h"
#include "pages/edit_limit.h"
#include "ui_actions_page.h"
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
int Id(FriendExitChoice choice) {
  return static_cast<int>(choice);
}

}  // namespace

ActionsPage::ActionsPage(QWidget* parent, StarSystem& system)
    : QDialog(parent),
      ui_(std::make_unique<Ui::ActionsPage>()),
      system_(system),
      friendWarpIn_(new QButtonGroup(this)),
      enemyWarpIn_(new QButtonGroup(this)),
      enemyWarpOut_(new QButtonGroup(this)),
      friendExit_(new QButtonGroup(this)) {
  ui_->setupUi(this);
  for (auto* edit : findChildren<QLineEdit*>()) edit->setMaxLength(static_cast<int>(kMaxEditText));
  setWindowTitle(FromCp1252("Actions of the Friend and Enemy Ships in " + system.name));

  friendWarpIn_->addButton(ui_->friendWarpInInitially, Id(WarpInChoice::Initially));
  friendWarpIn_->addButton(ui_->friendWarpInAfter, Id(WarpInChoice::After));
  enemyWarpIn_->addButton(ui_->enemyWarpInInitially, Id(WarpInChoice::Initially));
  enemyWarpIn_->addButton(ui_->enemyWarpInAfter, Id(WarpInChoice::After));
  enemyWarpOut_->addButton(ui_->enemyWarpOutNever, Id(WarpOutChoice::Never));
  enemyWarpOut_->addButton(ui_->enemyWarpOutAfter, Id(WarpOutChoice::After));
  enemyWarpOut_->addButton(ui_->enemyWarpOutAfterCleared, Id(WarpOutChoice::AfterCleared));
  friendExit_->addButton(ui_->friendExitNever, Id(FriendExitChoice::Never));
  friendExit_->addButton(ui_->friendExitWarpOutAfter, Id(FriendExitChoice::WarpOutAfter));
  friendExit_->addButton(ui_->friendExitWarpOutAfterCleared,
                         Id(FriendExitChoice::WarpOutAfterCleared));
  friendExit_->addButton(ui_->friendExitJoinEscortAfter, Id(FriendExitChoice::JoinEscortAfter));
  friendExit_->addButton(ui_->friendExitJoinEscortAfterCleared,
                         Id(FriendExitChoice::JoinEscortAfterCleared));

  for (QLineEdit* edit : {ui_->friendWarpInEdit, ui_->enemyWarpInEdit, ui_->enemyWarpOutEdit,
                          ui_->friendWarpOutEdit, ui_->joinEscortEdit}) {
    AcceptDigitsOnly(*edit);
  }

  ShowState(OpeningActionsState(system));

  // A choice only switches edits on or off; what was typed stays for a later change of mind.
  for (QButtonGroup* group : {friendWarpIn_, enemyWarpIn_, enemyWarpOut_, friendExit_}) {
    connect(group, &QButtonGroup::idToggled, this, &ActionsPage::UpdateEnabled);
  }

  // The boxes write the system's lists on their own "Ok", whatever this page does later.
  connect(ui_->friendWarpInDialogs, &QPushButton::clicked, this, [this] {
    DialogLinesBox::Run(this, system_.Dialogs(DialogEvent::FriendWarpInDialog),
                        system_.name + " Friends Warp In Dialog ", " Friends Warp In Dialog ");
  });
  connect(ui_->enemyWarpInDialogs, &QPushButton::clicked, this, [this] {
    DialogLinesBox::Run(this, system_.Dialogs(DialogEvent::EnemyWarpInDialog),
                        system_.name + " Enemies Warp In Dialog ", " Enemies Warp In Dialog ");
  });
  connect(ui_->enemyWarpOutDialogs, &QPushButton::clicked, this, [this] {
    DialogLinesBox::Run(this, system_.Dialogs(DialogEvent::EnemyWarpOutDialog),
                        system_.name + " Enemies Warp Out Dialog ", " Enemies Warp Out Dialog ");
  });
  connect(ui_->friendExitDialogs, &QPushButton::clicked, this, [this] {
    DialogLinesPairBox::Run(this, system_.Dialogs(DialogEvent::FriendWarpOutDialog),
                            system_.Dialogs(DialogEvent::FriendJoinEscortDialog),
                            system_.name + " Friends Warp Out and Join Escort Dialogs ",
                            " Friends Warp Out Dialog ", " Friends Join Escort Dialog ");
  });

  connect(ui_->okButton, &QPushButton::clicked, this, &ActionsPage::Apply);
  connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

ActionsPage::~ActionsPage() = default;

void ActionsPage::ShowState(const ActionsPageState& state) {
  friendWarpIn_->button(Id(state.friendWarpIn))->setChecked(true);
  SetEditText(*ui_->friendWarpInEdit, state.friendWarpInTime);
  enemyWarpIn_->button(Id(state.enemyWarpIn))->setChecked(true);
  SetEditText(*ui_->enemyWarpInEdit, state.enemyWarpInTime);
  enemyWarpOut_->button(Id(state.enemyWarpOut))->setChecked(true);
  SetEditText(*ui_->enemyWarpOutEdit, state.enemyWarpOutTime);
  friendExit_->button(Id(state.friendExit))->setChecked(true);
  SetEditText(*ui_->friendWarpOutEdit, state.friendWarpOutTime);
  SetEditText(*ui_->joinEscortEdit, state.joinEscortTime);
  UpdateEnabled();
}

ActionsPageState ActionsPage::CollectState() const {
  // The edits take digits only, so nothing typed there can be lost in the conversion.
  ActionsPageState state;
  state.friendWarpIn = static_cast<WarpInChoice>(friendWarpIn_->checkedId());
  state.friendWarpInTime = EditText(*ui_->friendWarpInEdit, nullptr);
  state.enemyWarpIn = static_cast<WarpInChoice>(enemyWarpIn_->checkedId());
  state.enemyWarpInTime = EditText(*ui_->enemyWarpInEdit, nullptr);
  state.enemyWarpOut = static_cast<WarpOutChoice>(enemyWarpOut_->checkedId());
  state.enemyWarpOutTime = EditText(*ui_->enemyWarpOutEdit, nullptr);
  state.friendExit = static_cast<FriendExitChoice>(friendExit_->checkedId());
  state.friendWarpOutTime = EditText(*ui_->friendWarpOutEdit, nullptr);
  state.joinEscortTime = EditText(*ui_->joinEscortEdit, nullptr);
  return state;
}

void ActionsPage::UpdateEnabled() {
  ui_->friendWarpInEdit->setEnabled(friendWarpIn_->checkedId() == Id(WarpInChoice::After));
  ui_->enemyWarpInEdit->setEnabled(enemyWarpIn_->checkedId() == Id(WarpInChoice::After));
  ui_->enemyWarpOutEdit->setEnabled(enemyWarpOut_->checkedId() == Id(WarpOutChoice::After));
  ui_->friendWarpOutEdit->setEnabled(friendExit_->checkedId() ==
                                     Id(FriendExitChoice::WarpOutAfter));
  ui_->joinEscortEdit->setEnabled(friendExit_->checkedId() ==
                                  Id(FriendExitChoice::JoinEscortAfter));
}

void ActionsPage::Apply() {
  BoxReporter reporter(this);
  if (ApplyActions(CollectState(), system_, reporter)) accept();
}

void ActionsPage::Run(QWidget* parent, BattleConfig& /*config*/, StarSystem& system) {
  ActionsPage page(parent, system);
  ModalSeam::Current().Exec(page);
}

}  // namespace vk7
