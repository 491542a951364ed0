#include "pages/dialog_lines_pair_box.h"

#include "content/dialog_text.h"
#include "pages/dialog_lines_box_logic.h"
#include "ui_dialog_lines_pair_box.h"
#include "widgets/box_reporter.h"
#include "widgets/cp1252.h"
#include "widgets/modal_seam.h"
#include "widgets/widget_text.h"

namespace vk7 {

DialogLinesPairBox::DialogLinesPairBox(QWidget* parent, std::vector<DialogLine>& upper,
                                       std::vector<DialogLine>& lower, const std::string& title,
                                       const std::string& upperCaption,
                                       const std::string& lowerCaption)
    : QDialog(parent),
      ui_(std::make_unique<Ui::DialogLinesPairBox>()),
      upper_(upper),
      lower_(lower) {
  ui_->setupUi(this);
  setWindowTitle(FromCp1252(title));
  ui_->upperGroup->setTitle(FromCp1252(upperCaption));
  ui_->upperEdit->setAccessibleName(FromCp1252(upperCaption));
  ui_->lowerGroup->setTitle(FromCp1252(lowerCaption));
  ui_->lowerEdit->setAccessibleName(FromCp1252(lowerCaption));
  SetEditText(*ui_->upperEdit, FormatDialogLines(upper));
  SetEditText(*ui_->lowerEdit, FormatDialogLines(lower));
  connect(ui_->okButton, &QPushButton::clicked, this, &DialogLinesPairBox::Apply);
  connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

DialogLinesPairBox::~DialogLinesPairBox() = default;

void DialogLinesPairBox::Apply() {
  bool lossy = false;
  const std::string upper = EditText(*ui_->upperEdit, &lossy);
  const std::string lower = EditText(*ui_->lowerEdit, &lossy);
  BoxReporter reporter(this);
  if (!StoreDialogLists({{upper, upper_}, {lower, lower_}}, reporter)) return;
  WarnReplacedCharacters(this, lossy);
  accept();
}

void DialogLinesPairBox::Run(QWidget* parent, std::vector<DialogLine>& upper,
                             std::vector<DialogLine>& lower, const std::string& title,
                             const std::string& upperCaption, const std::string& lowerCaption) {
  DialogLinesPairBox box(parent, upper, lower, title, upperCaption, lowerCaption);
  ModalSeam::Current().Exec(box);
}

}  // namespace vk7
