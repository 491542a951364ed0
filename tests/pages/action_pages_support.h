#pragma once

#include <gtest/gtest.h>
#include <QGroupBox>
#include <QRadioButton>
#include <stdexcept>

#include "pages/page_test_support.h"

// Finders and expectations shared by the tests of the two actions pages.
namespace vk7::test {

inline QGroupBox& Group(QWidget& page, const QString& title) {
  return Find<QGroupBox>(page, title);
}

inline QRadioButton& Radio(QWidget& group, const QString& text) {
  for (QRadioButton* radio : group.findChildren<QRadioButton*>()) {
    if (radio->text() == text) return *radio;
  }
  throw std::runtime_error("no radio button '" + text.toStdString() + "'");
}

// The text of the one checked radio button of a group; fails when not exactly one is.
inline QString Checked(QWidget& group) {
  QString checked;
  int count = 0;
  for (QRadioButton* radio : group.findChildren<QRadioButton*>()) {
    if (radio->isChecked()) {
      checked = radio->text();
      ++count;
    }
  }
  EXPECT_EQ(count, 1) << group.objectName().toStdString();
  return checked;
}

}  // namespace vk7::test
