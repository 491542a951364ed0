#include "app/editor_startup.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#endif

#include "app/game_settings.h"
#include "app/recovery_file.h"
#include "widgets/native_path.h"

namespace vk7 {

std::unique_ptr<MainFrame> StartEditor() {
  const std::optional<QString> stored = GameSettings::Read();
  auto frame = std::make_unique<MainFrame>(stored.value_or(QString()));
  frame->show();
  if (!stored) {
    frame->ConfigureGameDirectory();
  } else if (!RecoveryFile::Waiting(GameFolder(ToPath(*stored))).empty()) {
    // Edits that a crash interrupted are offered at once, in the battle list they belong to.
    QTimer::singleShot(0, frame.get(), &MainFrame::Start);
  }
  return frame;
}

std::optional<int> AnswerCommandLine(int& argc, char** argv) {
  const QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName("velkor-editor");
  QCoreApplication::setApplicationVersion(VK7_VERSION);
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Edits the battle files (.vk7) in the scripts folder of the game.");
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  // Anything else (Qt's own options such as -platform) is left to QApplication.
  parser.parse(QCoreApplication::arguments());
  QString answer;
  if (parser.isSet(help)) {
    answer = parser.helpText();
  } else if (parser.isSet(version)) {
    answer = "velkor-editor " + QCoreApplication::applicationVersion() + "\n";
  } else {
    return std::nullopt;
  }
#ifdef _WIN32
  // A Windows program of the GUI kind starts without standard output unless it was redirected:
  // answer in the console it was started from.
  if (GetStdHandle(STD_OUTPUT_HANDLE) == nullptr && AttachConsole(ATTACH_PARENT_PROCESS)) {
    std::freopen("CONOUT$", "w", stdout);
  }
#endif
  std::fputs(answer.toLocal8Bit().constData(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace vk7
