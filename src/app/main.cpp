#include <QApplication>
#include <QIcon>

#include "app/game_settings.h"
#include "app/main_frame.h"

int main(int argc, char** argv) {
  Q_INIT_RESOURCE(velkor);
  QApplication app(argc, argv);
  QApplication::setApplicationName("Velkor Editor");
  QApplication::setOrganizationName("VelkorEdit");
  QApplication::setWindowIcon(QIcon(":/images/velkor-editor.png"));

  const std::optional<QString> stored = vk7::GameSettings::Read();
  vk7::MainFrame frame(stored.value_or(QString()));
  frame.show();
  // First start: nothing stored yet, so ask for the game folder at once.
  if (!stored) frame.ConfigureGameDirectory();
  return QApplication::exec();
}
