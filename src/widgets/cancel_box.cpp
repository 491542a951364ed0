#include "widgets/cancel_box.h"

#include <QStyle>

#include "ui_cancel_box.h"
#include "widgets/cp1252.h"
#include "widgets/modal_seam.h"

namespace vk7 {

CancelBox::CancelBox(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::CancelBox>()) {
  ui_->setupUi(this);
  ui_->iconLabel->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
  connect(ui_->yesButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->noButton, &QPushButton::clicked, this, &QDialog::reject);
}

CancelBox::~CancelBox() = default;

bool CancelBox::Ask(QWidget* parent) {
  CancelBox box(parent);
  return ModalSeam::Current().Exec(box) == QDialog::Accepted;
}

}  // namespace vk7
