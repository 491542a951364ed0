#pragma once

#include <QDialog>
#include <functional>
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
  // The question asked before `fileName` is deleted or replaced for good, because the trash
  // cannot take it; "No", which keeps the file, is the default.
  static std::function<bool()> ForGood(QWidget* parent, const std::string& fileName);

 private:
  std::unique_ptr<Ui::ConfirmBox> ui_;
};

}  // namespace vk7
