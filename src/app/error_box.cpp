#include "app/error_box.h"

#include <QStyle>
#include <QTextOption>

#include "app/cp1252.h"
#include "app/modal_seam.h"
#include "ui_error_box.h"

namespace vk7 {

ErrorBox::ErrorBox(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::ErrorBox>()) {
  ui_->setupUi(this);
  ui_->iconLabel->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(32, 32));
  QTextOption centred(Qt::AlignHCenter);
  centred.setWrapMode(QTextOption::WordWrap);
  ui_->messageText->document()->setDefaultTextOption(centred);
  connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

ErrorBox::~ErrorBox() = default;

void ErrorBox::SetContents(const std::string& text, const std::string& title) {
  if (!title.empty()) setWindowTitle(FromCp1252(title));
  if (!text.empty()) ui_->messageText->setPlainText(FromCp1252(text));
}

QString ErrorBox::Text() const { return ui_->messageText->toPlainText(); }

void ErrorBox::Show(QWidget* parent, const std::string& text, const std::string& title) {
  ErrorBox box(parent);
  box.SetContents(text, title);
  ModalSeam::Current().Exec(box);
}

}  // namespace vk7
