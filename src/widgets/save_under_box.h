#pragma once

#include <QDialog>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

namespace Ui {
class SaveUnderBox;
}

namespace vk7 {

// SAVEUNDERBOX: asks for a new name of a battle configuration; the caller may give
// another title ("Rename Battle").
// The text comes back exactly as typed (callers trim it), cut to 510 characters.
class SaveUnderBox : public QDialog {
  Q_OBJECT

 public:
  static constexpr std::size_t kMaxLength = 510;

  SaveUnderBox(QWidget* parent, const std::string& initial,
               const std::optional<std::string>& title);
  ~SaveUnderBox() override;

  // The entered text after "Ok", nothing after "Cancel".
  const std::optional<std::string>& Entered() const { return entered_; }

  static std::optional<std::string> Ask(QWidget* parent, const std::string& initial,
                                        const std::optional<std::string>& title);

 private:
  void TakeText();

  std::unique_ptr<Ui::SaveUnderBox> ui_;
  std::optional<std::string> entered_;
};

}  // namespace vk7
