#pragma once

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class OverwriteBox;
}

namespace vk7 {

// OVERWRITEBOX: asks whether the named battle configuration may be overwritten.
// True only when "Yes" was pressed; "No", Escape and the close box answer no.
class OverwriteBox : public QDialog {
  Q_OBJECT

 public:
  explicit OverwriteBox(QWidget* parent, const std::string& name);
  ~OverwriteBox() override;

  static bool Ask(QWidget* parent, const std::string& name);

 private:
  std::unique_ptr<Ui::OverwriteBox> ui_;
};

}  // namespace vk7
