#pragma once

#include <QDialog>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

namespace Ui {
class CreateBox;
}

namespace vk7 {

// CREATEBOX: asks for the name of a new battle configuration.
// The text comes back exactly as typed (callers trim it), cut to 510 characters.
class CreateBox : public QDialog {
  Q_OBJECT

 public:
  static constexpr std::size_t kMaxLength = 510;

  CreateBox(QWidget* parent, const std::string& initial);
  ~CreateBox() override;

  // The entered text after "Ok", nothing after "Cancel".
  const std::optional<std::string>& Entered() const { return entered_; }

  static std::optional<std::string> Ask(QWidget* parent, const std::string& initial);

 private:
  void TakeText();

  std::unique_ptr<Ui::CreateBox> ui_;
  std::optional<std::string> entered_;
};

}  // namespace vk7
