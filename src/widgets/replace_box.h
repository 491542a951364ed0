#pragma once

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class ReplaceBox;
}

namespace vk7 {

// REPLACEBOX: "Do you really want to replace " with the caller's two texts below.
// True only when "Yes" was pressed; "No", Escape and the close box answer no.
class ReplaceBox : public QDialog {
  Q_OBJECT

 public:
  explicit ReplaceBox(QWidget* parent, const std::string& first, const std::string& second);
  ~ReplaceBox() override;

  static bool Ask(QWidget* parent, const std::string& first, const std::string& second);

 private:
  std::unique_ptr<Ui::ReplaceBox> ui_;
};

}  // namespace vk7
