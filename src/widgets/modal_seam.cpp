#include "widgets/modal_seam.h"

#include <QDialog>
#include <QFileDialog>

namespace vk7 {

namespace {
ModalSeam* installed = nullptr;
}

ModalSeam& ModalSeam::Current() {
  static ExecSeam real;
  return installed != nullptr ? *installed : real;
}

void ModalSeam::Install(ModalSeam* seam) {
  installed = seam;
}

int ExecSeam::Exec(QDialog& dialog) {
  return dialog.exec();
}

QString ExecSeam::ChooseFolder(QWidget* parent, const QString& prompt, const QString& start) {
  // The prompt becomes the dialog's title, which holds one line.
  QString title = prompt;
  title.replace('\n', "  ");
  return QFileDialog::getExistingDirectory(parent, title, start, QFileDialog::ShowDirsOnly);
}

QString ExecSeam::ChooseOpenFile(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& filter) {
  QFileDialog dialog(parent, title, folder, filter);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::ReadOnly, false);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

}  // namespace vk7
