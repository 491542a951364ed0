#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace vk7 {

// Every modal interaction goes through the current seam: boxes, wizard pages, detail pages
// and the folder and file choosers. The program runs them for real; tests install a seam
// that plays the user's part without blocking.
class ModalSeam {
 public:
  virtual ~ModalSeam() = default;

  // Runs `dialog` modally and returns its result code.
  virtual int Exec(QDialog& dialog) = 0;
  // An existing folder, or an empty text when the user cancels.
  virtual QString ChooseFolder(QWidget* parent, const QString& prompt, const QString& start) = 0;
  // An existing file, or an empty text when the user cancels.
  virtual QString ChooseOpenFile(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& filter) = 0;
  // A file to save to, or an empty text when the user cancels. `start` is the suggested file;
  // `filter` lists the types ("SVG image (*.svg);;PNG image (*.png)"), and a name typed
  // without a suffix takes the chosen type's.
  virtual QString ChooseSaveFile(QWidget* parent, const QString& title, const QString& start,
                                 const QString& filter) = 0;

  static ModalSeam& Current();
  // Makes `seam` current (nullptr: the real one again). The caller keeps ownership.
  static void Install(ModalSeam* seam);
};

// The real thing: QDialog::exec and Qt's file dialogs.
class ExecSeam : public ModalSeam {
 public:
  int Exec(QDialog& dialog) override;
  QString ChooseFolder(QWidget* parent, const QString& prompt, const QString& start) override;
  QString ChooseOpenFile(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override;
  QString ChooseSaveFile(QWidget* parent, const QString& title, const QString& start,
                         const QString& filter) override;
};

}  // namespace vk7
