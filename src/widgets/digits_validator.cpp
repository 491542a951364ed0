#include "widgets/digits_validator.h"

#include <QLineEdit>

namespace vk7 {

DigitsValidator::DigitsValidator(QLineEdit& edit) : QValidator(&edit) {
  connect(&edit, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (!text.startsWith(u'-')) minusAllowed_ = false;
  });
  // The selection as it stood before a change: a change replacing a selection from the first
  // character on replaces the minus read from the file, so a minus it brings was typed.
  connect(&edit, &QLineEdit::selectionChanged, this,
          [this, &edit] { minusSelected_ = edit.hasSelectedText() && edit.selectionStart() == 0; });
}

QValidator::State DigitsValidator::validate(QString& input, int&) const {
  const qsizetype first = minusAllowed_ && !minusSelected_ && input.startsWith(u'-') ? 1 : 0;
  for (qsizetype i = first; i < input.size(); ++i) {
    if (input.at(i) < u'0' || input.at(i) > u'9') return Invalid;
  }
  return Acceptable;
}

}  // namespace vk7
