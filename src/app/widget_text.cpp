#include "app/widget_text.h"

#include "app/message_box.h"

namespace vk7 {

void WarnReplacedCharacters(QWidget* parent, bool lossy) {
  if (lossy) MessageBox::Show(parent, kReplacedCharactersWarning, "Warning");
}

}  // namespace vk7
