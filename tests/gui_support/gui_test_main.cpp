// Runs the GUI tests on the offscreen platform unless another one is asked for.
#include <gtest/gtest.h>
#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
  // The offscreen platform warns about window hints it ignores; that is noise here.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& message) {
    if (!message.contains("propagateSizeHints")) std::fprintf(stderr, "%s\n", qPrintable(message));
  });
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
