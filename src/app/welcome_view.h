#pragma once

#include <QPixmap>
#include <QWidget>

namespace vk7 {

// The main window's only content: the welcome texts 100 pixels above and below the centre
// and the welcome picture centred between them.
class WelcomeView : public QWidget {
  Q_OBJECT

 public:
  explicit WelcomeView(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap picture_;
};

}  // namespace vk7
