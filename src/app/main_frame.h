#pragma once

#include <QMainWindow>
#include <QString>

#include "app/catalogs.h"

namespace vk7 {

// The main window, "Velkor Editor": a welcome picture and the menu from which everything
// starts (the battle list, the game folder, the About box).
class MainFrame : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainFrame(const QString& gameDirectory, QWidget* parent = nullptr);

  const QString& GameDirectory() const { return gameDirectory_; }

  // The menu's commands.
  void Start();
  void ConfigureGameDirectory();
  void About();

 private:
  QString gameDirectory_;
  Catalogs catalogs_;
};

// The folder as stored: with a separator at its end, so it names a folder at a glance.
QString WithTrailingSeparator(const QString& folder);

}  // namespace vk7
