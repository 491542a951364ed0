// The editor as a whole, on a copy of the demo game: the battle list's flows as data
// (app/cases/list_flows.txt, whose header gives their language), the overview, and the main
// window with the game folder choice and where it is stored.
#include <gtest/gtest.h>
#include <QAction>
#include <QDir>
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

// Undoes a change to the process's surroundings when it goes.
struct Undo {
  std::function<void()> undo;
  ~Undo() { undo(); }
};

#ifdef _WIN32
constexpr const char* kKeys[] = {"HKEY_LOCAL_MACHINE\\SOFTWARE\\VelkorEdit\\ZRPath",
                                 "HKEY_CURRENT_USER\\SOFTWARE\\VelkorEdit\\ZRPath"};
#endif

// Keeps the user's own files out of a test's way, and the test's out of the user's: home, data
// and settings folder below `root` (QSettings takes the latter once per process, so it is given
// back by hand). Windows keeps application data where no variable moves it, by the program's
// organisation, and the game folder in the registry: its keys are emptied until the test ends.
Undo Isolate(const fs::path& root) {
#ifdef _WIN32
  const QString organization = QCoreApplication::organizationName();
  QCoreApplication::setOrganizationName("vk7-test-" + Q(root.filename().string()));
  std::map<const char*, std::map<QString, QVariant>> keys;
  for (const char* key : kKeys) {
    QSettings settings(key, QSettings::NativeFormat);
    for (const QString& name : settings.childKeys()) keys[key][name] = settings.value(name);
    settings.remove("");
  }
  return {[=] {
    fs::remove_all(RecoveryFile::Folder().parent_path());  // the organisation's folder
    QCoreApplication::setOrganizationName(organization);
    for (const auto& [key, values] : keys) {
      QSettings settings(key, QSettings::NativeFormat);
      settings.remove("");
      for (const auto& [name, value] : values) settings.setValue(name, value);
    }
  }};
#else
  std::map<const char*, std::optional<QByteArray>> old;
  for (const auto& [name, folder] : {std::pair{"HOME", root},
                                     {"XDG_DATA_HOME", root / "data"},
                                     {"XDG_CONFIG_HOME", root / "config"}}) {
    old[name] = qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
    qputenv(name, QByteArray::fromStdString(folder.string()));
  }
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, FromPath(root / "config"));
  return {[old] {
    for (const auto& [name, value] : old) value ? qputenv(name, *value) : qunsetenv(name);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
  }};
#endif
}

// The demo game below a fresh temporary folder, with room beside it for files from elsewhere
// and for the desktop trash (on Windows the Recycle Bin is the user's, under Wine the run's).
class GameCopy {
 public:
  GameCopy() : dir_(std::make_unique<TempDir>()), root_(dir_->Path()) {
    fs::copy(fs::path(VK7_EXAMPLES_DIR) / "game", game_.Root(), fs::copy_options::recursive);
    fs::create_directory(root_ / "data");
  }
  // The copy another process of the test made, at `root`; left for that one to remove.
  explicit GameCopy(const fs::path& root) : root_(root) {}

  const GameFolder& Game() const { return game_; }
  const fs::path& Root() const { return root_; }
  // A file of the scripts folder ("vk7.txt"), or below the temporary folder when the name has
  // a folder in it ("elsewhere/Raid.vk7", "data/Trash/files/Raid.vk7").
  fs::path At(const std::string& name) const {
    return (name.find('/') == std::string::npos ? game_.ScriptsDir() : root_) / Utf8Path(name);
  }
  fs::path Recovery() const { return RecoveryFile::Folder(); }
  // Every file below the temporary folder, named as At() takes it, but for the recovery files
  // of the run going on: what a flow may not touch.
  Files Snapshot() const {
    Files files;
    for (const auto& entry : fs::recursive_directory_iterator(root_)) {
      const fs::path& file = entry.path();
      if (file.parent_path() == Recovery() || !entry.is_regular_file()) continue;
      const bool script = file.parent_path() == game_.ScriptsDir();
      const auto name =
          file.lexically_relative(script ? file.parent_path() : root_).generic_u8string();
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
  Undo isolated_ = Isolate(root_);
};

// A killed editor is this test program run again on the same game copy (named in this
// variable), killed in its last dialog: SIGKILL, or on Windows TerminateProcess.
constexpr const char* kKilledRun = "VK7_KILLED_RUN";
constexpr int kKilledStatus = 137;

template <typename T>
T& Only(QDialog& dialog) {
  return One<T>(dialog, "of its kind", [](const T&) { return true; });
}

// What "?" notes: the title and the only list; "?NAME" a list, label or entry.
std::string Shown(QDialog& dialog, const std::string& name) {
  const bool title = name.empty(), list = dialog.findChildren<QListWidget*>().size() == 1;
  if (title && !list) return dialog.windowTitle().toStdString();
  QWidget& widget = title ? Only<QListWidget>(dialog) : Find<QWidget>(dialog, Q(name));
  if (auto* label = qobject_cast<QLabel*>(&widget)) return label->text().toStdString();
  if (auto* edit = qobject_cast<QLineEdit*>(&widget)) return edit->text().toStdString();
  if (auto* svg = qobject_cast<QSvgWidget*>(&widget)) {  // its size, and what it shows in words
    const QString text = svg->accessibleDescription().section('\n', 0, 1).replace('\n', ", ");
    return QString("%1x%2: %3").arg(svg->width()).arg(svg->height()).arg(text).toStdString();
  }
  auto& rows = dynamic_cast<QListWidget&>(widget);
  QStringList texts;
  for (int i = 0; i < rows.count(); ++i) {
    texts << (rows.item(i)->isSelected() ? "[" + rows.item(i)->text() + "]" : rows.item(i)->text());
  }
  int off = 0;
  for (auto* button : dialog.findChildren<QPushButton*>()) off += button->isEnabled() ? 0 : 1;
  return ((title ? dialog.windowTitle() + ": " : "") + texts.join(", ") +
          (off > 0 ? QString(" (%1 off)").arg(off) : ""))
      .toStdString();
}

void Play(ScriptedSeam& seam, QDialog& dialog, const QString& action) {
  const QString rest = action.mid(1), list = rest.section(' ', 1);
  if (action.startsWith("##")) {
    ClickRow(Only<QListWidget>(dialog), action.mid(2).toInt(), true);
  } else if (action.startsWith('#')) {
    SelectRow(list.isEmpty() ? Only<QListWidget>(dialog) : Find<QListWidget>(dialog, list),
              rest.section(' ', 0, 0).toInt());
  } else if (action.startsWith('=')) {
    Only<QLineEdit>(dialog).setText(rest);
  } else if (action.startsWith('?')) {
    seam.Note(Q(Shown(dialog, rest.toStdString())));
  } else {
    try {
      Click(dialog, action);
    } catch (const std::runtime_error&) {  // the system pages name apart buttons of one text
      Find<QPushButton>(dialog, action).click();
    }
  }
}

std::vector<std::shared_ptr<void>> held;  // files another program holds open until the case ends

void Prepare(const GameCopy& copy, const std::string& what) {
  const std::size_t space = what.find(' '), colon = what.find(": ");
  const std::string verb = what.substr(0, space), name = what.substr(space + 1, colon - space - 1);
  const std::string bytes = colon == std::string::npos ? "" : what.substr(colon + 2);
  const fs::path file = name == "recovery" ? RecoveryFile::NewFor(copy.Game()) : copy.At(name);
  if (what == "no recovery folder" || what == "no trash") {  // a file where the folder would be
    const fs::path folder = what == "no trash" ? copy.Root() / "data" : copy.Recovery();
    fs::remove_all(folder);
    fs::create_directories(folder.parent_path());
    std::ofstream(folder) << "no folder";
  } else if (verb == "remove") {
    fs::remove_all(file);
  } else if (verb == "link") {
    fs::create_directories(copy.At(bytes).parent_path());
    fs::rename(file, copy.At(bytes));
    fs::create_symlink(copy.At(bytes), file);
  } else if (verb == "protect") {
    fs::permissions(file, fs::perms::owner_read);
#ifdef _WIN32
  } else if (verb == "hold") {
    const HANDLE handle =
        CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    held.emplace_back(handle, CloseHandle);
#endif
  } else if (verb == "copy") {  // of a file of the test data
    fs::create_directories(file.parent_path());
    fs::copy_file(fs::path(VK7_TEST_DATA_DIR) / bytes, file);
  } else if (verb == "write" || verb == "battle") {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary)
        << (verb == "write" ? bytes
                            : "VK7 Battle\nFile Format Version 1.2\nTitle = Raid\nPlayer = " +
                                  (bytes.empty() ? "TALON" : bytes) + "\nSystem = Calder\n");
  } else {
    FAIL() << "unknown preparation " << what;
  }
}

// A battle by what it holds: "player +escorts; system friends/enemies/neutrals", " (LF)" when
// its lines do not end in CR LF.
std::string Summary(const fs::path& file, const std::string& bytes) {
  BattleConfig battle;
  RecordingReporter reporter;
  EXPECT_TRUE(BattleFileReader(battle, reporter).Read("x", file, false)) << file;
  const auto classes = [](const std::vector<ShipEntry>& ships) {
    QStringList names;
    for (const ShipEntry& ship : ships) names << Q(ship.shipClass);
    return names.join(',').toStdString();
  };
  std::string text = battle.player.shipClass + " +" + classes(battle.escorts);
  for (const StarSystem& system : battle.systems) {
    text += "; " + system.name + " " + classes(system.friends) + "/" + classes(system.enemies) +
            "/" + classes(system.neutrals);
  }
  return text + (Q(bytes).contains(QRegularExpression("[^\r]\n")) ? " (LF)" : "");
}

// The SVG file of `before` whose drawing, twice its size, a PNG file's `bytes` hold.
std::string Drawn(const Files& before, const std::string& bytes) {
  const QImage image = QImage::fromData(QByteArray::fromStdString(bytes));
  for (const auto& [name, svg] : before) {
    if (!name.ends_with(".svg")) continue;
    QSvgRenderer renderer(QByteArray::fromStdString(svg));
    QImage drawn(renderer.defaultSize() * 2, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    renderer.render(&painter);
    painter.end();
    if (image.convertToFormat(QImage::Format_RGB32) == drawn) return name;
  }
  return "?";
}

// Every file that went, or came or changed (see the case file's header).
std::vector<std::string> Changes(const GameCopy& copy, const Files& before, const Files& after) {
  std::vector<std::string> lines;
  for (const auto& [name, bytes] : before) {
    if (!after.contains(name)) lines.push_back("gone: " + name);
  }
  const std::string header = "VK7 Available Battles\r\nFile Format Version 1.0\r\n";
  const std::string trash = "data/Trash/files/";
  for (const auto& [name, bytes] : after) {
    if (before.contains(name) && before.at(name) == bytes) continue;
    const auto same = std::ranges::find(before, bytes, &Files::value_type::second);
    const std::string from = same == before.end() ? "" : same->first;
    if (name.starts_with(trash)) {  // with where "Restore" puts it back, as its record names it
      const std::string file = name.substr(trash.size());
      const QString info = Q(after.at("data/Trash/info/" + file + ".trashinfo"));
      const QString path = info.section("\nPath=", 1).section('\n', 0, 0).section('/', -2);
      const bool home = path == "scripts/" + QString(QUrl::toPercentEncoding(Q(file)));
      lines.push_back("trash: " + file +
                      (from.empty()   ? " new"
                       : from == file ? ""
                                      : " = " + from) +
                      (home ? "" : " from " + path.toStdString()));
    } else if (!from.empty()) {
      lines.push_back(name + " = " + from);
    } else if (name == "vk7.txt" && bytes.starts_with(header)) {
      const QByteArray entries = QByteArray::fromStdString(bytes.substr(header.size())).chopped(2);
      lines.push_back(name + ": " + QByteArray(entries).replace("\r\n", ", ").toStdString());
    } else if (name.ends_with(".png")) {
      lines.push_back(name + ": " + Drawn(before, bytes) + " drawn");
    } else if (!name.starts_with("data/Trash/info/")) {
      lines.push_back(name + ": " +
                      (name.ends_with(".vk7") ? Summary(copy.At(name), bytes) : bytes));
    }
  }
  return lines;
}

// Plays `lines` on the next list window; `killed`: the process dies in its last dialog.
void Script(ScriptedSeam& seam, GameCopy& copy, const std::vector<std::string>& lines,
            Files& before, bool killed = false) {
  std::shared_ptr<std::vector<std::string>> later;  // preparations of the dialog they follow
  for (const std::string& line : lines) {
    const QString step = Q(line).section(':', 0, 0), rest = Q(line).section(':', 1).mid(1);
    if (line.starts_with("! ")) {
      later ? later->push_back(line.substr(2)) : Prepare(copy, line.substr(2));
    } else if (step == step.toLower()) {
      seam.Chosen(step, rest.isEmpty() ? "" : FromPath(copy.At(rest.toStdString())));
    } else {
      const bool last = killed && &line == &lines.back();
      later = std::make_shared<std::vector<std::string>>();
      seam.Expect(step, [&, rest, last, preps = later](QDialog& dialog) {
        for (const std::string& what : *preps) {
          if (what != "list") Prepare(copy, what);
        }
        if (!preps->empty()) before = copy.Snapshot();
        if (std::ranges::count(*preps, "list") > 0) copy.RunList();
        for (const QString& action : rest.split("; ", Qt::SkipEmptyParts))
          Play(seam, dialog, action);
#ifdef _WIN32
        if (last) TerminateProcess(GetCurrentProcess(), kKilledStatus);
#else
        if (last) ::kill(::getpid(), SIGKILL);
#endif
      });
    }
  }
}

// `line` with the temporary folder's paths named from it, with "/" (and the recovery folder,
// which Windows keeps elsewhere, as on Linux); the run's own part of a recovery file's name
// (the game folder's digest, process and time) as RUN; the common messages short.
QString Portable(const GameCopy& copy, QString line) {
  const QString recovery = "data/" + QCoreApplication::applicationName() + "/recovery/";
  for (const auto& [place, name] : {std::pair{copy.Recovery(), recovery}, {copy.Root(), ""}}) {
    line.replace(QDir::toNativeSeparators(FromPath(place)) + QDir::separator(), name);
  }
  return QDir::fromNativeSeparators(line)
      .replace(QDir::homePath() + "/", "")  // where choosers start (on Windows not the copy)
      .replace(QRegularExpression("[0-9a-f]{16}-[0-9]+-[0-9]+(?=\\.vk7recovery)"), "RUN")
      .replace(QRegularExpression("^Save: {35}Battle Configuration (.*) saved\\. {34}$"),
               "saved \\1")
      .replace(QRegularExpression("^file: Import Battle\\|(.*)\\|Velkor Files \\(\\*\\.vk7\\)$"),
               "import in \\1");
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
  const auto has = [&](const char* line) { return std::ranges::count(lines, line) > 0; };
#ifdef _WIN32
  if (has("! linux")) GTEST_SKIP() << "single-byte file names, links that any user may make";
  if (has("! no trash")) GTEST_SKIP() << "a running program's Recycle Bin cannot be taken away";
  // The Recycle Bin is the user's, not the copy's: what went there is counted.
  const auto recycled =
      std::erase_if(expected, [](auto& line) { return line.starts_with("trash: "); });
#else
  if (has("! windows")) GTEST_SKIP() << "Linux replaces a file held open";
#endif
  std::erase_if(lines,
                [](const std::string& line) { return line == "! linux" || line == "! windows"; });
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
#ifdef _WIN32
  const long long binBefore = RecycleBinItems(ToPath(QDir::tempPath()));  // after a killed run's
#endif
  ScriptedSeam seam;
  Script(seam, copy, lines, before);
  before = copy.Snapshot();
  copy.RunList();
  std::vector<std::string> seen;
  for (const QString& line : seam.Log()) seen.push_back(Portable(copy, line).toStdString());
  auto changes = Changes(copy, before, copy.Snapshot());
  std::error_code none;  // no recovery folder: no run ever wrote one
  for (const auto& left : fs::directory_iterator(copy.Recovery(), none)) {
    changes.push_back("left: " + left.path().filename().string());
  }
  for (const std::string& line : changes) {  // names as their bytes are
    seen.push_back(Portable(copy, QString::fromLatin1(line)).toLatin1().toStdString());
  }
  held.clear();
  for (std::size_t i = 0; i < std::min(seen.size(), expected.size()); ++i) {  // "...": its start
    const std::string& line = expected[i];
    if (line.ends_with("...") && seen[i].starts_with(line.substr(0, line.size() - 3)))
      expected[i] = seen[i];
  }
  EXPECT_EQ(seen, expected);
#ifdef _WIN32
  EXPECT_EQ(RecycleBinItems(ToPath(QDir::tempPath())) - binBefore, recycled);
#endif
  EXPECT_FALSE(fs::exists("files"));  // where Qt trashes without a trash folder
}

INSTANTIATE_TEST_SUITE_P(Table, ListFlows,
                         testing::ValuesIn(test_support::LoadCases("app/cases/list_flows.txt")),
                         test_support::CaseName());

// The main window's menu item of this text.
void Trigger(MainFrame& frame, const QString& text) {
  for (QAction* item : frame.findChildren<QAction*>()) {
    if (item->text() == text) return item->trigger();
  }
  FAIL() << "no menu item " << text.toStdString();
}

TEST(MainFrame, HasItsTitleAndMenuAndF1OpensTheAboutBox) {
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
}

// Until a folder is stored each start asks for it (in the home folder), and "Start" too, but
// then only once; "Path to ZR" asks in the current folder, or in the home folder when that is
// gone, and a cancelled choice keeps the old one. The folder is kept with one separator at its
// end; one stored by hand is used unchanged.
TEST(MainFrame, TheGameFolderIsAskedForUntilOneIsStored) {
  GameCopy copy;
  const QString game = FromPath(copy.Game().Root()), zr = FromPath(copy.Root() / "ZR");
  const auto stored = [](const QString& folder) {
    return QDir::toNativeSeparators(folder) + QDir::separator();
  };
  const auto prompt = [](const QString& current, const QString& start = QDir::homePath()) {
    return "folder: Configure VelkorEdit: Set ZR main directory\nCurrent Path: " + current + "|" +
           start;
  };
  ScriptedSeam seam;
  seam.Chosen("folder", "");  // cancelled: nothing stored, no list of whatever "scripts" folder
  auto frame = StartEditor();
  EXPECT_FALSE(GameSettings::Read());
  seam.Chosen("folder", game).Expect("STARTBOX", [](QDialog& window) {
    EXPECT_EQ(Find<QListWidget>(window, "Available Battles").count(), 4);
    Click(window, "Close");
  });
  Trigger(*frame, "Start");
  seam.Expect("STARTBOX", Press("Close"));
  Trigger(*frame, "Start");
  EXPECT_EQ(StartEditor()->GameDirectory(), stored(game));  // stored now: no question
  seam.Chosen("folder", zr).Chosen("folder", zr + "/").Chosen("folder", "");
  for (int i = 0; i < 3; ++i) {
    Trigger(*frame, "Path to ZR");
    EXPECT_EQ(frame->GameDirectory(), stored(zr));
    EXPECT_EQ(GameSettings::Read(), std::optional<QString>(stored(zr)));
  }
  EXPECT_EQ(seam.Log(),
            (std::vector<QString>{prompt(""), prompt(""), prompt(stored(game), stored(game)),
                                  prompt(stored(zr)), prompt(stored(zr))}));
  ASSERT_TRUE(GameSettings::Write("/games/zr"));
  EXPECT_EQ(StartEditor()->GameDirectory(), "/games/zr");
  EXPECT_TRUE(StartEditor()->isVisible());
}

#ifdef _WIN32
// In the registry: read from the user's key first (where it went when the machine's could not
// be written), as the key's default value or else its first, whatever its name; written as the
// machine key's default value, and the user's own copy, now out of date, goes.
TEST(GameSettings, ReadTakesTheUsersKeyFirstAndWriteTheMachines) {
  const GameCopy copy;
  const auto [machine, user] = kKeys;
  const auto set = [](const char* key, const QString& name, const QString& value) {
    QSettings(key, QSettings::NativeFormat).setValue(name, value);
  };
  const auto values = [](const char* key) {  // Qt names the key's unnamed value "."
    QSettings settings(key, QSettings::NativeFormat);
    QStringList pairs;
    for (const QString& name : settings.childKeys())
      pairs << name + "=" + settings.value(name).toString();
    return pairs;
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
