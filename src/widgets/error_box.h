#pragma once

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class ErrorBox;
}

namespace vk7 {

// ERRORBOX: an error, shown with a wrapping, centred, read-only text. Its one button is
// "Cancel"; Enter, Escape and the close box close it too.
class ErrorBox : public QDialog {
  Q_OBJECT

 public:
  explicit ErrorBox(QWidget* parent = nullptr);
  ~ErrorBox() override;

  // An empty text or title leaves what the template has.
  void SetContents(const std::string& text, const std::string& title);
  QString Text() const;

  // Shows the box modally and returns when it is closed.
  static void Show(QWidget* parent, const std::string& text, const std::string& title);

 private:
  std::unique_ptr<Ui::ErrorBox> ui_;
};

}  // namespace vk7
