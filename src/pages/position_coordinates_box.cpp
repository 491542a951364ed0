#include "pages/position_coordinates_box.h"

#include <QLineEdit>
#include <array>

#include "pages/edit_limit.h"
#include "ui_position_coordinates_box.h"
#include "widgets/box_reporter.h"
#include "widgets/modal_seam.h"
#include "widgets/widget_text.h"

namespace vk7 {

PositionCoordinatesBox::PositionCoordinatesBox(QWidget* parent, const CoordinateTexts& texts)
    : QDialog(parent), ui_(std::make_unique<Ui::PositionCoordinatesBox>()) {
  ui_->setupUi(this);
  for (auto* edit : findChildren<QLineEdit*>()) edit->setMaxLength(static_cast<int>(kMaxEditText));
  const std::array<QLineEdit*, 3> edits = {ui_->xEdit, ui_->yEdit, ui_->zEdit};
  for (std::size_t i = 0; i < edits.size(); ++i) {
    if (!texts[i].empty()) SetEditText(*edits[i], texts[i]);
  }
  connect(ui_->okButton, &QPushButton::clicked, this, &PositionCoordinatesBox::Apply);
  connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

PositionCoordinatesBox::~PositionCoordinatesBox() = default;

void PositionCoordinatesBox::Apply() {
  const std::array<QLineEdit*, 3> edits = {ui_->xEdit, ui_->yEdit, ui_->zEdit};
  CoordinateTexts typed;
  // A character the files cannot hold comes back as "?", which no coordinate accepts.
  for (std::size_t i = 0; i < edits.size(); ++i) typed[i] = EditText(*edits[i], nullptr);
  BoxReporter reporter(this);
  if (const auto invalid = AcceptCoordinates(typed, accepted_, reporter)) {
    QLineEdit* edit = edits[*invalid];
    edit->setFocus();
    edit->selectAll();
    return;
  }
  accept();
}

std::optional<CoordinateTexts> PositionCoordinatesBox::Run(QWidget* parent,
                                                           const CoordinateTexts& texts) {
  PositionCoordinatesBox box(parent, texts);
  if (ModalSeam::Current().Exec(box) != QDialog::Accepted) return std::nullopt;
  return box.Accepted();
}

}  // namespace vk7
