#include "app/message_box.h"

#include <QStyle>
#include <QTextOption>

#include "app/cp1252.h"
#include "app/modal_seam.h"
#include "ui_message_box.h"

namespace vk7 {

MessageBox::MessageBox(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::MessageBox>()) {
  ui_->setupUi(this);
  ui_->iconLabel->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
  QTextOption centred(Qt::AlignHCenter);
  centred.setWrapMode(QTextOption::NoWrap);
  ui_->messageText->document()->setDefaultTextOption(centred);
  connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

MessageBox::~MessageBox() = default;

void MessageBox::SetContents(const std::string& text, const std::string& title) {
  if (!title.empty()) setWindowTitle(FromCp1252(title));
  if (!text.empty()) ui_->messageText->setPlainText(FromCp1252(text));
}

QString MessageBox::Text() const { return ui_->messageText->toPlainText(); }

void MessageBox::Show(QWidget* parent, const std::string& text, const std::string& title) {
  MessageBox box(parent);
  box.SetContents(text, title);
  ModalSeam::Current().Exec(box);
}

}  // namespace vk7
