// The flows whose checks go beyond the flow table: a refused save carried back to the page,
// and the overview drawn and saved.
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSvgRenderer>
#include <QSvgWidget>

#include "app/flow_support.h"

namespace vk7 {
namespace {

using namespace test;

// Row `row` of the window's list selected, `button` pressed, the window closed.
ScriptedSeam::Action OnList(int row, const QString& button) {
  return [=](QDialog& window) {
    SelectRow(Find<QListWidget>(window, "Available Battles"), row);
    Click(window, button);
    Click(window, "Close");
  };
}

// A save the writer refuses returns to the page with every edit kept, under the battle's own
// name also when the save was under a new one.
TEST(Flows, ARefusedSaveReturnsToThePageWithTheEditsKept) {
  GameCopy copy;
  const auto before = copy.Snapshot();
  const auto editDialog = [](const QString& from, const QString& to) {
    return [=](QDialog& page) {
      auto& starting = Find<QPlainTextEdit>(page, "Starting Dialogs");
      const QString text = starting.toPlainText();
      starting.setPlainText(from.isEmpty() ? text + to : QString(text).replace(from, to));
      Click(page, "Ok");
    };
  };
  const auto refused = [](const QString& name) {
    return [=](QDialog& box) {
      EXPECT_EQ(box.windowTitle(), "Error in battle file " + name + ".vk7");
      EXPECT_TRUE(MessageText(box).endsWith("The file has not been saved."));
      Click(box, "Cancel");
    };
  };
  ScriptedSeam seam;
  seam.Expect("STARTBOX", OnList(0, "Edit Battle")).Expect("GENERALBOX", Press("Next -->"));
  seam.Expect("SYSTEMBOX", [](QDialog& page) {
    SelectRow(Find<QListWidget>(page, "Systems"), 0);
    Click(page, "Edit");
  });
  seam.Expect("SYSTEMBOX1", [](QDialog& page) {
    SelectRow(Find<QListWidget>(page, "Available Ships"), 8);
    Find<QPushButton>(page, "Add to Enemies").click();
    Click(page, "Options");
    Click(page, "Finish");
  });
  seam.Expect("SYSTEMOPTIONBOX", editDialog("", "\nResolute: Say \"go\""));
  seam.Expect("FINISHBOX", Press("Save")).Expect("ERRORBOX", refused("First Patrol"));
  seam.Expect("SYSTEMBOX1", [&](QDialog& page) {
    EXPECT_EQ(copy.Snapshot(), before);
    EXPECT_EQ(Find<QListWidget>(page, "Enemies").count(), 3);  // the added enemy is still there
    Click(page, "Finish");
  });
  seam.Expect("FINISHBOX", Press("Save under")).Expect("SAVEUNDERBOX", [](QDialog& box) {
    Find<QLineEdit>(box, "nameEdit").setText("Patrol Two");
    Click(box, "Ok");
  });
  seam.Expect("ERRORBOX", refused("Patrol Two"));
  seam.Expect("SYSTEMBOX1", [](QDialog& page) {
    // Nothing was saved under the new name, so the battle is still called as before.
    EXPECT_TRUE(page.windowTitle().startsWith("Battle Configuration <First Patrol>"));
    Click(page, "Options");
    Click(page, "Finish");
  });
  seam.Expect("SYSTEMOPTIONBOX", editDialog("Say \"go\"", "Say \"go\" now"));
  seam.Expect("FINISHBOX", Press("Save")).Expect("MESSAGBOX", Press("Ok"));
  RunList(copy);
  const StarSystem keth = ReadBattle(copy.At("First Patrol.vk7"), "First Patrol").systems.at(0);
  EXPECT_EQ(keth.enemies.size(), 3u);
  EXPECT_EQ(keth.Dialogs(DialogEvent::StartingDialog).back(),
            (DialogLine{"Resolute", "Say \"go\" now", "", true, true, true}));
  EXPECT_EQ(ReadBytes(copy.At("vk7.txt")), before.at("vk7.txt"));
}

// The overview of DeepSurvey writes nothing; it is drawn as the core draws it (the golden file
// of the core tests), zoomed, and saved as SVG and PNG through the seam.
TEST(Flows, OverviewShowsTheBattleAndWritesOnlyWhatIsAskedFor) {
  GameCopy copy;
  const auto before = copy.Snapshot();
  TempDir out;
  ScriptedSeam seam;
  seam.Expect("STARTBOX", OnList(3, "Overview"));
  seam.Expect("OVERVIEWBOX", [](QDialog& box) {
    auto& picture = Find<QSvgWidget>(box, "Battle Overview");
    EXPECT_TRUE(picture.accessibleDescription().startsWith("Deep Survey\nDeepSurvey.vk7\n"));
    const int width = picture.width();
    Click(box, "Zoom In");
    EXPECT_EQ(picture.width(), qRound(width * 1.25));
    for (int i = 0; i < 3; ++i) Click(box, "Save as...");
    Click(box, "Close");
  });
  seam.Chosen("save", Q((out / "deep.svg").string()))
      .Chosen("save", Q((out / "deep.png").string()))
      .Chosen("save", Q((out / "no folder/x.svg").string()))
      .Expect("ERRORBOX", Press("Cancel"));
  RunList(copy);
  EXPECT_EQ(seam.Log().back(), "Error: Cannot write the file!");
  EXPECT_EQ(copy.Snapshot(), before);
  const std::string golden =
      ReadBytes(std::string(VK7_TEST_DATA_DIR) + "/content/golden/overview/deep_survey.svg");
  EXPECT_EQ(ReadBytes(out / "deep.svg"), golden);
  QSvgRenderer renderer(QByteArray::fromStdString(golden));
  EXPECT_TRUE(renderer.isValid());
  const QImage png(Q((out / "deep.png").string()));
  EXPECT_EQ(png.size(), renderer.defaultSize() * 2);
  QImage drawn(png.size(), QImage::Format_RGB32);
  drawn.fill(Qt::white);
  QPainter painter(&drawn);
  renderer.render(&painter);
  painter.end();
  EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), drawn);
}

}  // namespace
}  // namespace vk7
