#pragma once

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class DeleteBox;
}

namespace vk7 {

// DELETEBOX: "Do you really want to delete " and, below, what would be deleted.
// True only when "Yes" was pressed; "No", Escape and the close box answer no.
class DeleteBox : public QDialog {
  Q_OBJECT

 public:
  explicit DeleteBox(QWidget* parent, const std::string& object);
  ~DeleteBox() override;

  static bool Ask(QWidget* parent, const std::string& object);

 private:
  std::unique_ptr<Ui::DeleteBox> ui_;
};

}  // namespace vk7
