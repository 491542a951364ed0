#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class AboutBox;
}

namespace vk7 {

// ABOUTBOX, "About Velkor": the program's name and version.
class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* parent = nullptr);
  ~AboutBox() override;

  static void Show(QWidget* parent);

 private:
  std::unique_ptr<Ui::AboutBox> ui_;
};

}  // namespace vk7
