#include "widgets/file_trash.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <system_error>

#include "battle/native_file.h"
#include "widgets/native_path.h"

namespace vk7 {

namespace fs = std::filesystem;

namespace {

bool Present(const fs::path& file) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(file, ec));
}

}  // namespace

std::optional<fs::path> FileTrash::MoveToTrash(const fs::path& file) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
  // Without a data folder to hold the home trash, Qt puts the file into "files" below the
  // current folder and reports success; that is no trash at all. Desktops create the folder.
  const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (data.isEmpty() || !QDir().mkpath(data)) return std::nullopt;
#endif
  QString inTrash;
  if (!QFile::moveToTrash(FromPath(file), &inTrash)) return std::nullopt;
  return inTrash.isEmpty() ? fs::path() : ToPath(inTrash);
}

bool FileTrash::Discard(const fs::path& file) {
  if (MoveToTrash(file)) return true;
  std::error_code ec;
  return fs::remove(file, ec) && !ec;
}

bool FileTrash::Replace(const fs::path& source, const fs::path& target) {
  // Checked first, so that a missing source never costs the target its place.
  if (!Present(source)) return false;
  const std::optional<fs::path> trashed = Present(target) ? MoveToTrash(target) : std::nullopt;
  std::error_code ec;
  fs::rename(source, target, ec);
  if (!ec) {
    SyncFolder(target.parent_path());
    return true;
  }
  if (trashed && !trashed->empty()) fs::rename(*trashed, target, ec);
  return false;
}

CommitResult FileTrash::Write(const fs::path& target, std::string_view bytes) {
  std::error_code ec;
  // Nothing to keep; a link is written through to the file it names, as a plain save does.
  if (!fs::exists(target, ec) || fs::is_symlink(target, ec)) {
    return CommitFileAtomically(target, bytes);
  }
  // Refused as a plain save refuses it.
  if (!OpensForUpdate(target)) return CommitResult::CannotCreate;

  fs::path staged = target;
  fs::path stagedName = ".";
  stagedName += target.filename();
  stagedName += ".new.tmp";
  staged.replace_filename(stagedName);
  const CommitResult written = CommitFileAtomically(staged, bytes);
  if (written != CommitResult::Ok) return written;
  CopyPermissions(target, staged);
  if (Replace(staged, target)) return CommitResult::Ok;
  fs::remove(staged, ec);
  return CommitResult::CannotWrite;
}

bool FileTrash::IsWriteProtected(const fs::path& file) {
  std::error_code ec;
  const fs::perms perms = fs::status(file, ec).permissions();
  return !ec && (perms & fs::perms::owner_write) == fs::perms::none;
}

}  // namespace vk7
