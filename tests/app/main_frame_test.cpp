// The main window and the start-up: menu, About box, the game folder choice and where it is
// stored, and the battle list opened on the chosen folder.
#include "app/main_frame.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include "app/editor_startup.h"
#include "app/flow_support.h"
#include "app/game_settings.h"

namespace vk7 {
namespace {

using namespace test;

// The settings go to a fresh folder. QSettings takes its folder from XDG_CONFIG_HOME once per
// process, so the folder is also set explicitly for the case that an earlier test used it.
class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hadConfigHome_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    oldConfigHome_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config_.Path().string()));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, Q(config_.Path().string()));
  }

  void TearDown() override {
    if (hadConfigHome_) {
      qputenv("XDG_CONFIG_HOME", oldConfigHome_);
    } else {
      qunsetenv("XDG_CONFIG_HOME");
    }
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
  }

  std::filesystem::path IniFile() const { return config_.Path() / "VelkorEdit" / "ZRPath.ini"; }

  // The chooser's prompt and start folder: the current folder, else the home folder.
  static QString Prompt(const QString& current, const QString& start = QDir::homePath()) {
    return "Configure VelkorEdit: Set ZR main directory\nCurrent Path: " + current + "|" + start;
  }

  static QAction& MenuItem(MainFrame& frame, const QString& text) {
    for (QAction* menu : frame.menuBar()->actions()) {
      for (QAction* item : menu->menu()->actions()) {
        if (item->text() == text) return *item;
      }
    }
    throw std::runtime_error("no menu item " + text.toStdString());
  }

  TempDir config_;
  TempDir folders_;

 private:
  bool hadConfigHome_ = false;
  QByteArray oldConfigHome_;
};

TEST_F(MainFrameTest, HasItsTitleAndMenu) {
  MainFrame frame("");
  EXPECT_EQ(frame.windowTitle(), "Velkor Editor");
  std::vector<std::pair<QString, QStringList>> menus;
  for (QAction* menu : frame.menuBar()->actions()) {
    QStringList items;
    for (QAction* item : menu->menu()->actions()) items << item->text();
    menus.emplace_back(menu->text(), items);
  }
  EXPECT_EQ(menus, (std::vector<std::pair<QString, QStringList>>{{"&File", {"Start", "Exit"}},
                                                                 {"&Configure", {"Path to ZR"}},
                                                                 {"&Help", {"&About...."}}}));
  EXPECT_EQ(MenuItem(frame, "&About....").shortcut(), QKeySequence(Qt::Key_F1));
}

TEST_F(MainFrameTest, F1OpensTheAboutBox) {
  MainFrame frame("");
  frame.show();
  frame.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
  ScriptedSeam seam;
  seam.Expect("ABOUTBOX", [](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), "About Velkor");
    EXPECT_EQ(Find<QLabel>(box, "nameLabel").text(), "Velkor Editor");
    EXPECT_EQ(Find<QLabel>(box, "versionLabel").text(), "Version 1.2");
    Click(box, "OK");
  });
  QTest::keyClick(&frame, Qt::Key_F1);
  EXPECT_TRUE(seam.Done());
}

TEST_F(MainFrameTest, PathToZrStoresTheFolderWithOneTrailingSeparator) {
  const QString zr = Q((folders_.Path() / "ZR").string());
  for (const QString& chosen : {zr, zr + "/"}) {
    SCOPED_TRACE(chosen.toStdString());
    std::filesystem::remove_all(config_.Path() / "VelkorEdit");
    const QString old = Q(folders_.Path().string()) + "/";
    MainFrame frame(old);
    ScriptedSeam seam;
    seam.ExpectFolder(chosen);
    MenuItem(frame, "Path to ZR").trigger();
    EXPECT_TRUE(seam.Done());
    EXPECT_EQ(seam.ChooserPrompts(), std::vector<QString>{Prompt(old, old)});
    EXPECT_EQ(frame.GameDirectory(), zr + "/");
    EXPECT_EQ(GameSettings::Read(), std::optional<QString>(zr + "/"));
    EXPECT_TRUE(std::filesystem::exists(IniFile()));
  }
}

TEST_F(MainFrameTest, ACancelledChoiceChangesNothing) {
  ASSERT_TRUE(GameSettings::Write("/kept/"));
  const std::string stored = ReadBytes(IniFile());
  MainFrame frame("/kept/");
  ScriptedSeam seam;
  seam.ExpectFolder("");
  MenuItem(frame, "Path to ZR").trigger();
  EXPECT_TRUE(seam.Done());
  EXPECT_EQ(frame.GameDirectory(), "/kept/");
  EXPECT_EQ(ReadBytes(IniFile()), stored);
}

TEST_F(MainFrameTest, StartOpensTheBattleListOfTheChosenFolder) {
  GameCopy copy;
  MainFrame frame("/nowhere/");
  ScriptedSeam seam;
  seam.ExpectFolder(Q(copy.Game().Root().string()));
  seam.Expect("STARTBOX", [](QDialog& window) {
    EXPECT_EQ(Rows(BattleList(window)), Rows(kDemoBattles));
    Click(window, "Close");
  });
  MenuItem(frame, "Path to ZR").trigger();
  MenuItem(frame, "Start").trigger();
  EXPECT_TRUE(seam.Done());
}

TEST_F(MainFrameTest, StartWithoutAGameFolderAsksForOneAndOpensNothingWhenCancelled) {
  MainFrame frame("");
  ScriptedSeam seam;
  seam.ExpectFolder("");  // no list of whatever "scripts" folder the program started in
  MenuItem(frame, "Start").trigger();
  EXPECT_TRUE(seam.Done());
  EXPECT_EQ(frame.GameDirectory(), "");
  MainFrame gone("/no/such/folder/");
  seam.ExpectFolder("");
  MenuItem(gone, "Path to ZR").trigger();
  EXPECT_EQ(seam.ChooserPrompts(), (std::vector<QString>{Prompt(""), Prompt("/no/such/folder/")}));
}

TEST_F(MainFrameTest, TheFirstStartOffersTheFolderChoiceUntilOneIsStored) {
  const QString zr = Q((folders_.Path() / "ZR").string());
  ScriptedSeam seam;
  seam.ExpectFolder("");  // cancelled: nothing stored, so the next start asks again
  seam.ExpectFolder(zr);
  {
    const auto frame = StartEditor();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->GameDirectory(), "");
    EXPECT_FALSE(GameSettings::Read());
  }
  {
    const auto frame = StartEditor();
    EXPECT_EQ(frame->GameDirectory(), zr + "/");
  }
  EXPECT_TRUE(seam.Done());
  const auto frame = StartEditor();  // stored now: no question
  EXPECT_EQ(frame->GameDirectory(), zr + "/");
  EXPECT_EQ(seam.ChooserPrompts(), (std::vector<QString>{Prompt(""), Prompt("")}));
}

TEST_F(MainFrameTest, AFolderStoredByHandIsUsedUnchanged) {
  ASSERT_TRUE(GameSettings::Write("/games/zr"));
  ScriptedSeam seam;
  const auto frame = StartEditor();
  EXPECT_EQ(frame->GameDirectory(), "/games/zr");
  EXPECT_TRUE(seam.ChooserPrompts().empty());
}

}  // namespace
}  // namespace vk7
