#include <QApplication>
#include <QIcon>

#include "app/editor_startup.h"

int main(int argc, char** argv) {
  if (const std::optional<int> status = vk7::AnswerCommandLine(argc, argv)) return *status;

  Q_INIT_RESOURCE(velkor);
  QApplication app(argc, argv);
  QApplication::setApplicationName("Velkor Editor");
  QApplication::setOrganizationName("VelkorEdit");
  QApplication::setWindowIcon(QIcon(":/images/velkor-editor.png"));

  const std::unique_ptr<vk7::MainFrame> frame = vk7::StartEditor();
  return QApplication::exec();
}
