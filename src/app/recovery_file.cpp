#include "app/recovery_file.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>
#include <algorithm>
#include <system_error>

#include "battle/atomic_file.h"
#include "battle/battle_file_reader.h"
#include "battle/battle_record.h"
#include "battle/recording_reporter.h"
#include "battle/text_line_file.h"
#include "widgets/cp1252.h"
#include "widgets/native_path.h"

namespace vk7 {

namespace {

constexpr const char* kSuffix = ".vk7recovery";
// The layout's number follows the header; files without one were written by editors that kept
// the battle as a battle file, which lost values a save refuses.
constexpr std::string_view kHeader = "VK7 Recovery";
constexpr std::string_view kLayout = " 2\n";

// The start of the file names of one game folder's runs.
std::string GamePrefix(const GameFolder& game) {
  const QString root = QDir(FromPath(game.Root())).absolutePath();
  const QByteArray digest = QCryptographicHash::hash(root.toUtf8(), QCryptographicHash::Sha256);
  return digest.toHex().left(16).toStdString() + "-";
}

// Whether a running editor holds the file's lock; a lock left by a process that is gone is
// stale and removed. Age alone never makes a lock stale: a run may stay open for hours.
bool HeldByARun(const std::filesystem::path& file) {
  QLockFile lock(FromPath(file) + ".lock");
  lock.setStaleLockTime(0);
  if (!lock.tryLock(0)) return lock.error() == QLockFile::LockFailedError;
  lock.unlock();
  return false;
}

}  // namespace

std::filesystem::path RecoveryFile::Folder() {
  // Local, not roaming: the files name this machine's game folders and change at every edit.
  return ToPath(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)) /
         "recovery";
}

std::filesystem::path RecoveryFile::NewFor(const GameFolder& game) {
  return Folder() / (GamePrefix(game) + std::to_string(QCoreApplication::applicationPid()) + "-" +
                     std::to_string(QDateTime::currentMSecsSinceEpoch()) + kSuffix);
}

std::vector<std::filesystem::path> RecoveryFile::Waiting(const GameFolder& game) {
  std::vector<std::filesystem::path> files;
  const std::string prefix = GamePrefix(game);
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(Folder(), ec)) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with(prefix) && name.ends_with(kSuffix) && !HeldByARun(entry.path())) {
      files.push_back(entry.path());
    }
  }
  std::ranges::sort(files);
  return files;
}

bool RecoveryFile::Write(const std::filesystem::path& file, const RecoveredRun& run) {
  std::error_code ec;
  std::filesystem::create_directories(file.parent_path(), ec);
  const std::string bytes = std::string(kHeader) + std::string(kLayout) + "Name = " + run.name +
                            "\nNew = " + (run.isNew ? "1" : "0") + "\nBase = " + run.basePrint +
                            "\n\n" + BattleRecord::Write(run.battle);
  return CommitFileAtomically(file, bytes) == CommitResult::Ok;
}

std::optional<RecoveredRun> RecoveryFile::Read(const std::filesystem::path& file) {
  QFile source(FromPath(file));
  if (!source.open(QIODevice::ReadOnly)) return std::nullopt;
  const std::string bytes = source.readAll().toStdString();
  const std::size_t end = bytes.find("\n\n");
  if (!bytes.starts_with(kHeader) || end == std::string::npos) return std::nullopt;
  const bool record = bytes.compare(kHeader.size(), kLayout.size(), kLayout) == 0;
  if (!record && bytes[kHeader.size()] != '\n') return std::nullopt;
  RecoveredRun run;
  std::size_t at = bytes.find('\n') + 1;
  // "Name = ...", "New = 0|1", "Base = ...", each once and in this order.
  const auto field = [&](const std::string& key, std::string& value) {
    const std::size_t stop = bytes.find('\n', at);
    if (bytes.compare(at, key.size() + 3, key + " = ") != 0 || stop > end) return false;
    value = bytes.substr(at + key.size() + 3, stop - at - key.size() - 3);
    at = stop + 1;
    return true;
  };
  std::string isNew;
  if (!field("Name", run.name) || !field("New", isNew) || !field("Base", run.basePrint) ||
      at != end + 1 || run.name.empty() || (isNew != "0" && isNew != "1")) {
    return std::nullopt;
  }
  run.isNew = isNew == "1";
  const std::string_view battle = std::string_view(bytes).substr(end + 2);
  if (record) {
    std::optional<BattleConfig> read = BattleRecord::Read(battle);
    if (!read) return std::nullopt;
    run.battle = std::move(*read);
    return run;
  }
  TextLineFile lines;
  lines.OpenMemory(std::string(battle));
  RecordingReporter quiet;  // a file that does not read is set aside, with its own message
  if (!BattleFileReader(run.battle, quiet).ReadFrom(run.name, lines, false)) return std::nullopt;
  return run;
}

void RecoveryFile::SetAside(const std::filesystem::path& file, Reporter& reporter) {
  std::filesystem::path aside = file;
  aside += ".unreadable";
  std::error_code ec;
  std::filesystem::rename(file, aside, ec);
  const std::string shown = ToCp1252(QDir::toNativeSeparators(FromPath(file)));
  reporter.Error("Recover Battle",
                 ec ? "The unsaved edits in \"" + shown + "\" cannot be read, nor moved aside."
                    : "The unsaved edits in \"" + shown +
                          "\" cannot be read. They were moved aside to \"" +
                          ToCp1252(QDir::toNativeSeparators(FromPath(aside))) + "\".");
}

std::string RecoveryFile::Fingerprint(const std::filesystem::path& file) {
  QFile source(FromPath(file));
  if (!source.exists()) return "none";
  if (!source.open(QIODevice::ReadOnly)) return "unreadable";
  QCryptographicHash hash(QCryptographicHash::Sha256);
  hash.addData(&source);
  return hash.result().toHex().toStdString();
}

}  // namespace vk7
