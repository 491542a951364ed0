#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QGroupBox>
#include <QStringList>
#include <new>
#include <stdexcept>

#include "pages/page_test_support.h"

// Helpers shared by the tests of the general and system options pages.
namespace vk7::test {

inline QGroupBox& GroupTitled(QDialog& page, const QString& title) {
  for (QGroupBox* group : page.findChildren<QGroupBox*>()) {
    if (group->title() == title) return *group;
  }
  throw std::runtime_error("no group " + title.toStdString());
}

// The checked buttons of a group box, all of them, so that a group that is not exclusive shows.
inline QStringList Checked(QDialog& page, const QString& group) {
  QStringList texts;
  for (QAbstractButton* button : GroupTitled(page, group).findChildren<QAbstractButton*>()) {
    if (button->isChecked()) texts << button->text();
  }
  return texts;
}

inline void Toggle(QDialog& page, const QString& group, const QString& button) {
  Click(GroupTitled(page, group), button);
}

inline ScriptedSeam::Action Warned(const QString& text) {
  return [text](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), "Warning");
    EXPECT_EQ(MessageText(box), text);
    Click(box, "Ok");
  };
}

// Runs out of memory while the first message is being shown.
class ExhaustedReporter : public RecordingReporter {
 protected:
  void OnMessage(const std::string& title, const std::string& text) override {
    if (!exhausted_) {
      exhausted_ = true;
      throw std::bad_alloc();
    }
    RecordingReporter::OnMessage(title, text);
  }

 private:
  bool exhausted_ = false;
};

}  // namespace vk7::test
