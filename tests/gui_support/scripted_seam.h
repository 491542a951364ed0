#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <vector>

#include "widgets/modal_seam.h"

class QAbstractButton;
class QDialog;
class QWidget;

namespace vk7::test {

// Plays the user's part: each modal dialog the code under test opens must be the next one
// expected (by template name, the dialog's object name), and its scripted action runs on it
// while it is shown offscreen. Actions click buttons and type text; nested dialogs go through
// the same script. Installs itself for its lifetime.
class ScriptedSeam : public ModalSeam {
 public:
  using Action = std::function<void(QDialog&)>;

  struct Shown {
    QString name;
    QString title;
    QString text;  // the message of an error or message box
  };

  ScriptedSeam();
  ~ScriptedSeam() override;

  ScriptedSeam& Expect(const QString& templateName, Action action);
  ScriptedSeam& ExpectFolder(const QString& answer);
  ScriptedSeam& ExpectFile(const QString& answer);
  ScriptedSeam& ExpectSaveFile(const QString& answer);

  int Exec(QDialog& dialog) override;
  QString ChooseFolder(QWidget* parent, const QString& prompt, const QString& start) override;
  QString ChooseOpenFile(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override;
  QString ChooseSaveFile(QWidget* parent, const QString& title, const QString& start,
                         const QString& filter) override;

  // Every dialog shown so far, in order.
  const std::vector<Shown>& History() const { return history_; }
  bool Done() const { return steps_.empty(); }
  // The prompts and start folders the choosers were given.
  const std::vector<QString>& ChooserPrompts() const { return chooserPrompts_; }

 private:
  struct Step {
    QString name;  // template name, or "folder" / "file" / "save"
    Action action;
    QString answer;
  };
  std::deque<Step> steps_;
  std::vector<Shown> history_;
  std::vector<QString> chooserPrompts_;

  QString Choose(const char* kind, const QString& prompt);
};

// Actions and finders for scripts.
ScriptedSeam::Action Press(const QString& buttonText);
ScriptedSeam::Action TypeAndPress(const QString& editName, const QString& text,
                                  const QString& buttonText);
QAbstractButton& Button(QWidget& root, const QString& text);
// A child widget by accessible name (or object name when none carries it).
template <typename T>
T& Find(QWidget& root, const QString& name);
void Click(QWidget& root, const QString& buttonText);
QString MessageText(QDialog& box);

}  // namespace vk7::test

#include "gui_support/scripted_seam_find.h"
