#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTextEdit>
#include <algorithm>
#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>

#include "widgets/modal_seam.h"

namespace vk7::test {

// Plays the user's part while installed (its lifetime): each modal dialog opened, nested ones too,
// must be the next expected (by its object name), whose action runs on it shown offscreen; the
// choosers are answered by "folder", "file" and "save" steps.
class ScriptedSeam : public ModalSeam {
 public:
  using Action = std::function<void(QDialog&)>;

  ScriptedSeam() { ModalSeam::Install(this); }
  ~ScriptedSeam() override;

  ScriptedSeam& Expect(const QString& templateName, Action action) {
    steps_.push_back({templateName, std::move(action), {}});
    return *this;
  }
  // The answer of the next chooser of `kind`; empty: cancelled.
  ScriptedSeam& Chosen(const QString& kind, const QString& answer) {
    steps_.push_back({kind, {}, answer});
    return *this;
  }
  bool Done() const { return steps_.empty(); }
  // In order: each box's "title: message", each chooser's "kind: texts|joined", each note.
  const std::vector<QString>& Log() const { return log_; }
  void Note(const QString& line) { log_.push_back(line); }

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

 private:
  struct Step {
    QString name;
    Action action;  // none: a chooser's
    QString answer;
  };
  std::deque<Step> steps_;
  std::vector<QString> log_;

  std::optional<Step> Next(const QString& name, bool dialog, const std::string& what);
  QString Choose(const QString& kind, const QStringList& texts) {
    log_.push_back(kind + ": " + texts.join('|'));
    const auto step = Next(kind, false, kind.toStdString() + " chooser");
    return step ? step->answer : QString();
  }
};

// Of a box with a message, else empty.
inline QString MessageText(QDialog& box) {
  const auto* text = box.findChild<QTextEdit*>("messageText");
  return text != nullptr ? text->toPlainText() : QString();
}

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
  if (twice) QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
  if (twice) QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, at);
}

// The one child of `root` that is `wanted`; else an error naming `what` was looked for.
template <typename T>
T& One(QWidget& root, const QString& what, const std::function<bool(T&)>& wanted) {
  QList<T*> matches;
  for (T* child : root.findChildren<T*>())
    if (wanted(*child)) matches << child;
  if (matches.size() == 1) return *matches.front();
  throw std::runtime_error("expected one " + what.toStdString() + " in " +
                           root.objectName().toStdString() + ", found " +
                           std::to_string(matches.size()));
}

// A child widget by accessible name (or object name when none carries it).
template <typename T>
T& Find(QWidget& root, const QString& name) {
  const bool accessible = std::ranges::any_of(
      root.findChildren<T*>(), [&](const T* child) { return child->accessibleName() == name; });
  return One<T>(root, "widget named '" + name + "'", [&](const T& child) {
    return (accessible ? child.accessibleName() : child.objectName()) == name;
  });
}

// The one visible button with this text.
inline QAbstractButton& Button(QWidget& root, const QString& text) {
  return One<QAbstractButton>(root, "button '" + text + "'", [&](QAbstractButton& button) {
    return button.text().remove('&') == text && button.isVisible();
  });
}

inline void Click(QWidget& root, const QString& buttonText) {
  Button(root, buttonText).click();
}

inline ScriptedSeam::Action Press(const QString& buttonText) {
  return [buttonText](QDialog& dialog) { Click(dialog, buttonText); };
}

inline ScriptedSeam::Action TypeAndPress(const QString& editName, const QString& text,
                                         const QString& buttonText) {
  return [=](QDialog& dialog) {
    Find<QLineEdit>(dialog, editName).setText(text);
    Click(dialog, buttonText);
  };
}

}  // namespace vk7::test
