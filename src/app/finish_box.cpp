#include "app/finish_box.h"

#include <QStyle>

#include "battle/native_file.h"
#include "content/battle_name.h"
#include "ui_finish_box.h"
#include "widgets/box_reporter.h"
#include "widgets/cp1252.h"
#include "widgets/modal_seam.h"
#include "widgets/overwrite_box.h"
#include "widgets/save_under_box.h"

namespace vk7 {

FinishBox::FinishBox(QWidget* parent, const GameFolder& game, const std::string& name)
    : QDialog(parent), ui_(std::make_unique<Ui::FinishBox>()), game_(game), name_(name) {
  ui_->setupUi(this);
  ui_->iconLabel->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
  ui_->nameLabel->setText(FromCp1252(name));
  connect(ui_->saveButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->saveUnderButton, &QPushButton::clicked, this, &FinishBox::SaveUnder);
  connect(ui_->backButton, &QPushButton::clicked, this, &QDialog::reject);
}

FinishBox::~FinishBox() = default;

void FinishBox::SaveUnder() {
  const std::optional<std::string> entered = SaveUnderBox::Ask(this, name_, std::nullopt);
  if (!entered) return;
  BoxReporter reporter(this);
  const std::optional<std::string> name = TypedBattleName(*entered, reporter);
  if (!name) return;
  if (OpensForUpdate(game_.BattleFile(*name))) {
    if (!OverwriteBox::Ask(this, *name)) return;
    replacing_ = true;
  }
  name_ = *name;
  accept();
}

bool FinishBox::Ask(QWidget* parent, const GameFolder& game, std::string& name, bool& replacing) {
  FinishBox box(parent, game, name);
  if (ModalSeam::Current().Exec(box) != QDialog::Accepted) return false;
  name = box.Name();
  replacing = box.Replacing();
  return true;
}

}  // namespace vk7
