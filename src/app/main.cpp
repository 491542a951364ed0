#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Velkor Editor");
  QMainWindow window;
  window.setWindowTitle("Velkor Editor");
  window.show();
  return QApplication::exec();
}
