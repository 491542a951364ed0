#pragma once

#include <QString>
#include <cstddef>
#include <string>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace vk7 {

// Shown once after "Ok" when typed text held characters that a battle file cannot store.
inline constexpr const char* kReplacedCharactersWarning =
    "Some of the characters you typed cannot be stored in the game's files and have been "
    "replaced by \"?\".";

// Shows that warning (message box titled "Warning") when `lossy` is set.
void WarnReplacedCharacters(QWidget* parent, bool lossy);

// Multi-line text of the core (CR LF line ends) into an edit, and back (CR LF line ends), byte
// for byte where the user changed nothing.
void SetEditText(QPlainTextEdit& edit, const std::string& text);
std::string EditText(const QPlainTextEdit& edit, bool* lossy);
void SetEditText(QLineEdit& edit, const std::string& text);
std::string EditText(const QLineEdit& edit, bool* lossy);

// The text of an entry box's field as typed, cut to `limit` characters, with the warning
// about replaced characters shown when needed.
std::string TakeEnteredText(QWidget* box, const QLineEdit& edit, std::size_t limit);

// Lets the edit accept digits only, refusing anything else as it is typed. A minus sign that
// SetEditText puts in front (a negative number from a file) may stay or be deleted.
void AcceptDigitsOnly(QLineEdit& edit);

}  // namespace vk7
