#pragma once

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/battle_list_window.h"
#include "app/catalogs.h"
#include "app/recovery_file.h"
#include "battle/battle_file_reader.h"
#include "battle/game_folder.h"
#include "gui_support/scripted_seam.h"
#include "support/model_builders.h"
#include "support/temp_dir.h"

// Shared by the whole-flow tests: a writable copy of the demo game and what its files hold.
namespace vk7::test {

// Sets an environment variable for as long as it lives.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::filesystem::path& value)
      : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
    qputenv(name, QByteArray::fromStdString(value.string()));
  }
  ~ScopedEnv() { had_ ? qputenv(name_, old_) : qunsetenv(name_); }

 private:
  const char* name_;
  bool had_;
  QByteArray old_;
};

// Names the program's organisation for as long as it lives.
class ScopedOrganization {
 public:
  explicit ScopedOrganization(const std::string& name)
      : old_(QCoreApplication::organizationName()) {
    QCoreApplication::setOrganizationName(QString::fromStdString(name));
  }
  ~ScopedOrganization() { QCoreApplication::setOrganizationName(old_); }

 private:
  QString old_;
};

// The demo game below a fresh temporary folder, with room beside it for files from elsewhere
// and for the desktop trash (home and data folder there, so no test touches the user's own; on
// Windows the Recycle Bin is the user's, and under Wine the test run's).
class GameCopy {
 public:
  GameCopy() : GameCopy(std::make_unique<TempDir>()) {
    std::filesystem::copy(std::filesystem::path(VK7_EXAMPLES_DIR) / "game", game_.Root(),
                          std::filesystem::copy_options::recursive);
    std::filesystem::create_directory(root_ / "data");
  }
  // The copy another process of the test made, at `root`; left for that one to remove.
  explicit GameCopy(const std::filesystem::path& root) : root_(root), game_(root / "game") {}
  ~GameCopy() {
#ifdef _WIN32
    if (dir_) std::filesystem::remove_all(Recovery().parent_path());
#endif
  }

  const GameFolder& Game() const {
    return game_;
  }
  const std::filesystem::path& Root() const {
    return root_;
  }
  std::filesystem::path Scripts() const {
    return game_.Root() / "scripts";
  }
  // Files are named as in the scripts folder ("vk7.txt"), or from the temporary folder when
  // the name has a folder in it ("elsewhere/Raid.vk7", "data/Trash/files/Raid.vk7").
  std::filesystem::path At(const std::string& name) const {
    return (name.find('/') == std::string::npos ? Scripts() : Root()) / Utf8Path(name);
  }
  std::string Name(const std::filesystem::path& file) const {
    const auto name = file.lexically_relative(file.parent_path() == Scripts() ? Scripts() : Root());
    const std::u8string utf8 = name.generic_u8string();
    return {utf8.begin(), utf8.end()};
  }
  // Where the editor keeps the battles of unfinished editing runs.
  std::filesystem::path Recovery() const {
    return RecoveryFile::Folder();
  }
  // Every file below the temporary folder with its bytes, but for the recovery files of the
  // run going on: what a flow may not touch.
  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(Root())) {
      if (entry.path().parent_path() == Recovery()) continue;
      if (entry.is_regular_file()) files[Name(entry.path())] = ReadBytes(entry.path());
    }
    return files;
  }

 private:
  explicit GameCopy(std::unique_ptr<TempDir> dir)
      : dir_(std::move(dir)), root_(dir_->Path()), game_(root_ / "game") {}

  std::unique_ptr<TempDir> dir_;
  std::filesystem::path root_;
  GameFolder game_;
#ifndef _WIN32
  ScopedEnv home_{"HOME", root_};
  ScopedEnv data_{"XDG_DATA_HOME", root_ / "data"};
#else
  // Windows keeps application data where no variable moves it: each copy has a folder of its
  // own there, by the organisation's name.
  ScopedOrganization organization_{"vk7-test-" + root_.filename().string()};
#endif
};

inline QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// Opens the battle list on `copy` and plays the script.
inline void RunList(const GameCopy& copy) {
  Catalogs catalogs;
  BattleListWindow::Run(nullptr, copy.Game(), catalogs);
}

inline BattleConfig ReadBattle(const std::filesystem::path& file, const std::string& name) {
  BattleConfig config;
  RecordingReporter reporter;
  EXPECT_TRUE(BattleFileReader(config, reporter).Read(name, file, false)) << file;
  EXPECT_EQ(reporter.FirstError(), nullptr) << file;
  return config;
}

}  // namespace vk7::test
