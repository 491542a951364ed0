#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "battle/battle_config.h"

namespace Ui {
class DialogLinesBox;
}

namespace vk7 {

// DIALOGSBOX2: edits one dialog list of a system as text, one line per dialog line. "Ok"
// rebuilds the list (with the usual repairs and warnings); "Cancel" leaves it untouched.
class DialogLinesBox : public QDialog {
  Q_OBJECT

 public:
  DialogLinesBox(QWidget* parent, std::vector<DialogLine>& list, const std::string& title,
                 const std::string& caption);
  ~DialogLinesBox() override;

  static void Run(QWidget* parent, std::vector<DialogLine>& list, const std::string& title,
                  const std::string& caption);

 private:
  void Apply();

  std::unique_ptr<Ui::DialogLinesBox> ui_;
  std::vector<DialogLine>& list_;
};

}  // namespace vk7
