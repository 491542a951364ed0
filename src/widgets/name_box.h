#pragma once

#include <QDialog>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

namespace Ui {
class NameBox;
}

namespace vk7 {

// NAMEBOX: asks for a ship name under a prompt given by the caller.
// The text comes back exactly as typed (callers trim it), cut to 253 characters.
class NameBox : public QDialog {
  Q_OBJECT

 public:
  static constexpr std::size_t kMaxLength = 253;

  NameBox(QWidget* parent, const std::string& prompt, const std::optional<std::string>& initial);
  ~NameBox() override;

  // The entered text after "Ok", nothing after "Cancel".
  const std::optional<std::string>& Entered() const { return entered_; }

  static std::optional<std::string> Ask(QWidget* parent, const std::string& prompt,
                                        const std::optional<std::string>& initial);

 private:
  void TakeText();

  std::unique_ptr<Ui::NameBox> ui_;
  std::optional<std::string> entered_;
};

}  // namespace vk7
