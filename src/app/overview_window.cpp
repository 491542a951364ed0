#include "app/overview_window.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <algorithm>
#include <optional>

#include "battle/battle_config.h"
#include "battle/battle_file_reader.h"
#include "battle/recording_reporter.h"
#include "content/battle_checker.h"
#include "content/battle_overview.h"
#include "content/overview_svg.h"
#include "content/overview_text.h"
#include "ui_overview_window.h"
#include "widgets/box_reporter.h"
#include "widgets/cp1252.h"
#include "widgets/error_box.h"
#include "widgets/modal_seam.h"

namespace vk7 {

namespace {

constexpr double kMinZoom = 0.1;
constexpr double kMaxZoom = 8.0;
constexpr double kZoomStep = 1.25;
// Saved pictures get twice the drawing's pixels, sharp in print and on dense screens.
constexpr int kPngScale = 2;

}  // namespace

OverviewWindow::OverviewWindow(QWidget* parent, QByteArray svg, const std::string& text,
                               QString baseName)
    : QDialog(parent),
      ui_(std::make_unique<Ui::OverviewWindow>()),
      picture_(new QSvgWidget),
      svg_(std::move(svg)),
      baseName_(std::move(baseName)) {
  ui_->setupUi(this);
  picture_->load(svg_);
  picture_->setAccessibleName("Battle Overview");
  picture_->setAccessibleDescription(QString::fromUtf8(text.data(), qsizetype(text.size())));
  ui_->scrollArea->setWidget(picture_);
  ui_->zoomInButton->setShortcut(QKeySequence::ZoomIn);
  ui_->zoomOutButton->setShortcut(QKeySequence::ZoomOut);
  ui_->saveButton->setShortcut(QKeySequence::Save);
  connect(ui_->zoomInButton, &QPushButton::clicked, this, &OverviewWindow::ZoomIn);
  connect(ui_->zoomOutButton, &QPushButton::clicked, this, &OverviewWindow::ZoomOut);
  connect(ui_->fitButton, &QPushButton::clicked, this, &OverviewWindow::FitWidth);
  connect(ui_->saveButton, &QPushButton::clicked, this, &OverviewWindow::SaveAs);
  connect(ui_->closeButton, &QPushButton::clicked, this, &OverviewWindow::accept);

  // As wide as the picture where the screen allows, so it opens at full size.
  const QSize page = picture_->renderer()->defaultSize();
  QSize size(page.width() + 60, 760);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    size = size.boundedTo(screen->availableSize() * 9 / 10);
  }
  resize(size.expandedTo(minimumSize()));
  SetZoom(1.0);
}

OverviewWindow::~OverviewWindow() = default;

bool OverviewWindow::Run(QWidget* parent, const GameFolder& game, Catalogs& catalogs,
                         const std::string& name) {
  BattleConfig config;
  BoxReporter reporter(parent);
  BattleFileReader reader(config, reporter);
  if (!reader.Read(name, game.BattleFile(name), true, BattleFileReader::Access::ReadOnly)) {
    return false;
  }
  // The findings are a bonus: a game without catalogs still gets its overview.
  RecordingReporter quiet;
  std::optional<CheckResult> check;
  if (catalogs.Load(game, quiet)) check = CheckBattle(config, catalogs.ships, catalogs.systems);
  const BattleOverview overview = BuildOverview(config, check ? &*check : nullptr);
  const std::string svg = RenderOverviewSvg(overview);
  OverviewWindow window(parent, QByteArray(svg.data(), qsizetype(svg.size())),
                        RenderOverviewText(overview), FromCp1252(name));
  ModalSeam::Current().Exec(window);
  return true;
}

void OverviewWindow::SetZoom(double zoom) {
  zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
  const QSizeF size = QSizeF(picture_->renderer()->defaultSize()) * zoom_;
  picture_->setFixedSize(size.toSize().expandedTo(QSize(1, 1)));
  ui_->zoomLabel->setText(QString::number(qRound(zoom_ * 100)) + "%");
}

void OverviewWindow::ZoomIn() {
  SetZoom(zoom_ * kZoomStep);
}

void OverviewWindow::ZoomOut() {
  SetZoom(zoom_ / kZoomStep);
}

void OverviewWindow::FitWidth() {
  const int page = picture_->renderer()->defaultSize().width();
  const int room = ui_->scrollArea->viewport()->width() -
                   ui_->scrollArea->verticalScrollBar()->sizeHint().width();
  if (page > 0 && room > 0) SetZoom(double(room) / page);
}

void OverviewWindow::SaveAs() {
  const QString file = ModalSeam::Current().ChooseSaveFile(
      this, "Save Overview", QDir::home().filePath(baseName_ + ".svg"),
      "SVG image (*.svg);;PNG image (*.png)");
  if (!file.isEmpty()) SaveTo(file);
}

bool OverviewWindow::SaveTo(const QString& file) {
  // QSaveFile writes beside the target and renames over it, so a failure keeps the old file.
  QSaveFile out(file);
  bool written = out.open(QIODevice::WriteOnly);
  if (written && file.endsWith(".png", Qt::CaseInsensitive)) {
    QSvgRenderer renderer(svg_);
    QImage image(renderer.defaultSize() * kPngScale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    written = image.save(&out, "PNG");
  } else if (written) {
    written = out.write(svg_) == svg_.size();
  }
  if (written && out.commit()) return true;
  out.cancelWriting();
  ErrorBox::Show(this, "Cannot write the file!", "Error");
  return false;
}

}  // namespace vk7
