#include "widgets/modal_seam.h"

#include <QDialog>
#include <QFileDialog>
#include <QRegularExpression>

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

QString ExecSeam::ChooseSaveFile(QWidget* parent, const QString& title, const QString& start,
                                 const QString& filter) {
  QFileDialog dialog(parent, title, start, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // "PNG image (*.png)" -> "png", the suffix a bare name gets.
  const auto suffix = [](const QString& type) {
    return QRegularExpression(R"(\*\.(\w+))").match(type).captured(1);
  };
  dialog.setDefaultSuffix(suffix(dialog.selectedNameFilter()));
  QObject::connect(
      &dialog, &QFileDialog::filterSelected, &dialog,
      [&dialog, suffix](const QString& type) { dialog.setDefaultSuffix(suffix(type)); });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

}  // namespace vk7
