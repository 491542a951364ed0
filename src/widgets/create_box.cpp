#include "widgets/create_box.h"

#include "ui_create_box.h"
#include "widgets/cp1252.h"
#include "widgets/modal_seam.h"
#include "widgets/widget_text.h"

namespace vk7 {

CreateBox::CreateBox(QWidget* parent, const std::string& initial)
    : QDialog(parent), ui_(std::make_unique<Ui::CreateBox>()) {
  ui_->setupUi(this);
  ui_->nameEdit->setText(FromCp1252(initial));
  connect(ui_->okButton, &QPushButton::clicked, this, &CreateBox::TakeText);
  connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CreateBox::~CreateBox() = default;

void CreateBox::TakeText() {
  entered_ = TakeEnteredText(this, *ui_->nameEdit, kMaxLength);
  accept();
}

std::optional<std::string> CreateBox::Ask(QWidget* parent, const std::string& initial) {
  CreateBox box(parent, initial);
  ModalSeam::Current().Exec(box);
  return box.Entered();
}

}  // namespace vk7
