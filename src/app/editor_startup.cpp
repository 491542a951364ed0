#include "app/editor_startup.h"

#include "app/game_settings.h"

namespace vk7 {

std::unique_ptr<MainFrame> StartEditor() {
  const std::optional<QString> stored = GameSettings::Read();
  auto frame = std::make_unique<MainFrame>(stored.value_or(QString()));
  frame->show();
  if (!stored) frame->ConfigureGameDirectory();
  return frame;
}

}  // namespace vk7
