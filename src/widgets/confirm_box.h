#pragma once

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class ConfirmBox;
}

namespace vk7 {

// CONFIRMBOX: a yes/no question given by the caller, centred.
// True only when "Yes" was pressed; "No", Escape and the close box answer no.
class ConfirmBox : public QDialog {
  Q_OBJECT

 public:
  explicit ConfirmBox(QWidget* parent, const std::string& question);
  ~ConfirmBox() override;

  static bool Ask(QWidget* parent, const std::string& question);

 private:
  std::unique_ptr<Ui::ConfirmBox> ui_;
};

}  // namespace vk7
