#include "widgets/name_box.h"

#include "ui_name_box.h"
#include "widgets/cp1252.h"
#include "widgets/modal_seam.h"
#include "widgets/widget_text.h"

namespace vk7 {

NameBox::NameBox(QWidget* parent, const std::string& prompt,
                 const std::optional<std::string>& initial)
    : QDialog(parent), ui_(std::make_unique<Ui::NameBox>()) {
  ui_->setupUi(this);
  ui_->promptLabel->setText(FromCp1252(prompt));
  ui_->nameEdit->setAccessibleName(FromCp1252(prompt));
  if (initial) ui_->nameEdit->setText(FromCp1252(*initial));
  connect(ui_->okButton, &QPushButton::clicked, this, &NameBox::TakeText);
  connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

NameBox::~NameBox() = default;

void NameBox::TakeText() {
  entered_ = TakeEnteredText(this, *ui_->nameEdit, kMaxLength);
  accept();
}

std::optional<std::string> NameBox::Ask(QWidget* parent, const std::string& prompt,
                                        const std::optional<std::string>& initial) {
  NameBox box(parent, prompt, initial);
  ModalSeam::Current().Exec(box);
  return box.Entered();
}

}  // namespace vk7
