#include "gui_support/scripted_seam.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QLineEdit>
#include <QTextEdit>

namespace vk7::test {

ScriptedSeam::~ScriptedSeam() {
  ModalSeam::Install(nullptr);
  for (const Step& step : steps_) ADD_FAILURE() << "never shown: " << step.name.toStdString();
}

ScriptedSeam& ScriptedSeam::Expect(const QString& templateName, Action action) {
  steps_.push_back({templateName, std::move(action), {}});
  return *this;
}

ScriptedSeam& ScriptedSeam::Chosen(const QString& kind, const QString& answer) {
  steps_.push_back({kind, {}, answer});
  return *this;
}

int ScriptedSeam::Exec(QDialog& dialog) {
  const QString text = MessageText(dialog);
  if (!text.isEmpty()) log_.push_back(dialog.windowTitle() + ": " + text);
  if (steps_.empty() || steps_.front().name != dialog.objectName() || !steps_.front().action) {
    ADD_FAILURE() << "unexpected dialog " << dialog.objectName().toStdString() << " \""
                  << dialog.windowTitle().toStdString() << "\" " << text.toStdString()
                  << " (expected " << (steps_.empty() ? "none" : steps_.front().name.toStdString())
                  << ")";
    return QDialog::Rejected;
  }
  const Step step = std::move(steps_.front());
  steps_.pop_front();
  dialog.setResult(-1);
  dialog.show();
  try {
    step.action(dialog);
  } catch (const std::exception& e) {
    ADD_FAILURE() << "script failed on " << dialog.objectName().toStdString() << ": " << e.what();
  }
  if (dialog.isVisible()) {
    ADD_FAILURE() << "script left " << dialog.objectName().toStdString() << " open";
    dialog.reject();
  }
  return dialog.result();
}

QString ScriptedSeam::Choose(const QString& kind, const QStringList& texts) {
  log_.push_back(kind + ": " + texts.join('|'));
  if (steps_.empty() || steps_.front().name != kind) {
    ADD_FAILURE() << "unexpected " << kind.toStdString() << " chooser";
    return {};
  }
  const QString answer = steps_.front().answer;
  steps_.pop_front();
  return answer;
}

QAbstractButton& Button(QWidget& root, const QString& text) {
  QList<QAbstractButton*> matches;
  for (QAbstractButton* button : root.findChildren<QAbstractButton*>()) {
    if (button->text().remove('&') == text && button->isVisible()) matches.append(button);
  }
  if (matches.size() != 1) {
    throw std::runtime_error("expected one button '" + text.toStdString() + "' in " +
                             root.objectName().toStdString() + ", found " +
                             std::to_string(matches.size()));
  }
  return *matches.front();
}

void Click(QWidget& root, const QString& buttonText) {
  Button(root, buttonText).click();
}

ScriptedSeam::Action Press(const QString& buttonText) {
  return [buttonText](QDialog& dialog) { Click(dialog, buttonText); };
}

ScriptedSeam::Action TypeAndPress(const QString& editName, const QString& text,
                                  const QString& buttonText) {
  return [=](QDialog& dialog) {
    Find<QLineEdit>(dialog, editName).setText(text);
    Click(dialog, buttonText);
  };
}

QString MessageText(QDialog& box) {
  auto* text = box.findChild<QTextEdit*>("messageText");
  return text != nullptr ? text->toPlainText() : QString();
}

}  // namespace vk7::test
