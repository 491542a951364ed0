#pragma once

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <memory>
#include <string>

#include "app/catalogs.h"
#include "battle/game_folder.h"

class QSvgWidget;

namespace Ui {
class OverviewWindow;
}

namespace vk7 {

// OVERVIEWBOX, "Battle Overview": the whole battle in one picture, the SVG the core draws,
// scrolled and zoomed, and saved as SVG or PNG. Screen readers get the text rendering of the
// same overview as the picture's description.
class OverviewWindow : public QDialog {
  Q_OBJECT

 public:
  // `svg` and `text` are the two renderings of one overview (UTF-8); `baseName` is offered
  // as the name of the saved file.
  OverviewWindow(QWidget* parent, QByteArray svg, const std::string& text, QString baseName);
  ~OverviewWindow() override;

  // Reads the battle `name` without opening it for writing, checks it when the catalogs can
  // be read, and shows its overview modally. False when the battle could not be read (its
  // error was shown).
  static bool Run(QWidget* parent, const GameFolder& game, Catalogs& catalogs,
                  const std::string& name);

  double Zoom() const { return zoom_; }
  void ZoomIn();
  void ZoomOut();
  void FitWidth();
  void SaveAs();
  // Writes the picture as PNG when `file` ends in ".png", else as SVG; false after the error
  // box was shown.
  bool SaveTo(const QString& file);

 private:
  void SetZoom(double zoom);

  std::unique_ptr<Ui::OverviewWindow> ui_;
  QSvgWidget* picture_;
  QByteArray svg_;
  QString baseName_;
  double zoom_ = 1.0;
};

}  // namespace vk7
