#include "pages/dialog_lines_box.h"

#include "content/dialog_text.h"
#include "pages/dialog_lines_box_logic.h"
#include "ui_dialog_lines_box.h"
#include "widgets/box_reporter.h"
#include "widgets/cp1252.h"
#include "widgets/modal_seam.h"
#include "widgets/widget_text.h"

namespace vk7 {

DialogLinesBox::DialogLinesBox(QWidget* parent, std::vector<DialogLine>& list,
                               const std::string& title, const std::string& caption)
    : QDialog(parent), ui_(std::make_unique<Ui::DialogLinesBox>()), list_(list) {
  ui_->setupUi(this);
  setWindowTitle(FromCp1252(title));
  ui_->dialogGroup->setTitle(FromCp1252(caption));
  ui_->dialogEdit->setAccessibleName(FromCp1252(caption));
  SetEditText(*ui_->dialogEdit, FormatDialogLines(list));
  connect(ui_->okButton, &QPushButton::clicked, this, &DialogLinesBox::Apply);
  connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

DialogLinesBox::~DialogLinesBox() = default;

void DialogLinesBox::Apply() {
  bool lossy = false;
  const std::string text = EditText(*ui_->dialogEdit, &lossy);
  BoxReporter reporter(this);
  if (!StoreDialogLists({{text, list_}}, reporter)) return;
  WarnReplacedCharacters(this, lossy);
  accept();
}

void DialogLinesBox::Run(QWidget* parent, std::vector<DialogLine>& list, const std::string& title,
                         const std::string& caption) {
  DialogLinesBox box(parent, list, title, caption);
  ModalSeam::Current().Exec(box);
}

}  // namespace vk7
