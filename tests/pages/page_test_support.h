#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <stdexcept>

#include "battle/recording_reporter.h"
#include "content/ship_catalog.h"
#include "content/system_catalog.h"
#include "gui_support/scripted_seam.h"
#include "support/battle_text.h"
#include "support/model_builders.h"

// Groups, buttons and lists as the page tests handle them.
namespace vk7::test {

// A group box by its accessible name or its title.
inline QGroupBox& Group(QWidget& page, const QString& name) {
  for (QGroupBox* group : page.findChildren<QGroupBox*>()) {
    if (group->accessibleName() == name || group->title() == name) return *group;
  }
  throw std::runtime_error("no group " + name.toStdString());
}

// The checked buttons of the groups, a group's joined by "+" so that two checked at once show.
inline QString Checked(QWidget& page, const QStringList& groups) {
  QStringList shown;
  for (const QString& group : groups) {
    QStringList texts;
    for (QAbstractButton* button : Group(page, group).findChildren<QAbstractButton*>()) {
      if (button->isChecked()) texts << button->text();
    }
    shown << texts.join("+");
  }
  return shown.join(", ");
}

// Clicks a button of a group, shown or not.
inline void Choose(QWidget& page, const QString& group, const QString& button) {
  for (QAbstractButton* b : Group(page, group).findChildren<QAbstractButton*>()) {
    if (b->text() == button) return b->click();
  }
  throw std::runtime_error("no button " + button.toStdString());
}

inline QStringList Rows(const QListWidget& list) {
  QStringList rows;
  for (int i = 0; i < list.count(); ++i) rows << list.item(i)->text();
  return rows;
}

// Cancel, Escape and the close box, each of which must ask before the page goes.
inline void Leave(QDialog& page, int way) {
  if (way == 0) Click(page, "Cancel");
  if (way == 1) QTest::keyClick(&page, Qt::Key_Escape);
  if (way == 2) page.close();
}

}  // namespace vk7::test
