#include "widgets/error_box.h"

#include <QFontMetrics>
#include <QScrollBar>
#include <QStringList>
#include <QStyle>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>

#include "ui_error_box.h"
#include "widgets/cp1252.h"
#include "widgets/modal_seam.h"

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
  if (text.empty()) return;
  const QString shown = FromCp1252(text);
  ui_->messageText->setPlainText(shown);
  // Tall enough for the wrapped text (up to a limit; beyond it the field scrolls).
  QTextEdit& edit = *ui_->messageText;
  const QFontMetrics metrics(edit.font());
  const int margins =
      2 * edit.frameWidth() + 2 * static_cast<int>(edit.document()->documentMargin());
  const int width = std::max(edit.minimumWidth(), 340);
  const QRect wrapped =
      metrics.boundingRect(QRect(0, 0, width - margins, 100000), Qt::TextWordWrap, shown);
  edit.setMinimumWidth(width);
  edit.setFixedHeight(std::min(wrapped.height() + margins + metrics.lineSpacing(), 320));
}

QString ErrorBox::Text() const {
  return ui_->messageText->toPlainText();
}

void ErrorBox::Show(QWidget* parent, const std::string& text, const std::string& title) {
  ErrorBox box(parent);
  box.SetContents(text, title);
  ModalSeam::Current().Exec(box);
}

}  // namespace vk7
