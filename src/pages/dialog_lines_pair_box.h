#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "battle/battle_config.h"

namespace Ui {
class DialogLinesPairBox;
}

namespace vk7 {

// DIALOGSBOX1: edits two dialog lists of a system, one above the other. "Ok" rebuilds both
// (one set of warnings for the two); "Cancel" leaves them untouched.
class DialogLinesPairBox : public QDialog {
  Q_OBJECT

 public:
  DialogLinesPairBox(QWidget* parent, std::vector<DialogLine>& upper,
                     std::vector<DialogLine>& lower, const std::string& title,
                     const std::string& upperCaption, const std::string& lowerCaption);
  ~DialogLinesPairBox() override;

  static void Run(QWidget* parent, std::vector<DialogLine>& upper, std::vector<DialogLine>& lower,
                  const std::string& title, const std::string& upperCaption,
                  const std::string& lowerCaption);

 private:
  void Apply();

  std::unique_ptr<Ui::DialogLinesPairBox> ui_;
  std::vector<DialogLine>& upper_;
  std::vector<DialogLine>& lower_;
};

}  // namespace vk7
