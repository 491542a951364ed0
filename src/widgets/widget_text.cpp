#include "widgets/widget_text.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include "widgets/cp1252.h"
#include "widgets/message_box.h"

namespace vk7 {

void WarnReplacedCharacters(QWidget* parent, bool lossy) {
  if (lossy) MessageBox::Show(parent, kReplacedCharactersWarning, "Warning");
}

void SetEditText(QPlainTextEdit& edit, const std::string& text) {
  QString shown = FromCp1252(text);
  shown.replace("\r\n", "\n");
  edit.setPlainText(shown);
}

std::string EditText(const QPlainTextEdit& edit, bool* lossy) {
  return ToCp1252(edit.toPlainText(), lossy);
}

void SetEditText(QLineEdit& edit, const std::string& text) {
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
  static const QRegularExpression digits("[0-9]*");
  edit.setValidator(new QRegularExpressionValidator(digits, &edit));
}

}  // namespace vk7
