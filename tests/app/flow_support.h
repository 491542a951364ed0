#pragma once

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/battle_list_window.h"
#include "app/catalogs.h"
#include "battle/battle_file_reader.h"
#include "battle/game_folder.h"
#include "battle/recording_reporter.h"
#include "gui_support/scripted_seam.h"
#include "support/model_builders.h"
#include "support/temp_dir.h"

// Shared by the whole-flow tests: a writable copy of the demo game, list helpers and the
// scripted road through the wizard.
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

inline void WriteFile(const std::filesystem::path& file, std::string_view bytes) {
  std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

// The demo game below a fresh temporary folder, with room beside it for files from elsewhere
// and for the desktop trash (home and data folder there, so no test touches the user's own).
class GameCopy {
 public:
  GameCopy() : game_(dir_.Path() / "game") {
    std::filesystem::copy(std::filesystem::path(VK7_EXAMPLES_DIR) / "game", game_.Root(),
                          std::filesystem::copy_options::recursive);
    std::filesystem::create_directory(dir_.Path() / "data");
  }
  const GameFolder& Game() const { return game_; }
  std::filesystem::path Scripts() const { return game_.Root() / "scripts"; }
  std::filesystem::path Battle(const std::string& name) const {
    return Scripts() / (name + ".vk7");
  }
  std::filesystem::path Index() const { return Scripts() / "vk7.txt"; }
  // A file outside the game folder, as another player's download would lie.
  std::filesystem::path Elsewhere(const std::string& name, std::string_view bytes) const {
    return dir_.Write("elsewhere/" + name, bytes);
  }
  // A file as the freedesktop trash keeps it.
  std::filesystem::path Trashed(const std::string& fileName) const {
    return dir_.Path() / "data/Trash/files" / fileName;
  }
  // As on a volume without a trash: there is no folder for it.
  void BlockTrash() const {
    std::filesystem::remove_all(dir_.Path() / "data");
    dir_.Write("data", "");
  }
  // Every file below the temporary folder with its bytes: what a flow may not touch.
  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir_.Path())) {
      if (entry.is_regular_file()) {
        files[entry.path().lexically_relative(dir_.Path()).string()] = ReadBytes(entry.path());
      }
    }
    return files;
  }

 private:
  TempDir dir_;
  GameFolder game_;
  ScopedEnv home_{"HOME", dir_.Path()};
  ScopedEnv data_{"XDG_DATA_HOME", dir_.Path() / "data"};
};

inline const std::vector<std::string> kDemoBattles = {"First Patrol", "Veyr Ambush", "Convoy Run",
                                                      "DeepSurvey"};

inline std::vector<std::string> DemoAnd(const std::string& name) {
  std::vector<std::string> names = kDemoBattles;
  names.push_back(name);
  return names;
}

// vk7.txt as the editor writes it.
inline std::string IndexBytes(const std::vector<std::string>& names) {
  std::string bytes = "VK7 Available Battles\r\nFile Format Version 1.0\r\n";
  for (const std::string& name : names) bytes += name + "\r\n";
  return bytes;
}

inline QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

inline QStringList Rows(QListWidget& list) {
  QStringList rows;
  for (int i = 0; i < list.count(); ++i) rows << list.item(i)->text();
  return rows;
}

inline QStringList Rows(const std::vector<std::string>& names) {
  QStringList rows;
  for (const std::string& name : names) rows << Q(name);
  return rows;
}

inline int SelectedRow(QListWidget& list) {
  return list.selectedItems().isEmpty() ? -1 : list.row(list.selectedItems().front());
}

inline void SelectRow(QListWidget& list, int row) {
  list.setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

// What the window system delivers for a double click: press, release, double click, release.
inline void DoubleClickRow(QListWidget& list, int row) {
  list.scrollToItem(list.item(row));
  const QPoint center = list.visualItemRect(list.item(row)).center();
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, center);
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, center);
  QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, center);
}

inline QListWidget& BattleList(QDialog& startBox) {
  return Find<QListWidget>(startBox, "Available Battles");
}

// How many of STARTBOX's seven selection buttons can be pressed.
inline int EnabledSelectionButtons(QDialog& startBox) {
  int enabled = 0;
  for (const char* label : {"Edit Battle", "Delete Battle", "Rename Battle", "Check Battle",
                            "Overview", "Up", "Down"}) {
    enabled += Button(startBox, label).isEnabled() ? 1 : 0;
  }
  return enabled;
}

// STARTBOX: row `row` selected (-1: none), the buttons pressed, `check` run, then "Close".
inline ScriptedSeam::Action OnList(int row, const QStringList& buttons,
                                   std::function<void(QDialog&)> check = {}) {
  return [=](QDialog& window) {
    if (row >= 0) SelectRow(BattleList(window), row);
    for (const QString& button : buttons) Click(window, button);
    if (check) check(window);
    Click(window, "Close");
  };
}

// An error or message box whose title is `title` and whose text starts with `text`, closed.
inline ScriptedSeam::Action Acknowledge(const QString& title, const QString& text) {
  return [=](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), title);
    EXPECT_TRUE(MessageText(box).startsWith(text)) << MessageText(box).toStdString();
    Click(box, box.objectName() == "ERRORBOX" ? "Cancel" : "Ok");
  };
}

// The error box for a typed battle name that cannot become a file name.
inline ScriptedSeam::Action UnusableName(const QString& name) {
  return Acknowledge("Error", "The name \"" + name + "\" cannot be used for a battle.");
}

inline ScriptedSeam::Action TypeName(const QString& text, const QString& button = "Ok") {
  return TypeAndPress("nameEdit", text, button);
}

inline QString SavedMessage(const std::string& name) {
  return QString(34, ' ') + "Battle Configuration " + Q(name) + " saved.";
}

// FINISHBOX "Save" and the confirmation that follows.
inline void ExpectSave(ScriptedSeam& seam, const std::string& name) {
  seam.Expect("FINISHBOX",
              [name](QDialog& box) {
                EXPECT_EQ(Find<QLabel>(box, "nameLabel").text(), Q(name));
                Click(box, "Save");
              })
      .Expect("MESSAGBOX", Acknowledge("Save", SavedMessage(name)));
}

// A new battle given a player ship (BASTION) and one system (Ysolde), then saved as `name`.
inline void ExpectSmallBattleSaved(ScriptedSeam& seam, const std::string& name) {
  seam.Expect("GENERALBOX", [](QDialog& page) {
    SelectRow(Find<QListWidget>(page, "Available Ships"), 3);
    Click(page, "Select -->");
    Click(page, "Next -->");
  });
  seam.Expect("SYSTEMBOX", [](QDialog& page) {
    SelectRow(Find<QListWidget>(page, "Available Systems"), 4);
    Click(page, "Add -->");
    Click(page, "Finish");
  });
  ExpectSave(seam, name);
}

inline const QString kPages[] = {"GENERALBOX", "SYSTEMBOX", "SYSTEMBOX1", "SYSTEMBOX2"};

inline void EditFirstSystem(QDialog& systemsPage) {
  SelectRow(Find<QListWidget>(systemsPage, "Systems"), 0);
  Click(systemsPage, "Edit");
}

// Goes from GENERALBOX to page `page` (1 to 4) with "Next -->", editing the first system, and
// runs `onPage` there.
inline void ReachPage(ScriptedSeam& seam, int page, const ScriptedSeam::Action& onPage) {
  for (int i = 1; i < page; ++i)
    seam.Expect(kPages[i - 1], i == 2 ? EditFirstSystem : Press("Next -->"));
  seam.Expect(kPages[page - 1], onPage);
}

// "Cancel" on a page, confirmed.
inline void ExpectCancelled(ScriptedSeam& seam, const QString& page) {
  seam.Expect(page, Press("Cancel")).Expect("CANCELBOX", Press("Yes"));
}

// Opens the battle list on `copy`, plays the script and checks that all of it was used.
inline void RunList(const GameCopy& copy, ScriptedSeam& seam) {
  Catalogs catalogs;
  BattleListWindow::Run(nullptr, copy.Game(), catalogs);
  EXPECT_TRUE(seam.Done());
}

inline BattleConfig ReadBattle(const std::filesystem::path& file, const std::string& name) {
  BattleConfig config;
  RecordingReporter reporter;
  EXPECT_TRUE(BattleFileReader(config, reporter).Read(name, file, false)) << file;
  EXPECT_EQ(reporter.FirstError(), nullptr) << file;
  return config;
}

}  // namespace vk7::test
