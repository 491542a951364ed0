// The main window and the start-up: menu, About box, the game folder choice and where it is
// stored, and the battle list opened on the chosen folder.
#include "app/main_frame.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "app/editor_startup.h"
#include "app/flow_support.h"
#include "app/game_settings.h"
#include "app/stored_settings.h"
#include "widgets/native_path.h"

namespace vk7 {
namespace {

using namespace test;

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
  frame.show();
  frame.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
  const auto about = [](QDialog& box) {
    EXPECT_EQ(Find<QLabel>(box, "versionLabel").text(), "Version 1.2");
    Click(box, "OK");
  };
  ScriptedSeam seam;
  seam.Expect("ABOUTBOX", about).Expect("ABOUTBOX", about);
  QTest::keyClick(&frame, Qt::Key_F1);
  // From the editor's other windows too.
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  QTest::keyClick(&other, Qt::Key_F1);
  EXPECT_TRUE(seam.Done());
}

// The chosen folder is stored with one trailing separator; a cancelled choice keeps the old
// one; the chooser starts in the current folder, or in the home folder when that is gone.
TEST_F(MainFrameTest, PathToZrStoresTheChosenFolder) {
  const QString old = Stored(FromPath(folders_.Path()));
  const QString zr = FromPath(folders_.Path() / "ZR");
  MainFrame frame(old);
  ScriptedSeam seam;
  seam.Chosen("folder", zr).Chosen("folder", zr + "/").Chosen("folder", "");
  for (int i = 0; i < 3; ++i) {
    Trigger(frame, "Path to ZR");
    EXPECT_EQ(frame.GameDirectory(), Stored(zr));
    EXPECT_EQ(GameSettings::Read(), std::optional<QString>(Stored(zr)));
  }
  EXPECT_EQ(seam.Log(),
            (std::vector<QString>{Prompt(old, old), Prompt(Stored(zr)), Prompt(Stored(zr))}));
}

TEST_F(MainFrameTest, StartAsksForAGameFolderWhenThereIsNoneAndOpensItsBattleList) {
  GameCopy copy;
  MainFrame frame("");
  ScriptedSeam seam;
  seam.Chosen("folder", "");  // no list of whatever "scripts" folder the program started in
  Trigger(frame, "Start");
  EXPECT_EQ(frame.GameDirectory(), "");
  seam.Chosen("folder", Q(copy.Game().Root().string()));
  seam.Expect("STARTBOX", [](QDialog& window) {
    EXPECT_EQ(Find<QListWidget>(window, "Available Battles").count(), 4);
    Click(window, "Close");
  });
  seam.Expect("STARTBOX", Press("Close"));  // asked only once
  Trigger(frame, "Start");
  Trigger(frame, "Start");
  EXPECT_TRUE(seam.Done());
}

TEST_F(MainFrameTest, TheFirstStartOffersTheFolderChoiceUntilOneIsStored) {
  const QString zr = FromPath(folders_.Path() / "ZR");
  ScriptedSeam seam;
  seam.Chosen("folder", "");  // cancelled: nothing stored, so the next start asks again
  EXPECT_EQ(StartEditor()->GameDirectory(), "");
  EXPECT_FALSE(GameSettings::Read());
  seam.Chosen("folder", zr);
  EXPECT_EQ(StartEditor()->GameDirectory(), Stored(zr));
  EXPECT_EQ(StartEditor()->GameDirectory(), Stored(zr));  // stored now: no question
  EXPECT_EQ(seam.Log(), (std::vector<QString>{Prompt(""), Prompt("")}));
  ASSERT_TRUE(GameSettings::Write("/games/zr"));  // stored by hand: used unchanged
  EXPECT_EQ(StartEditor()->GameDirectory(), "/games/zr");
  EXPECT_TRUE(StartEditor()->isVisible());
}

}  // namespace
}  // namespace vk7
