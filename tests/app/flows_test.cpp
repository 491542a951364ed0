// The flow whose checks go beyond the flow table: the overview drawn and saved.
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QSvgWidget>

#include "app/flow_support.h"

namespace vk7 {
namespace {

using namespace test;

// The overview of DeepSurvey writes nothing; it is drawn as the core draws it (the golden file
// of the core tests), zoomed, and saved as SVG and PNG through the seam.
TEST(Flows, OverviewShowsTheBattleAndWritesOnlyWhatIsAskedFor) {
  GameCopy copy;
  const auto before = copy.Snapshot();
  TempDir out;
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
