#pragma once

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class CancelBox;
}

namespace vk7 {

// CANCELBOX: "Do you really want to cancel".
// True only when "Yes" was pressed; "No", Escape and the close box answer no.
class CancelBox : public QDialog {
  Q_OBJECT

 public:
  explicit CancelBox(QWidget* parent = nullptr);
  ~CancelBox() override;

  static bool Ask(QWidget* parent);

 private:
  std::unique_ptr<Ui::CancelBox> ui_;
};

}  // namespace vk7
