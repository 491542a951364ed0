#pragma once

#include <QString>
#include <string>

class QWidget;

namespace vk7 {

// Shown once after "Ok" when typed text held characters that a battle file cannot store.
inline constexpr const char* kReplacedCharactersWarning =
    "Some of the characters you typed cannot be stored in the game's files and have been "
    "replaced by \"?\".";

// Shows that warning (message box titled "Warning") when `lossy` is set.
void WarnReplacedCharacters(QWidget* parent, bool lossy);

}  // namespace vk7
