// Whole flows through the battle list as data (app/cases/list_flows.txt): the game copy
// prepared, the dialogs answered, and what was shown and what changed on disk.
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fstream>

#include "app/flow_support.h"
#include "app/recovery_file.h"
#include "support/case_file.h"
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

// A killed editor is this test program run again on the same game copy (named in this
// variable), killed in its last dialog: SIGKILL, or on Windows TerminateProcess.
constexpr const char* kKilledRun = "VK7_KILLED_RUN";
constexpr int kKilledStatus = 137;

[[noreturn]] void KillThisProcess() {
#ifdef _WIN32
  TerminateProcess(GetCurrentProcess(), kKilledStatus);
#else
  ::kill(::getpid(), SIGKILL);
#endif
  std::abort();
}

template <typename T>
T& Only(QDialog& dialog) {
  const auto all = dialog.findChildren<T*>();
  if (all.size() != 1) throw std::runtime_error("not one of its kind");
  return *all.front();
}

// "?" notes the title and the rows of the dialog's only list, "?NAME" a list, label or entry.
// The selected row is in [], and a list is followed by how many buttons are off.
std::string Shown(QDialog& dialog, const std::string& name) {
  const auto lists = dialog.findChildren<QListWidget*>();
  if (name.empty() && lists.size() != 1) return dialog.windowTitle().toStdString();
  QWidget& widget = name.empty() ? *lists.front() : Find<QWidget>(dialog, Q(name));
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

// The actions on one dialog: "#N [LIST]" selects row N (of the dialog's only list when none is
// named), "##N" double clicks it, "=TEXT" types into the entry, "?[NAME]" notes a list, label or
// entry, anything else presses the button of that text or accessible name.
void Play(ScriptedSeam& seam, QDialog& dialog, const std::vector<std::string>& actions) {
  for (const std::string& action : actions) {
    const std::string rest = action.substr(std::min<std::size_t>(action.size(), 1));
    if (action.starts_with("##")) {
      ClickRow(Only<QListWidget>(dialog), std::stoi(action.substr(2)), true);
    } else if (action.starts_with('#')) {
      const auto space = rest.find(' ');
      SelectRow(space == std::string::npos ? Only<QListWidget>(dialog)
                                           : Find<QListWidget>(dialog, Q(rest.substr(space + 1))),
                std::stoi(rest));
    } else if (action.starts_with('=')) {
      Only<QLineEdit>(dialog).setText(Q(rest));
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
}

// Files another program holds open until the case ends.
std::vector<std::shared_ptr<void>> held;

// "! no trash", "! no recovery folder", "! remove NAME" (a folder too), "! protect NAME"
// (write-protected by its permission bits, which Windows refuses to replace, also for root), "!
// write NAME: BYTES" (NAME "recovery": a recovery file of the game), "! link NAME: TARGET" (NAME a
// link to TARGET, where its file went), "! hold NAME" (open, on Windows without delete sharing, as
// editors and virus scanners hold files).
void Prepare(const GameCopy& copy, const std::string& what) {
  const std::string name = what.substr(what.find(' ') + 1, what.find(": ") - what.find(' ') - 1);
  if (what == "no recovery folder") {  // a file in its place
    std::filesystem::remove_all(copy.Recovery());
    std::filesystem::create_directories(copy.Recovery().parent_path());
    std::ofstream(copy.Recovery()) << "no folder";
  } else if (what == "no trash") {  // as on a volume without a trash: there is no folder for it
    std::filesystem::remove_all(copy.Root() / "data");
    std::ofstream(copy.Root() / "data");
  } else if (what.starts_with("remove ")) {
    std::filesystem::remove_all(copy.At(name));
  } else if (what.starts_with("link ")) {  // "link NAME: TARGET": NAME's file moves to TARGET
    const auto target = copy.At(what.substr(what.find(": ") + 2));
    std::filesystem::create_directories(target.parent_path());
    std::filesystem::rename(copy.At(name), target);
    std::filesystem::create_symlink(target, copy.At(name));
  } else if (what.starts_with("protect ")) {
    std::filesystem::permissions(copy.At(name), std::filesystem::perms::owner_read);
#ifdef _WIN32
  } else if (what.starts_with("hold ")) {
    const HANDLE file =
        CreateFileW(copy.At(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    held.emplace_back(file, CloseHandle);
#endif
  } else if (what.starts_with("write ")) {
    const auto file = name == "recovery" ? RecoveryFile::NewFor(copy.Game()) : copy.At(name);
    std::filesystem::create_directories(file.parent_path());
    const std::string bytes = what.substr(what.find(": ") + 2);
    std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
  } else {
    FAIL() << "unknown preparation " << what;
  }
}

// A battle file written anew, by what it holds: player +escorts; each system with its friends,
// enemies and neutrals.
std::string Summary(const GameCopy& copy, const std::string& name) {
  const BattleConfig battle = ReadBattle(copy.At(name), name.substr(0, name.size() - 4));
  const auto classes = [](const std::vector<ShipEntry>& ships) {
    std::string text;
    for (const ShipEntry& ship : ships) text += (text.empty() ? "" : ",") + ship.shipClass;
    return text;
  };
  std::string text = battle.player.shipClass + " +" + classes(battle.escorts);
  for (const StarSystem& system : battle.systems) {
    text += "; " + system.name + " " + classes(system.friends) + "/" + classes(system.enemies) +
            "/" + classes(system.neutrals);
  }
  return text;
}

// Every file that went, or came or changed: by the file whose bytes it took, the entries of
// vk7.txt, its bytes when short, what a battle holds, or the place a trash record names.
std::vector<std::string> Changes(const GameCopy& copy, const Files& before, const Files& after) {
  std::vector<std::string> lines;
  for (const auto& [name, bytes] : before) {
    if (!after.contains(name)) lines.push_back("gone: " + name);
  }
  const std::string header = "VK7 Available Battles\r\nFile Format Version 1.0\r\n";
  for (const auto& [name, bytes] : after) {
    if (before.contains(name) && before.at(name) == bytes) continue;
    const auto same =
        std::ranges::find(before, bytes, [](const auto& file) { return file.second; });
    if (same != before.end()) {
      lines.push_back(name + " = " + same->first);
    } else if (name.ends_with(".trashinfo")) {  // by where "Restore" puts the file back
      const std::size_t end = bytes.find('\n', bytes.find("\nPath=") + 1);
      const std::size_t from = bytes.rfind('/', bytes.rfind('/', end) - 1) + 1;
      lines.push_back(name + " from " + bytes.substr(from, end - from));
    } else if (name.ends_with(".vk7recovery")) {
      lines.push_back(name + " new");
    } else if (name == "vk7.txt" && bytes.starts_with(header)) {
      std::string entries = bytes.substr(header.size(), bytes.size() - header.size() - 2);
      for (std::size_t at; (at = entries.find("\r\n")) != std::string::npos;) {
        entries.replace(at, 2, " | ");
      }
      lines.push_back(name + ": " + entries);
    } else {
      lines.push_back(name + ": " + (bytes.size() < 200 ? bytes : Summary(copy, name)));
    }
  }
  return lines;
}

// Plays `lines` on the next list window: "! " preparations that follow a dialog are made when it
// opens, and the files taken as they then are ("! list" opens a second list window on the game,
// as a second editor would, after that). `killed`: the process dies by SIGKILL in its last
// dialog, once its actions are played.
void Script(ScriptedSeam& seam, GameCopy& copy, const std::vector<std::string>& lines,
            Files& before, bool killed = false) {
  std::shared_ptr<std::vector<std::string>> later;  // of the dialog they follow
  for (const std::string& line : lines) {
    if (line.starts_with("! ")) {
      later ? later->push_back(line.substr(2)) : Prepare(copy, line.substr(2));
      continue;
    }
    const std::size_t colon = line.find(':');
    const QString step = Q(line.substr(0, colon));
    const std::string rest = line.substr(std::min(line.size(), colon + 2));
    if (step == step.toLower()) {
      seam.Chosen(step, rest.empty() ? "" : FromPath(copy.At(rest)));
      continue;
    }
    std::vector<std::string> actions;
    for (std::size_t at = 0; at < rest.size();) {
      const std::size_t end = std::min(rest.find("; ", at), rest.size());
      actions.push_back(rest.substr(at, end - at));
      at = end + 2;
    }
    const bool last = killed && &line == &lines.back();
    later = std::make_shared<std::vector<std::string>>();
    seam.Expect(step, [&, actions, last, preps = later](QDialog& dialog) {
      if (!preps->empty()) {
        for (const std::string& what : *preps) {
          if (what != "list") Prepare(copy, what);
        }
        before = copy.Snapshot();
        if (std::ranges::count(*preps, "list") > 0) RunList(copy);
      }
      Play(seam, dialog, actions);
      if (last) KillThisProcess();
    });
  }
}

class ListFlows : public testing::TestWithParam<test_support::Case> {};

// `line` with the paths below the temporary folder named from it, with "/" (and the recovery
// folder, which Windows keeps elsewhere, named as on Linux).
std::string Portable(const GameCopy& copy, QString line) {
  const std::pair<std::filesystem::path, QString> places[] = {
      {copy.Recovery(), "data/" + QCoreApplication::applicationName() + "/recovery/"},
      {copy.Root(), ""}};
  for (const auto& [place, name] : places) {
    const QString native = QDir::toNativeSeparators(FromPath(place)) + QDir::separator();
    for (qsizetype at; (at = line.indexOf(native)) >= 0;) {
      qsizetype end = at + native.size();
      while (end < line.size() && line[end] != '|' && line[end] != '"') ++end;
      const QString rest = line.mid(at + native.size(), end - at - native.size());
      line.replace(at, end - at, name + QDir::fromNativeSeparators(rest));
    }
  }
  return line.toStdString();
}

// Runs the lines before "~ killed" in a second process of this program, which dies in its last
// dialog, on `copy`.
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

// Input: "! " preparations, then the dialogs in the order they open, "TEMPLATE: a; b", and the
// choosers' answers, "file: NAME" ("file:" cancels). The lines before "~ killed" run in an
// editor that is killed in its last dialog; the rest then runs as after a new start. Expected:
// the seam's log (folders named from the temporary folder), then the files' changes, then the
// recovery files left.
TEST_P(ListFlows, ShowAndChangeWhatTheyShould) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
  auto lines = c.input;
  auto expected = c.expected;
#ifndef _WIN32
  if (c.name.ends_with("OnWindows")) GTEST_SKIP() << "Linux replaces a file held open";
#else
  if (c.name.ends_with("OnLinux")) {
    GTEST_SKIP() << "Linux only: single-byte file names, links that any user may make";
  }
  if (std::ranges::count(lines, "! no trash") > 0) {
    GTEST_SKIP() << "a running program's Recycle Bin cannot be taken away (RecycleBin tests)";
  }
  // The Recycle Bin is the user's, not the copy's: what went there is counted.
  const auto recycled = std::ranges::count_if(
      expected, [](const std::string& line) { return line.starts_with("data/Trash/files/"); });
  std::erase_if(expected, [](const std::string& line) { return line.starts_with("data/Trash/"); });
#endif
  const auto kill = std::ranges::find(lines, "~ killed");
  Files before;
  if (qEnvironmentVariableIsSet(kKilledRun)) {  // the killed editor
    GameCopy copy(ToPath(qEnvironmentVariable(kKilledRun)));
    ScriptedSeam seam;
    Script(seam, copy, {lines.begin(), kill}, before, true);
    RunList(copy);
    std::_Exit(1);
  }
  GameCopy copy;
  if (kill != lines.end()) {
    RunKilled(copy);
    lines.erase(lines.begin(), kill + 1);
  }
#ifdef _WIN32
  const long long binBefore = RecycleBinItems(ToPath(QDir::tempPath()));  // as `before`
#endif
  ScriptedSeam seam;
  Script(seam, copy, lines, before);
  before = copy.Snapshot();
  RunList(copy);
  std::vector<std::string> seen;
  // Recovery files are named by the run: its game folder's digest, process and time.
  const auto named = [](std::string line) {
    if (line.find(".vk7recovery") == std::string::npos) return line;
    return QString::fromStdString(line)
        .replace(QRegularExpression("[0-9a-f]{16}-[0-9]+-[0-9]+"), "RUN")
        .toStdString();
  };
  for (const QString& line : seam.Log()) seen.push_back(named(Portable(copy, line)));
  for (const std::string& change : Changes(copy, before, copy.Snapshot())) {
    seen.push_back(named(change));
  }
  std::error_code none;  // no recovery folder: no run ever wrote one
  for (const auto& left : std::filesystem::directory_iterator(copy.Recovery(), none)) {
    seen.push_back(named("left: " + left.path().filename().string()));
  }
  held.clear();
  EXPECT_EQ(seen, expected);
#ifdef _WIN32
  EXPECT_EQ(RecycleBinItems(ToPath(QDir::tempPath())) - binBefore, recycled);
#endif
  EXPECT_FALSE(std::filesystem::exists("files"));  // where Qt trashes without a trash folder
}

INSTANTIATE_TEST_SUITE_P(Table, ListFlows,
                         testing::ValuesIn(test_support::LoadCases("app/cases/list_flows.txt")),
                         test_support::CaseName());

}  // namespace
}  // namespace vk7
