#pragma once

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class ConfirmBox;
}

namespace vk7 {

// CONFIRMBOX: a yes/no question given by the caller, centred, under the caller's title (empty:
// "Confirm"). True only when "Yes" was pressed; "No", Escape and the close box answer no.
// `noByDefault` makes "No" the answer of Enter, for questions whose "Yes" loses something.
class ConfirmBox : public QDialog {
  Q_OBJECT

 public:
  ConfirmBox(QWidget* parent, const std::string& question, const std::string& title = {},
             bool noByDefault = false);
  ~ConfirmBox() override;

  static bool Ask(QWidget* parent, const std::string& question, const std::string& title = {},
                  bool noByDefault = false);

 private:
  std::unique_ptr<Ui::ConfirmBox> ui_;
};

}  // namespace vk7
