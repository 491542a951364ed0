#include "app/recovery_writer.h"

#include <system_error>

#include "widgets/message_box.h"
#include "widgets/native_path.h"

namespace vk7 {

RecoveryWriter::RecoveryWriter(std::filesystem::path file, const BattleConfig& config,
                               RecoveredRun run, bool resumed)
    : inner_(ModalSeam::Current()),
      file_(std::move(file)),
      lock_(FromPath(file_) + ".lock"),
      config_(config),
      run_(std::move(run)) {
  std::error_code ec;
  std::filesystem::create_directories(file_.parent_path(), ec);
  lock_.setStaleLockTime(0);
  // Without the lock the file is still written: another editor would only offer it early.
  lock_.tryLock(0);
  run_.battle = config_;
  ModalSeam::Install(this);
  if (resumed) Keep();
}

RecoveryWriter::~RecoveryWriter() {
  ModalSeam::Install(&inner_);
  std::error_code ec;
  std::filesystem::remove(file_, ec);
  lock_.unlock();
}

void RecoveryWriter::Update() {
  if (config_ == run_.battle) return;
  run_.battle = config_;
  Keep();
}

void RecoveryWriter::Keep() {
  if (RecoveryFile::Write(file_, run_) || told_) return;
  // A full or read-only data folder must not stop the editing, but the user should know that
  // the edits are only in memory until the next write works.
  told_ = true;
  MessageBox::Show(nullptr,
                   "The unsaved edits of \"" + run_.name + "\" cannot be kept in \"" +
                       FromPath(file_).toStdString() +
                       "\", so a crash now would lose them. Editing goes on, and each change is "
                       "tried again.",
                   "Unsaved Edits");
}

int RecoveryWriter::Exec(QDialog& dialog) {
  const int result = inner_.Exec(dialog);
  Update();
  return result;
}

QString RecoveryWriter::ChooseFolder(QWidget* parent, const QString& prompt, const QString& start) {
  return inner_.ChooseFolder(parent, prompt, start);
}

QString RecoveryWriter::ChooseOpenFile(QWidget* parent, const QString& title, const QString& folder,
                                       const QString& filter) {
  return inner_.ChooseOpenFile(parent, title, folder, filter);
}

QString RecoveryWriter::ChooseSaveFile(QWidget* parent, const QString& title, const QString& start,
                                       const QString& filter) {
  return inner_.ChooseSaveFile(parent, title, start, filter);
}

}  // namespace vk7
