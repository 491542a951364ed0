#include "widgets/overwrite_box.h"

#include <QStyle>

#include "ui_overwrite_box.h"
#include "widgets/cp1252.h"
#include "widgets/modal_seam.h"

namespace vk7 {

OverwriteBox::OverwriteBox(QWidget* parent, const std::string& name)
    : QDialog(parent), ui_(std::make_unique<Ui::OverwriteBox>()) {
  ui_->setupUi(this);
  ui_->iconLabel->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
  ui_->nameLabel->setText(FromCp1252(name));
  connect(ui_->yesButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->noButton, &QPushButton::clicked, this, &QDialog::reject);
}

OverwriteBox::~OverwriteBox() = default;

bool OverwriteBox::Ask(QWidget* parent, const std::string& name) {
  OverwriteBox box(parent, name);
  return ModalSeam::Current().Exec(box) == QDialog::Accepted;
}

}  // namespace vk7
