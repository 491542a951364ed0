#include "widgets/save_under_box.h"

#include "ui_save_under_box.h"
#include "widgets/cp1252.h"
#include "widgets/modal_seam.h"
#include "widgets/widget_text.h"

namespace vk7 {

SaveUnderBox::SaveUnderBox(QWidget* parent, const std::string& initial,
                           const std::optional<std::string>& title)
    : QDialog(parent), ui_(std::make_unique<Ui::SaveUnderBox>()) {
  ui_->setupUi(this);
  ui_->nameEdit->setText(FromCp1252(initial));
  if (title) setWindowTitle(FromCp1252(*title));
  connect(ui_->okButton, &QPushButton::clicked, this, &SaveUnderBox::TakeText);
  connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

SaveUnderBox::~SaveUnderBox() = default;

void SaveUnderBox::TakeText() {
  entered_ = TakeEnteredText(this, *ui_->nameEdit, kMaxLength);
  accept();
}

std::optional<std::string> SaveUnderBox::Ask(QWidget* parent, const std::string& initial,
                                             const std::optional<std::string>& title) {
  SaveUnderBox box(parent, initial, title);
  ModalSeam::Current().Exec(box);
  return box.Entered();
}

}  // namespace vk7
