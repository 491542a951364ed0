#include "widgets/confirm_box.h"

#include <QStyle>

#include "ui_confirm_box.h"
#include "widgets/cp1252.h"
#include "widgets/modal_seam.h"

namespace vk7 {

ConfirmBox::ConfirmBox(QWidget* parent, const std::string& question, const std::string& title,
                       bool noByDefault)
    : QDialog(parent), ui_(std::make_unique<Ui::ConfirmBox>()) {
  ui_->setupUi(this);
  if (!title.empty()) setWindowTitle(FromCp1252(title));
  if (noByDefault) {
    ui_->yesButton->setDefault(false);
    ui_->yesButton->setAutoDefault(false);
    ui_->noButton->setDefault(true);
    ui_->noButton->setFocus();
  }
  ui_->iconLabel->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
  ui_->questionLabel->setText(FromCp1252(question));
  connect(ui_->yesButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->noButton, &QPushButton::clicked, this, &QDialog::reject);
}

ConfirmBox::~ConfirmBox() = default;

bool ConfirmBox::Ask(QWidget* parent, const std::string& question, const std::string& title,
                     bool noByDefault) {
  ConfirmBox box(parent, question, title, noByDefault);
  return ModalSeam::Current().Exec(box) == QDialog::Accepted;
}

std::function<bool()> ConfirmBox::ForGood(QWidget* parent, const std::string& fileName) {
  return [parent, fileName] {
    return Ask(parent,
               "The trash cannot take \"" + fileName +
                   "\", so it would be lost for good. Delete or replace it anyway?",
               "No Trash", true);
  };
}

}  // namespace vk7
