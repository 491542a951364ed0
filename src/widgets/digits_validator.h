#pragma once

#include <QValidator>

class QLineEdit;

namespace vk7 {

// Lets a one-line edit hold digits only. A minus sign the program put in front of the digits
// (a negative number read from a file) may stay or be deleted, but is never typed: once gone
// or replaced (the whole text selected and typed over) it does not come back, and nothing but
// digits goes in beside it.
class DigitsValidator : public QValidator {
  Q_OBJECT

 public:
  explicit DigitsValidator(QLineEdit& edit);

  // Called before the program sets the edit's text, so that the text counts as valid and the
  // edit keeps refusing anything else.
  void AllowLeadingMinus(bool allowed) { minusAllowed_ = allowed; }

  State validate(QString& input, int& pos) const override;

 private:
  bool minusAllowed_ = false;
  bool minusSelected_ = false;
};

}  // namespace vk7
