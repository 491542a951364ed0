#include "widgets/replace_box.h"

#include <QStyle>

#include "ui_replace_box.h"
#include "widgets/cp1252.h"
#include "widgets/modal_seam.h"

namespace vk7 {

ReplaceBox::ReplaceBox(QWidget* parent, const std::string& first, const std::string& second)
    : QDialog(parent), ui_(std::make_unique<Ui::ReplaceBox>()) {
  ui_->setupUi(this);
  ui_->iconLabel->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
  ui_->firstLabel->setText(FromCp1252(first));
  ui_->secondLabel->setText(FromCp1252(second));
  connect(ui_->yesButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->noButton, &QPushButton::clicked, this, &QDialog::reject);
}

ReplaceBox::~ReplaceBox() = default;

bool ReplaceBox::Ask(QWidget* parent, const std::string& first, const std::string& second) {
  ReplaceBox box(parent, first, second);
  return ModalSeam::Current().Exec(box) == QDialog::Accepted;
}

}  // namespace vk7
