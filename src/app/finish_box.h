#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "battle/game_folder.h"

namespace Ui {
class FinishBox;
}

namespace vk7 {

// FINISHBOX: "Save", "Save under" (asks for a new name, and whether an existing battle of
// that name may be overwritten) or "Back" to the page.
class FinishBox : public QDialog {
  Q_OBJECT

 public:
  FinishBox(QWidget* parent, const GameFolder& game, const std::string& name);
  ~FinishBox() override;

  // True to save under `name` (changed by "Save under"), false for "Back". `replacing` tells
  // whether the user agreed to overwrite an existing battle under "Save under".
  static bool Ask(QWidget* parent, const GameFolder& game, std::string& name, bool& replacing);

  const std::string& Name() const { return name_; }
  bool Replacing() const { return replacing_; }

 private:
  void SaveUnder();

  std::unique_ptr<Ui::FinishBox> ui_;
  const GameFolder& game_;
  std::string name_;
  bool replacing_ = false;
};

}  // namespace vk7
