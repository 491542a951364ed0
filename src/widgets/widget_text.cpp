#include "widgets/widget_text.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

#include "widgets/cp1252.h"
#include "widgets/digits_validator.h"
#include "widgets/message_box.h"

namespace vk7 {

void WarnReplacedCharacters(QWidget* parent, bool lossy) {
  if (lossy) MessageBox::Show(parent, kReplacedCharactersWarning, "Warning");
}

void SetEditText(QPlainTextEdit& edit, const std::string& text) {
  edit.setPlainText(FromCp1252Lines(text));
}

std::string EditText(const QPlainTextEdit& edit, bool* lossy) {
  // The raw text: the plain text would turn no-break spaces into blanks.
  return ToCp1252Lines(edit.document()->toRawText(), lossy);
}

void SetEditText(QLineEdit& edit, const std::string& text) {
  // A digits-only edit must count its text as valid, or it would stop refusing what is typed.
  if (auto* digits = edit.findChild<DigitsValidator*>(QString(), Qt::FindDirectChildrenOnly)) {
    digits->AllowLeadingMinus(!text.empty() && text.front() == '-');
  }
  edit.setText(FromCp1252(text));
}

std::string EditText(const QLineEdit& edit, bool* lossy) {
  return ToCp1252(edit.text(), lossy);
}

std::string TakeEnteredText(QWidget* box, const QLineEdit& edit, std::size_t limit) {
  bool lossy = false;
  std::string text = EditText(edit, &lossy);
  if (text.size() > limit) text.resize(limit);
  WarnReplacedCharacters(box, lossy);
  return text;
}

void AcceptDigitsOnly(QLineEdit& edit) {
  edit.setValidator(new DigitsValidator(edit));
}

}  // namespace vk7
