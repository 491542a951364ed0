// The editor as a whole, on a copy of the demo game: the battle list's flows as data
// (app/cases/list_flows.txt, whose header gives their language), the overview, and the main
// window with the game folder choice and where it is stored.
#include <QAction>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QUrl>
#include <csignal>
#include <fstream>

#include "app/battle_list_window.h"
#include "app/catalogs.h"
#include "app/editor_startup.h"
#include "app/game_settings.h"
#include "app/main_frame.h"
#include "app/recovery_file.h"
#include "battle/battle_file_reader.h"
#include "gui_support/scripted_seam.h"
#include "support/case_file.h"
#include "support/model_builders.h"
#include "support/temp_dir.h"
#include "widgets/native_path.h"
#include "widgets/recycle_bin.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace vk7 {
namespace {

using namespace test;
using Files = std::map<std::string, std::string>;
namespace fs = std::filesystem;

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// Sets an environment variable for as long as it lives.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const fs::path& value) : name_(name), old_(qgetenv(name)) {
    qputenv(name, QByteArray::fromStdString(value.string()));
  }
  ~ScopedEnv() { had_ ? qputenv(name_, old_) : qunsetenv(name_); }

 private:
  const char* name_;
  bool had_ = qEnvironmentVariableIsSet(name_);
  QByteArray old_;
};

// The demo game below a fresh temporary folder, with room beside it for files from elsewhere
// and for the desktop trash (home and data folder there, so no test touches the user's own; on
// Windows the Recycle Bin is the user's, and under Wine the test run's).
class GameCopy {
 public:
  GameCopy() : dir_(std::make_unique<TempDir>()), root_(dir_->Path()) {
    fs::copy(fs::path(VK7_EXAMPLES_DIR) / "game", game_.Root(), fs::copy_options::recursive);
    fs::create_directory(root_ / "data");
  }
  // The copy another process of the test made, at `root`; left for that one to remove.
  explicit GameCopy(const fs::path& root) : root_(root) {}
  ~GameCopy() {
#ifdef _WIN32
    if (dir_) fs::remove_all(Recovery().parent_path());
#endif
  }

  const GameFolder& Game() const { return game_; }
  const fs::path& Root() const { return root_; }
  // NAME is a file of the scripts folder ("vk7.txt"), or below the temporary folder when it
  // has a folder in it ("elsewhere/Raid.vk7", "data/Trash/files/Raid.vk7").
  fs::path At(const std::string& name) const {
    return (name.find('/') == std::string::npos ? game_.ScriptsDir() : root_) / Utf8Path(name);
  }
  fs::path Recovery() const { return RecoveryFile::Folder(); }
  // Every file below the temporary folder by its name, with its bytes, but for the recovery
  // files of the run going on: what a flow may not touch.
  Files Snapshot() const {
    Files files;
    for (const auto& entry : fs::recursive_directory_iterator(root_)) {
      const fs::path& file = entry.path();
      if (file.parent_path() == Recovery() || !entry.is_regular_file()) continue;
      const bool script = file.parent_path() == game_.ScriptsDir();
      const std::u8string name = file.lexically_relative(script ? file.parent_path() : root_).generic_u8string();
      files[{name.begin(), name.end()}] = ReadBytes(file);
    }
    return files;
  }
  void RunList() const {
    Catalogs catalogs;
    BattleListWindow::Run(nullptr, game_, catalogs);
  }

 private:
  std::unique_ptr<TempDir> dir_;
  fs::path root_;
  GameFolder game_{root_ / "game"};
#ifndef _WIN32
  ScopedEnv home_{"HOME", root_}, data_{"XDG_DATA_HOME", root_ / "data"};
#else
  // Windows keeps application data where no variable moves it: each copy has a folder of its
  // own there, by the organisation's name, given back after it.
  struct Organization {
    QString old = QCoreApplication::organizationName();
    explicit Organization(const QString& name) { QCoreApplication::setOrganizationName(name); }
    ~Organization() { QCoreApplication::setOrganizationName(old); }
  } organization_{"vk7-test-" + Q(root_.filename().string())};
#endif
};

// A killed editor is this test program run again on the same game copy (named in this
// variable), killed in its last dialog: SIGKILL, or on Windows TerminateProcess.
constexpr const char* kKilledRun = "VK7_KILLED_RUN";
constexpr int kKilledStatus = 137;

const auto any = [](const auto&) { return true; };

QListWidget& OnlyList(QDialog& dialog) {
  return One<QListWidget>(dialog, "list", any);
}

// What "?" notes: the title and the only list; "?NAME" a list, label or entry.
std::string Shown(QDialog& dialog, const std::string& name) {
  if (name.empty() && dialog.findChildren<QListWidget*>().size() != 1) return dialog.windowTitle().toStdString();
  QWidget& widget = name.empty() ? OnlyList(dialog) : Find<QWidget>(dialog, Q(name));
  if (auto* label = qobject_cast<QLabel*>(&widget)) return label->text().toStdString();
  if (auto* edit = qobject_cast<QLineEdit*>(&widget)) return edit->text().toStdString();
  auto& list = dynamic_cast<QListWidget&>(widget);
  QStringList rows;
  for (int i = 0; i < list.count(); ++i) {
    rows << (list.item(i)->isSelected() ? "[" + list.item(i)->text() + "]" : list.item(i)->text());
  }
  int off = 0;
  for (auto* button : dialog.findChildren<QPushButton*>()) off += button->isEnabled() ? 0 : 1;
  const QString title = name.empty() ? dialog.windowTitle() + ": " : "";
  return (title + rows.join(", ") + (off > 0 ? QString(" (%1 off)").arg(off) : "")).toStdString();
}

void Play(ScriptedSeam& seam, QDialog& dialog, const std::string& action) {
  const std::string rest = action.substr(std::min<std::size_t>(action.size(), 1));
  const std::size_t space = rest.find(' ');
  if (action.starts_with("##")) {
    ClickRow(OnlyList(dialog), std::stoi(action.substr(2)), true);
  } else if (action.starts_with('#')) {
    SelectRow(space == std::string::npos ? OnlyList(dialog) : Find<QListWidget>(dialog, Q(rest.substr(space + 1))),
              std::stoi(rest));
  } else if (action.starts_with('=')) {
    One<QLineEdit>(dialog, "entry", any).setText(Q(rest));
  } else if (action.starts_with('?')) {
    seam.Note(Q(Shown(dialog, rest)));
  } else {
    try {
      Click(dialog, Q(action));
    } catch (const std::runtime_error&) {  // the system pages name apart buttons of one text
      Find<QPushButton>(dialog, Q(action)).click();
    }
  }
}

std::vector<std::shared_ptr<void>> held;  // files another program holds open until the case ends

void Prepare(const GameCopy& copy, const std::string& what) {
  const std::size_t colon = what.find(": "), space = what.find(' ');
  const std::string name = what.substr(space + 1, colon - space - 1);
  const std::string bytes = colon == std::string::npos ? "" : what.substr(colon + 2);
  const std::string verb = what.substr(0, space);
  if (what == "no recovery folder") {  // a file in its place
    fs::remove_all(copy.Recovery());
    fs::create_directories(copy.Recovery().parent_path());
    std::ofstream(copy.Recovery()) << "no folder";
  } else if (what == "no trash") {  // as on a volume without a trash: there is no folder for it
    fs::remove_all(copy.Root() / "data");
    std::ofstream(copy.Root() / "data");
  } else if (verb == "remove") {
    fs::remove_all(copy.At(name));
  } else if (verb == "link") {
    fs::create_directories(copy.At(bytes).parent_path());
    fs::rename(copy.At(name), copy.At(bytes));
    fs::create_symlink(copy.At(bytes), copy.At(name));
  } else if (verb == "protect") {
    fs::permissions(copy.At(name), fs::perms::owner_read);
#ifdef _WIN32
  } else if (verb == "hold") {
    const HANDLE file = CreateFileW(copy.At(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    held.emplace_back(file, CloseHandle);
#endif
  } else if (verb == "write" || verb == "battle") {
    const auto file = name == "recovery" ? RecoveryFile::NewFor(copy.Game()) : copy.At(name);
    const std::string text = verb == "write" ? bytes
                                             : "VK7 Battle\nFile Format Version 1.2\nTitle = Raid\nPlayer = " +
                                                   (bytes.empty() ? "TALON" : bytes) + "\nSystem = Calder\n";
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
  } else {
    FAIL() << "unknown preparation " << what;
  }
}

// A battle by what it holds: "player +escorts; system friends/enemies/neutrals", " (LF)" when
// its lines do not end in CR LF.
std::string Summary(const GameCopy& copy, const std::string& name, const std::string& bytes) {
  BattleConfig battle;
  RecordingReporter reporter;
  EXPECT_TRUE(BattleFileReader(battle, reporter).Read("x", copy.At(name), false)) << name;
  const auto classes = [](const std::vector<ShipEntry>& ships) {
    std::string text;
    for (const ShipEntry& ship : ships) text += (text.empty() ? "" : ",") + ship.shipClass;
    return text;
  };
  std::string text = battle.player.shipClass + " +" + classes(battle.escorts);
  for (const StarSystem& system : battle.systems) {
    text += "; " + system.name + " " + classes(system.friends) + "/" + classes(system.enemies) + "/" +
            classes(system.neutrals);
  }
  return text + (Q(bytes).contains(QRegularExpression("[^\r]\n")) ? " (LF)" : "");
}

// Every file that went, or came or changed (see the case file's header).
std::vector<std::string> Changes(const GameCopy& copy, const Files& before, const Files& after) {
  std::vector<std::string> lines;
  for (const auto& [name, bytes] : before) {
    if (!after.contains(name)) lines.push_back("gone: " + name);
  }
  const auto origin = [&](const std::string& bytes) {
    const auto same = std::ranges::find(before, bytes, [](const auto& file) { return file.second; });
    return same == before.end() ? std::string() : same->first;
  };
  const std::string header = "VK7 Available Battles\r\nFile Format Version 1.0\r\n", trash = "data/Trash/";
  for (const auto& [name, bytes] : after) {
    if ((before.contains(name) && before.at(name) == bytes) || name.starts_with(trash + "info/")) continue;
    const std::string from = origin(bytes);
    if (name.starts_with(trash)) {  // with where "Restore" puts it back, as its record names it
      const std::string file = name.substr(trash.size() + 6);
      const std::string info = after.at(trash + "info/" + file + ".trashinfo");
      const std::size_t end = info.find('\n', info.find("\nPath=") + 1);
      const std::size_t at = info.rfind('/', info.rfind('/', end) - 1) + 1;
      const std::string path = info.substr(at, end - at);
      const bool home = path == "scripts/" + QUrl::toPercentEncoding(Q(file)).toStdString();
      lines.push_back("trash: " + file + (from.empty() ? " new" : from == file ? "" : " = " + from) +
                      (home ? "" : " from " + path));
    } else if (!from.empty()) {
      lines.push_back(name + " = " + from);
    } else if (name == "vk7.txt" && bytes.starts_with(header)) {
      const QString entries = Q(bytes.substr(header.size(), bytes.size() - header.size() - 2));
      lines.push_back(name + ": " + entries.split("\r\n").join(", ").toStdString());
    } else {
      lines.push_back(name + ": " + (name.ends_with(".vk7") ? Summary(copy, name, bytes) : bytes));
    }
  }
  return lines;
}

// Plays `lines` on the next list window; `killed`: the process dies in its last dialog.
void Script(ScriptedSeam& seam, GameCopy& copy, const std::vector<std::string>& lines, Files& before,
            bool killed = false) {
  std::shared_ptr<std::vector<std::string>> later;  // preparations of the dialog they follow
  for (const std::string& line : lines) {
    const std::size_t colon = line.find(':');
    const QString step = Q(line.substr(0, colon));
    const std::string rest = line.substr(std::min(line.size(), colon + 2));
    if (line.starts_with("! ")) {
      later ? later->push_back(line.substr(2)) : Prepare(copy, line.substr(2));
    } else if (step == step.toLower()) {
      seam.Chosen(step, rest.empty() ? "" : FromPath(copy.At(rest)));
    } else {
      const bool last = killed && &line == &lines.back();
      later = std::make_shared<std::vector<std::string>>();
      seam.Expect(step, [&, rest, last, preps = later](QDialog& dialog) {
        for (const std::string& what : *preps) {
          if (what != "list") Prepare(copy, what);
        }
        if (!preps->empty()) before = copy.Snapshot();
        if (std::ranges::count(*preps, "list") > 0) copy.RunList();
        for (const QString& action : Q(rest).split("; ", Qt::SkipEmptyParts)) Play(seam, dialog, action.toStdString());
#ifdef _WIN32
        if (last) TerminateProcess(GetCurrentProcess(), kKilledStatus);
#else
        if (last) ::kill(::getpid(), SIGKILL);
#endif
      });
    }
  }
}

// `line` with the paths below the temporary folder named from it, with "/" (and the recovery
// folder, which Windows keeps elsewhere, named as on Linux); the run's own part of a recovery
// file's name (the game folder's digest, process and time) as RUN; the common messages short.
std::string Portable(const GameCopy& copy, QString line) {
  const std::pair<fs::path, QString> places[] = {
      {copy.Recovery(), "data/" + QCoreApplication::applicationName() + "/recovery/"}, {copy.Root(), ""}};
  for (const auto& [place, name] : places) {
    const QString native = QDir::toNativeSeparators(FromPath(place)) + QDir::separator();
    for (qsizetype at; (at = line.indexOf(native)) >= 0;) {
      qsizetype end = at + native.size();
      while (end < line.size() && line[end] != '|' && line[end] != '"') ++end;
      const QString rest = line.mid(at + native.size(), end - at - native.size());
      line.replace(at, end - at, name + QDir::fromNativeSeparators(rest));
    }
  }
  return line.replace(QRegularExpression("[0-9a-f]{16}-[0-9]+-[0-9]+(?=\\.vk7recovery)"), "RUN")
      .replace(QRegularExpression("^Save: {34}Battle Configuration (.*) saved\\. {34}$"), "saved \\1")
      .replace(QRegularExpression("^file: Import Battle\\|(.*)\\|Velkor Files \\(\\*\\.vk7\\)$"), "import in \\1")
      .toStdString();
}

// Runs the case's lines before "~ killed" in a second process of this program on `copy`.
void RunKilled(const GameCopy& copy) {
  const testing::TestInfo& test = *testing::UnitTest::GetInstance()->current_test_info();
  QProcess editor;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(kKilledRun, FromPath(copy.Root()));
  editor.setProcessEnvironment(environment);
  editor.setProcessChannelMode(QProcess::MergedChannels);
  editor.start(QCoreApplication::applicationFilePath(),
               {Q("--gtest_filter=" + std::string(test.test_suite_name()) + "." + test.name())});
  ASSERT_TRUE(editor.waitForFinished(120000));
#ifdef _WIN32
  EXPECT_EQ(editor.exitCode(), kKilledStatus) << editor.readAll().toStdString();
#else
  EXPECT_EQ(editor.exitStatus(), QProcess::CrashExit) << editor.readAll().toStdString();
#endif
}

class ListFlows : public testing::TestWithParam<test_support::Case> {};

TEST_P(ListFlows, ShowAndChangeWhatTheyShould) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
  auto lines = c.input;
  auto expected = c.expected;
#ifdef _WIN32
  if (std::ranges::count(lines, "! linux") > 0) GTEST_SKIP() << "byte names; links any user makes";
  if (std::ranges::count(lines, "! no trash") > 0) {
    GTEST_SKIP() << "a running program's Recycle Bin cannot be taken away (RecycleBin tests)";
  }
  // The Recycle Bin is the user's, not the copy's: what went there is counted.
  const auto recycled = std::erase_if(expected, [](auto& line) { return line.starts_with("trash: "); });
  const long long binBefore = RecycleBinItems(ToPath(QDir::tempPath()));
#else
  if (std::ranges::count(lines, "! windows") > 0) GTEST_SKIP() << "Linux replaces a file held open";
#endif
  std::erase_if(lines, [](const std::string& line) { return line == "! linux" || line == "! windows"; });
  const auto kill = std::ranges::find(lines, "~ killed");
  Files before;
  if (qEnvironmentVariableIsSet(kKilledRun)) {  // the killed editor
    GameCopy copy(ToPath(qEnvironmentVariable(kKilledRun)));
    ScriptedSeam seam;
    Script(seam, copy, {lines.begin(), kill}, before, true);
    copy.RunList();
    std::_Exit(1);
  }
  GameCopy copy;
  if (kill != lines.end()) {
    RunKilled(copy);
    lines.erase(lines.begin(), kill + 1);
  }
  ScriptedSeam seam;
  Script(seam, copy, lines, before);
  before = copy.Snapshot();
  copy.RunList();
  std::vector<std::string> seen;
  for (const QString& line : seam.Log()) seen.push_back(Portable(copy, line));
  for (const std::string& change : Changes(copy, before, copy.Snapshot())) seen.push_back(Portable(copy, Q(change)));
  std::error_code none;  // no recovery folder: no run ever wrote one
  for (const auto& left : fs::directory_iterator(copy.Recovery(), none)) {
    seen.push_back(Portable(copy, Q("left: " + left.path().filename().string())));
  }
  held.clear();
  for (std::size_t i = 0; i < std::min(seen.size(), expected.size()); ++i) {  // "...": a line's start
    const std::string& line = expected[i];
    if (line.ends_with("...") && seen[i].starts_with(line.substr(0, line.size() - 3))) expected[i] = seen[i];
  }
  EXPECT_EQ(seen, expected);
#ifdef _WIN32
  EXPECT_EQ(RecycleBinItems(ToPath(QDir::tempPath())) - binBefore, recycled);
#endif
  EXPECT_FALSE(fs::exists("files"));  // where Qt trashes without a trash folder
}

INSTANTIATE_TEST_SUITE_P(Table, ListFlows, testing::ValuesIn(test_support::LoadCases("app/cases/list_flows.txt")),
                         test_support::CaseName());

// The overview of DeepSurvey writes nothing; it is drawn as the core draws it (the golden file
// of the core tests), zoomed, and saved as SVG and PNG through the seam.
TEST(Flows, OverviewShowsTheBattleAndWritesOnlyWhatIsAskedFor) {
  GameCopy copy;
  const auto before = copy.Snapshot();
  ScriptedSeam seam;
  seam.Expect("STARTBOX", [](QDialog& window) {
    SelectRow(Find<QListWidget>(window, "Available Battles"), 3);
    Click(window, "Overview");
    Click(window, "Close");
  });
  seam.Expect("OVERVIEWBOX", [](QDialog& box) {
    auto& picture = Find<QSvgWidget>(box, "Battle Overview");
    EXPECT_TRUE(picture.accessibleDescription().startsWith("Deep Survey\nDeepSurvey.vk7\n"));
    const int width = picture.width();
    Click(box, "Zoom In");
    EXPECT_EQ(picture.width(), qRound(width * 1.25));
    for (int i = 0; i < 3; ++i) Click(box, "Save as...");
    Click(box, "Close");
  });
  TempDir out;
  for (const char* name : {"deep.svg", "deep.png", "no folder/x.svg"}) seam.Chosen("save", FromPath(out / name));
  seam.Expect("ERRORBOX", Press("Cancel"));
  copy.RunList();
  EXPECT_EQ(seam.Log().back(), "Error: Cannot write the file!");
  EXPECT_EQ(copy.Snapshot(), before);
  const std::string golden = ReadBytes(std::string(VK7_TEST_DATA_DIR) + "/content/golden/overview/deep_survey.svg");
  EXPECT_EQ(ReadBytes(out / "deep.svg"), golden);
  QSvgRenderer renderer(QByteArray::fromStdString(golden));
  const QImage png(FromPath(out / "deep.png"));
  EXPECT_EQ(png.size(), renderer.defaultSize() * 2);
  QImage drawn(png.size(), QImage::Format_RGB32);
  drawn.fill(Qt::white);
  QPainter painter(&drawn);
  renderer.render(&painter);
  painter.end();
  EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), drawn);
}

// Keeps the user's own stored game folder out of a test's way, and the test's out of the
// user's: a fresh settings folder; on Windows the registry keys, emptied for the test and given
// back their values after it.
class StoredSettings {
 public:
#ifdef _WIN32
  static constexpr const char* kKeys[] = {"HKEY_LOCAL_MACHINE\\SOFTWARE\\VelkorEdit\\ZRPath",
                                          "HKEY_CURRENT_USER\\SOFTWARE\\VelkorEdit\\ZRPath"};
  StoredSettings() {
    for (const char* key : kKeys) {
      QSettings settings(key, QSettings::NativeFormat);
      for (const QString& name : settings.childKeys()) saved_[key][name] = settings.value(name);
      settings.remove("");
    }
  }
  ~StoredSettings() {
    for (const char* key : kKeys) {
      QSettings settings(key, QSettings::NativeFormat);
      settings.remove("");
      for (const auto& [name, value] : saved_[key]) settings.setValue(name, value);
    }
  }

 private:
  std::map<const char*, std::map<QString, QVariant>> saved_;
#else
  // QSettings takes its folder from XDG_CONFIG_HOME once per process, so it is also set here.
  StoredSettings() {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, FromPath(config_.Path()));
  }
  ~StoredSettings() {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
  }

 private:
  TempDir config_;
  ScopedEnv configHome_{"XDG_CONFIG_HOME", config_.Path()};
#endif
};

class MainFrameTest : public ::testing::Test {
 protected:
  // The chooser's prompt and start folder: the current folder, else the home folder.
  static QString Prompt(const QString& current, const QString& start = QDir::homePath()) {
    return "folder: Configure VelkorEdit: Set ZR main directory\nCurrent Path: " + current + "|" +
           start;
  }
  static void Trigger(MainFrame& frame, const QString& text) {
    for (QAction* menu : frame.menuBar()->actions()) {
      for (QAction* item : menu->menu()->actions()) {
        if (item->text() == text) return item->trigger();
      }
    }
    FAIL() << "no menu item " << text.toStdString();
  }
  // The chosen folder as the editor keeps it: native separators, one at the end.
  static QString Stored(const QString& folder) {
    return QDir::toNativeSeparators(folder) + QDir::separator();
  }

  StoredSettings settings_;
  TempDir folders_;
  const QString zr_ = FromPath(folders_.Path() / "ZR");
};

TEST_F(MainFrameTest, HasItsTitleAndMenuAndF1OpensTheAboutBox) {
  MainFrame frame("");
  EXPECT_EQ(frame.windowTitle(), "Velkor Editor");
  QStringList menus;
  for (QAction* menu : frame.menuBar()->actions()) {
    menus << menu->text();
    for (QAction* item : menu->menu()->actions()) menus << "  " + item->text();
  }
  EXPECT_EQ(menus, QStringList({"&File", "  Start", "  Exit", "&Configure", "  Path to ZR", "&Help",
                                "  &About...."}));
  const auto about = [](QDialog& box) {
    EXPECT_EQ(Find<QLabel>(box, "versionLabel").text(), "Version 1.2");
    Click(box, "OK");
  };
  ScriptedSeam seam;
  seam.Expect("ABOUTBOX", about).Expect("ABOUTBOX", about);
  QWidget other;  // from the editor's other windows too
  for (QWidget* window : {static_cast<QWidget*>(&frame), &other}) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_F1);
  }
  EXPECT_TRUE(seam.Done());
}

// Stored with one trailing separator; a cancelled choice keeps the old one; the chooser starts
// in the current folder, or in the home folder when that is gone.
TEST_F(MainFrameTest, PathToZrStoresTheChosenFolder) {
  const QString old = Stored(FromPath(folders_.Path()));
  MainFrame frame(old);
  ScriptedSeam seam;
  seam.Chosen("folder", zr_).Chosen("folder", zr_ + "/").Chosen("folder", "");
  for (int i = 0; i < 3; ++i) {
    Trigger(frame, "Path to ZR");
    EXPECT_EQ(frame.GameDirectory(), Stored(zr_));
    EXPECT_EQ(GameSettings::Read(), std::optional<QString>(Stored(zr_)));
  }
  EXPECT_EQ(seam.Log(),
            (std::vector<QString>{Prompt(old, old), Prompt(Stored(zr_)), Prompt(Stored(zr_))}));
}

TEST_F(MainFrameTest, StartAsksForAGameFolderWhenThereIsNoneAndOpensItsBattleList) {
  GameCopy copy;
  MainFrame frame("");
  ScriptedSeam seam;
  seam.Chosen("folder", "");  // no list of whatever "scripts" folder the program started in
  Trigger(frame, "Start");
  EXPECT_EQ(frame.GameDirectory(), "");
  seam.Chosen("folder", FromPath(copy.Game().Root())).Expect("STARTBOX", [](QDialog& window) {
    EXPECT_EQ(Find<QListWidget>(window, "Available Battles").count(), 4);
    Click(window, "Close");
  });
  seam.Expect("STARTBOX", Press("Close"));  // asked only once
  Trigger(frame, "Start");
  Trigger(frame, "Start");
  EXPECT_TRUE(seam.Done());
}

TEST_F(MainFrameTest, TheFirstStartOffersTheFolderChoiceUntilOneIsStored) {
  ScriptedSeam seam;
  seam.Chosen("folder", "");  // cancelled: nothing stored, so the next start asks again
  EXPECT_EQ(StartEditor()->GameDirectory(), "");
  EXPECT_FALSE(GameSettings::Read());
  seam.Chosen("folder", zr_);
  EXPECT_EQ(StartEditor()->GameDirectory(), Stored(zr_));
  EXPECT_EQ(StartEditor()->GameDirectory(), Stored(zr_));  // stored now: no question
  EXPECT_EQ(seam.Log(), (std::vector<QString>{Prompt(""), Prompt("")}));
  ASSERT_TRUE(GameSettings::Write("/games/zr"));  // stored by hand: used unchanged
  EXPECT_EQ(StartEditor()->GameDirectory(), "/games/zr");
  EXPECT_TRUE(StartEditor()->isVisible());
}

#ifdef _WIN32
// In the registry: written as the machine key's default value (the user's own copy, now out of
// date, goes), read from the user's key first (where it went when the machine's could not be
// written), as the key's default value or else its first, whatever its name.
TEST(GameSettings, ReadTakesTheUsersKeyFirstAndWriteTheMachines) {
  const StoredSettings settings;
  const auto [machine, user] = StoredSettings::kKeys;
  const auto set = [](const char* key, const QString& name, const QString& value) {
    QSettings(key, QSettings::NativeFormat).setValue(name, value);
  };
  const auto values = [](const char* key) {  // Qt names the key's unnamed value "."
    QSettings settings(key, QSettings::NativeFormat);
    QStringList values;
    for (const QString& name : settings.childKeys())
      values << name + "=" + settings.value(name).toString();
    return values;
  };
  EXPECT_EQ(GameSettings::Read(), std::nullopt);
  set(machine, "!Path", "C:\\Games\\ZR\\");
  EXPECT_EQ(GameSettings::Read(), "C:\\Games\\ZR\\");
  set(machine, ".", "D:\\ZR");                // listed after "!Path"
  EXPECT_EQ(GameSettings::Read(), "D:\\ZR");  // unchanged: no backslash added
  set(user, "Default", "E:\\Mine\\");
  EXPECT_EQ(GameSettings::Read(), "E:\\Mine\\");
  QSettings(machine, QSettings::NativeFormat).remove("");
  ASSERT_TRUE(GameSettings::Write("C:\\Games\\ZR\\"));
  EXPECT_EQ(values(machine), QStringList{".=C:\\Games\\ZR\\"});
  EXPECT_EQ(values(user), QStringList{});
  EXPECT_EQ(GameSettings::Read(), "C:\\Games\\ZR\\");
}
#endif

}  // namespace
}  // namespace vk7
