#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "battle/battle_config.h"
#include "battle/game_folder.h"
#include "battle/reporter.h"

namespace vk7 {

// What an editing run had when it was last written down: enough to start the run again.
struct RecoveredRun {
  std::string name;
  bool isNew = false;
  // The battle file as it was when the run began (RecoveryFile::Fingerprint), so that a save
  // of the recovered run still sees what another program changed meanwhile.
  std::string basePrint;
  // Everything the run had entered, also values a save would refuse.
  BattleConfig battle;
};

// An editing run's unsaved battle, kept in the editor's own data folder (never the game folder)
// so that a kill, a crash or a power loss in the middle of a run loses no edit. Each run has
// its own file, named after the game folder (a digest of its path), and a lock beside it that
// the run holds: a file whose lock no running editor holds is waiting to be recovered.
class RecoveryFile {
 public:
  // Where they are kept: the user's local application data folder.
  static std::filesystem::path Folder();
  // A fresh file for a new run on `game`.
  static std::filesystem::path NewFor(const GameFolder& game);
  // The waiting files of `game`.
  static std::vector<std::filesystem::path> Waiting(const GameFolder& game);

  // Atomically; false when the data folder cannot be written.
  static bool Write(const std::filesystem::path& file, const RecoveredRun& run);
  // Nothing when the file cannot be read or holds no recovered run.
  static std::optional<RecoveredRun> Read(const std::filesystem::path& file);
  // A file that cannot be used is renamed so that it is no longer offered, and reported with
  // both paths: never deleted silently.
  static void SetAside(const std::filesystem::path& file, Reporter& reporter);

  // What a file holds, by a digest of its bytes; "none" when there is no such file.
  static std::string Fingerprint(const std::filesystem::path& file);
};

}  // namespace vk7
