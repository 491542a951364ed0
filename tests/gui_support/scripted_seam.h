#pragma once

#include <QDialog>
#include <QListWidget>
#include <QString>
#include <QTest>
#include <deque>
#include <functional>
#include <stdexcept>
#include <vector>

#include "widgets/modal_seam.h"

class QAbstractButton;

namespace vk7::test {

// Plays the user's part: each modal dialog the code under test opens must be the next one
// expected (by template name, the dialog's object name), and its action runs on it while it
// is shown offscreen. Nested dialogs go through the same script. Installs itself for its
// lifetime. The file and folder choosers are answered by "folder", "file" and "save" steps.
class ScriptedSeam : public ModalSeam {
 public:
  using Action = std::function<void(QDialog&)>;

  ScriptedSeam() { ModalSeam::Install(this); }
  ~ScriptedSeam() override;

  ScriptedSeam& Expect(const QString& templateName, Action action);
  // The answer of the next chooser of `kind` ("folder", "file" or "save"); empty: cancelled.
  ScriptedSeam& Chosen(const QString& kind, const QString& answer);

  int Exec(QDialog& dialog) override;
  QString ChooseFolder(QWidget*, const QString& prompt, const QString& start) override {
    return Choose("folder", {prompt, start});
  }
  QString ChooseOpenFile(QWidget*, const QString& title, const QString& folder,
                         const QString& filter) override {
    return Choose("file", {title, folder, filter});
  }
  QString ChooseSaveFile(QWidget*, const QString& title, const QString& start,
                         const QString& filter) override {
    return Choose("save", {title, start, filter});
  }

  bool Done() const { return steps_.empty(); }
  // In order: "title: message" of each box with a message, "kind: texts|joined" of each
  // chooser, and what the script noted.
  const std::vector<QString>& Log() const { return log_; }
  void Note(const QString& line) { log_.push_back(line); }

 private:
  struct Step {
    QString name;
    Action action;
    QString answer;
  };
  std::deque<Step> steps_;
  std::vector<QString> log_;

  QString Choose(const QString& kind, const QStringList& texts);
};

ScriptedSeam::Action Press(const QString& buttonText);
ScriptedSeam::Action TypeAndPress(const QString& editName, const QString& text,
                                  const QString& buttonText);
QAbstractButton& Button(QWidget& root, const QString& text);  // the one visible with this text
void Click(QWidget& root, const QString& buttonText);
QString MessageText(QDialog& box);

inline void SelectRow(QListWidget& list, int row) {
  list.setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

inline int SelectedRow(const QListWidget& list) {
  const auto selected = list.selectedItems();
  return selected.isEmpty() ? -1 : list.row(selected.front());
}

// A click, or what the window system delivers for a double click.
inline void ClickRow(QListWidget& list, int row, bool twice = false) {
  list.scrollToItem(list.item(row));
  const QPoint at = list.visualItemRect(list.item(row)).center();
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
  if (!twice) return;
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
  QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, at);
}

// A child widget by accessible name (or object name when none carries it).
template <typename T>
T& Find(QWidget& root, const QString& name) {
  QList<T*> matches;
  for (const bool accessible : {true, false}) {
    for (T* child : root.findChildren<T*>()) {
      if ((accessible ? child->accessibleName() : child->objectName()) == name) matches << child;
    }
    if (!matches.isEmpty()) break;
  }
  if (matches.size() != 1) {
    throw std::runtime_error("expected one widget named '" + name.toStdString() + "' in " +
                             root.objectName().toStdString() + ", found " +
                             std::to_string(matches.size()));
  }
  return *matches.front();
}

}  // namespace vk7::test
