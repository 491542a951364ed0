#include "app/welcome_view.h"

#include <QFontMetrics>
#include <QPainter>

namespace vk7 {

namespace {

// Draws `text` centred on x with its baseline at y.
void DrawCentred(QPainter& painter, int x, int y, const QString& text) {
  const int width = painter.fontMetrics().horizontalAdvance(text);
  painter.drawText(x - width / 2, y, text);
}

}  // namespace

WelcomeView::WelcomeView(QWidget* parent) : QWidget(parent), picture_(":/images/welcome.png") {
  setAccessibleName("Welcome");
}

void WelcomeView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int x = width() / 2;
  const int y = height() / 2;
  DrawCentred(painter, x, y - 100, "Welcome to the Velkor Editor");
  DrawCentred(painter, x, y + 100, "Version 1.2");
  painter.drawPixmap(x - picture_.width() / 2, y - picture_.height() / 2, picture_);
}

}  // namespace vk7
