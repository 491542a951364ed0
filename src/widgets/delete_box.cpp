#include "widgets/delete_box.h"

#include <QStyle>

#include "ui_delete_box.h"
#include "widgets/cp1252.h"
#include "widgets/modal_seam.h"

namespace vk7 {

DeleteBox::DeleteBox(QWidget* parent, const std::string& object)
    : QDialog(parent), ui_(std::make_unique<Ui::DeleteBox>()) {
  ui_->setupUi(this);
  ui_->iconLabel->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
  ui_->objectLabel->setText(FromCp1252(object));
  connect(ui_->yesButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->noButton, &QPushButton::clicked, this, &QDialog::reject);
}

DeleteBox::~DeleteBox() = default;

bool DeleteBox::Ask(QWidget* parent, const std::string& object) {
  DeleteBox box(parent, object);
  return ModalSeam::Current().Exec(box) == QDialog::Accepted;
}

}  // namespace vk7
