#include "widgets/message_box.h"

#include <QFontMetrics>
#include <QScrollBar>
#include <QStringList>
#include <QStyle>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>

#include "ui_message_box.h"
#include "widgets/cp1252.h"
#include "widgets/modal_seam.h"

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
  if (text.empty()) return;
  const QString shown = FromCp1252(text);
  ui_->messageText->setPlainText(shown);
  // Lines do not wrap, so the field is made as wide as the widest line (up to a limit;
  // beyond it the field scrolls sideways) and as tall as the lines.
  QTextEdit& edit = *ui_->messageText;
  const QFontMetrics metrics(edit.font());
  const int margins =
      2 * edit.frameWidth() + 2 * static_cast<int>(edit.document()->documentMargin());
  int widest = 0;
  const QStringList lines = shown.split('\n');
  for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
  constexpr int kWidest = 900;
  constexpr int kTallest = 16;
  const int slack = 12;  // the text cursor and rounding
  const bool tooWide = widest + margins + slack > kWidest;
  const bool tooTall = lines.size() > kTallest;
  edit.setHorizontalScrollBarPolicy(tooWide ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  edit.setVerticalScrollBarPolicy(tooTall ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  const int shownLines = tooTall ? kTallest : static_cast<int>(lines.size());
  edit.setMinimumWidth(std::min(widest + margins + slack, kWidest));
  edit.setFixedHeight(shownLines * metrics.lineSpacing() + margins + slack +
                      (tooWide ? edit.horizontalScrollBar()->sizeHint().height() : 0));
}

QString MessageBox::Text() const {
  return ui_->messageText->toPlainText();
}

void MessageBox::Show(QWidget* parent, const std::string& text, const std::string& title) {
  MessageBox box(parent);
  box.SetContents(text, title);
  ModalSeam::Current().Exec(box);
}

}  // namespace vk7
