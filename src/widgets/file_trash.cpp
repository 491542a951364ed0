#include "widgets/file_trash.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

#include "battle/native_file.h"
#include "battle/windows_1252.h"
#include "widgets/native_path.h"
#include "widgets/recycle_bin.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include <vector>
#endif

namespace vk7 {

namespace fs = std::filesystem;

namespace {

bool Present(const fs::path& file) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(file, ec));
}

// `name` spelled so that it reaches Qt unchanged: a Linux name in the single-byte spelling
// (not UTF-8) would come back from a QString as another name.
fs::path QtSafeName(const fs::path& name) {
#ifndef _WIN32
  if (!IsUtf8(name.native())) return fs::path(Cp1252ToUtf8(name.native()));
#endif
  return name;
}

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
// The trash records where a file came from, for "Restore". The copy lay in a folder of its
// own beside `original`: the record names the original's place instead.
void RecordOrigin(const fs::path& inTrash, const fs::path& original) {
  const fs::path info =
      inTrash.parent_path().parent_path() / "info" / (inTrash.filename().string() + ".trashinfo");
  std::ifstream in(info, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::size_t key = text.find("\nPath=");
  if (!in || key == std::string::npos) return;
  const std::size_t start = key + 6;
  const std::size_t end = std::min(text.find('\n', start), text.size());
  const std::size_t last = text.rfind('/', end);
  if (last == std::string::npos || last <= start) return;
  const std::size_t folder = text.rfind('/', last - 1);
  const std::size_t from = folder == std::string::npos || folder < start ? start : folder + 1;
  const QByteArray name = QByteArray::fromStdString(original.filename().native());
  text.replace(from, end - from, name.toPercentEncoding().toStdString());
  CommitFileAtomically(info, text);
}
#endif

}  // namespace

std::optional<fs::path> FileTrash::MoveToTrash(const fs::path& file) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
  // Without a data folder to hold the home trash, Qt puts the file into "files" below the
  // current folder and reports success; that is no trash at all. Desktops create the folder.
  const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (data.isEmpty() || !QDir().mkpath(data)) return std::nullopt;
#endif
  QString inTrash;
  if (QFile::moveToTrash(FromPath(file), &inTrash)) {
#ifdef _WIN32
    // Windows names the file's place in the bin only when it recycled it, not when it deleted
    // it instead (a drive without a bin).
    if (inTrash.isEmpty()) return std::nullopt;
#endif
    return inTrash.isEmpty() ? fs::path() : ToPath(inTrash);
  }
  // Qt's way to the Recycle Bin is missing under Wine; the shell's older one is there.
  if (Present(file) && MoveToRecycleBin(file)) return fs::path();
  return std::nullopt;
}

bool FileTrash::TrashCopy(const fs::path& file) {
  const fs::path name = QtSafeName(file.filename());
  std::error_code ec;
  // A folder of its own, named as the save temporaries are, so that what a crash leaves is
  // cleaned up by the next save of the battle (of its UTF-8 spelling, on Linux).
  fs::path folder;
  for (int attempt = 0; attempt < 8 && folder.empty(); ++attempt) {
    folder = TempPathBeside(file.parent_path() / name);
    if (!fs::create_directory(folder, ec) || ec) folder.clear();
  }
  if (folder.empty()) return false;
  const fs::path copy = folder / name;
  // A link's old bytes are those of the file it names, which a save writes through the link.
  fs::path source = file;
  if (fs::is_symlink(file, ec)) source = fs::canonical(file, ec);
  if (!ec) fs::create_hard_link(source, copy, ec);
  if (ec) fs::copy_file(source, copy, ec);  // a volume without hard links
  const std::optional<fs::path> inTrash = ec ? std::nullopt : MoveToTrash(copy);
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
  if (inTrash && !inTrash->empty()) RecordOrigin(*inTrash, file);
#endif
  fs::remove_all(folder, ec);
  return inTrash.has_value();
}

FileTrash::Outcome FileTrash::Discard(const fs::path& file, const ForGood& forGood) {
  std::error_code ec;
  // A folder is no battle file; deleting one is refused, as Windows refuses it.
  if (fs::is_directory(fs::symlink_status(file, ec)) || !Present(file)) return Outcome::Failed;
  if (!TrashCopy(file) && !forGood()) return Outcome::Kept;
  return fs::remove(file, ec) && !ec ? Outcome::Done : Outcome::Failed;
}

FileTrash::Outcome FileTrash::Replace(const fs::path& source, const fs::path& target,
                                      const ForGood& forGood) {
  std::error_code ec;
  // Checked first, so that a missing source never costs the target its place; a folder (or a
  // link to one) is no battle file to replace.
  if (!Present(source) || fs::is_directory(target, ec)) return Outcome::Failed;
  if (Present(target) && !TrashCopy(target) && !forGood()) return Outcome::Kept;
  fs::rename(source, target, ec);
  if (ec) return Outcome::Failed;
  SyncFolder(target.parent_path());
  return Outcome::Done;
}

std::optional<CommitResult> FileTrash::Write(const fs::path& target, std::string_view bytes,
                                             const ForGood& forGood) {
  std::error_code ec;
  // Nothing to keep. (A link is written through to the file it names, as a plain save does.)
  if (!fs::exists(target, ec)) return CommitFileAtomically(target, bytes);
  // Refused as a plain save refuses it, before anything reaches the trash.
  if (!OpensForUpdate(target)) return CommitResult::CannotCreate;
  if (!TrashCopy(target) && !forGood()) return std::nullopt;
  return CommitFileAtomically(target, bytes);
}

bool FileTrash::IsWriteProtected(const fs::path& file) {
#ifdef _WIN32
  // The read-only attribute clears every write bit.
  std::error_code ec;
  const fs::perms perms = fs::status(file, ec).permissions();
  return !ec && (perms & fs::perms::owner_write) == fs::perms::none;
#else
  struct stat status;
  if (stat(file.c_str(), &status) != 0) return false;
  const uid_t user = geteuid();
  // Root may write any file; it keeps to the owner's bit, so that a battle its owner made
  // read-only stays protected from root too (and Windows refuses a read-only file to anyone).
  if (user == 0 || status.st_uid == user) return (status.st_mode & S_IWUSR) == 0;
  std::vector<gid_t> groups(static_cast<std::size_t>(std::max(getgroups(0, nullptr), 0)));
  groups.resize(static_cast<std::size_t>(
      std::max(getgroups(static_cast<int>(groups.size()), groups.data()), 0)));
  const bool member =
      status.st_gid == getegid() || std::ranges::find(groups, status.st_gid) != groups.end();
  return (status.st_mode & (member ? S_IWGRP : S_IWOTH)) == 0;
#endif
}

}  // namespace vk7
