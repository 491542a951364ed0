#include "app/about_box.h"

#include "ui_about_box.h"
#include "widgets/modal_seam.h"

namespace vk7 {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::AboutBox>()) {
  ui_->setupUi(this);
  ui_->iconLabel->setPixmap(QPixmap(":/images/velkor-editor.png"));
  connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

AboutBox::~AboutBox() = default;

void AboutBox::Show(QWidget* parent) {
  AboutBox box(parent);
  ModalSeam::Current().Exec(box);
}

}  // namespace vk7
