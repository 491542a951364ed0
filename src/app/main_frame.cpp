#include "app/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QKeySequence>
#include <QMenuBar>

#include "app/about_box.h"
#include "app/battle_list_window.h"
#include "app/game_settings.h"
#include "app/welcome_view.h"
#include "widgets/modal_seam.h"
#include "widgets/native_path.h"

namespace vk7 {

QString WithTrailingSeparator(const QString& folder) {
  if (folder.isEmpty() || folder.endsWith('/') || folder.endsWith('\\')) return folder;
  return folder + QDir::separator();
}

MainFrame::MainFrame(const QString& gameDirectory, QWidget* parent)
    : QMainWindow(parent), gameDirectory_(gameDirectory) {
  setObjectName("MainFrame");
  setWindowTitle("Velkor Editor");
  setWindowIcon(QIcon(":/images/velkor-editor.png"));
  setCentralWidget(new WelcomeView(this));
  resize(640, 480);

  QMenu* file = menuBar()->addMenu("&File");
  file->addAction("Start", this, &MainFrame::Start);
  file->addAction("Exit", qApp, &QApplication::quit);
  QMenu* configure = menuBar()->addMenu("&Configure");
  configure->addAction("Path to ZR", this, &MainFrame::ConfigureGameDirectory);
  QMenu* help = menuBar()->addMenu("&Help");
  QAction* about = help->addAction("&About....", this, &MainFrame::About);
  about->setShortcut(QKeySequence(Qt::Key_F1));
  about->setShortcutContext(Qt::ApplicationShortcut);
}

void MainFrame::Start() {
  // Without a game folder the scripts folder would be looked for wherever the program was
  // started from; ask for the folder instead.
  if (gameDirectory_.isEmpty()) ConfigureGameDirectory();
  if (gameDirectory_.isEmpty()) return;
  const GameFolder game(ToPath(gameDirectory_));
  BattleListWindow::Run(this, game, catalogs_);
}

void MainFrame::ConfigureGameDirectory() {
  // The chooser opens in the stored folder; without one (or when it is gone) in the home
  // folder rather than wherever the program happened to be started from.
  const QString start = !gameDirectory_.isEmpty() && QDir(gameDirectory_).exists()
                            ? gameDirectory_
                            : QDir::homePath();
  const QString chosen = ModalSeam::Current().ChooseFolder(
      this, "Configure VelkorEdit: Set ZR main directory\nCurrent Path: " + gameDirectory_, start);
  if (chosen.isEmpty()) return;
  gameDirectory_ = WithTrailingSeparator(QDir::toNativeSeparators(chosen));
  GameSettings::Write(gameDirectory_);
}

void MainFrame::About() {
  AboutBox::Show(this);
}

}  // namespace vk7
