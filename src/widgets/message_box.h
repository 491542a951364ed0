#pragma once

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class MessageBox;
}

namespace vk7 {

// MESSAGBOX: a warning or notice. Lines do not wrap, so the blanks and line breaks of the
// text decide its layout; the field scrolls sideways.
class MessageBox : public QDialog {
  Q_OBJECT

 public:
  explicit MessageBox(QWidget* parent = nullptr);
  ~MessageBox() override;

  // An empty text or title leaves what the template has.
  void SetContents(const std::string& text, const std::string& title);
  QString Text() const;

  // Shows the box modally and returns when it is closed.
  static void Show(QWidget* parent, const std::string& text, const std::string& title);

 private:
  std::unique_ptr<Ui::MessageBox> ui_;
};

}  // namespace vk7
