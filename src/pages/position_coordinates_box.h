#pragma once

#include <QDialog>
#include <memory>
#include <optional>

#include "pages/position_page_logic.h"

namespace Ui {
class PositionCoordinatesBox;
}

namespace vk7 {

// POSCOORDBOX: the X, Y and Z of a start position. "Ok" keeps the box open on the first field
// that is no number.
class PositionCoordinatesBox : public QDialog {
  Q_OBJECT

 public:
  PositionCoordinatesBox(QWidget* parent, const CoordinateTexts& texts);
  ~PositionCoordinatesBox() override;

  // The trimmed texts, once "Ok" accepted them.
  const CoordinateTexts& Accepted() const { return accepted_; }

  // Runs the box modally; the accepted texts, or nothing when it was cancelled.
  static std::optional<CoordinateTexts> Run(QWidget* parent, const CoordinateTexts& texts);

 private:
  void Apply();

  std::unique_ptr<Ui::PositionCoordinatesBox> ui_;
  CoordinateTexts accepted_;
};

}  // namespace vk7
