// Every box of the widgets layer through one table (widgets/cases/boxes.txt): what it shows
// and what it answers to each button and key.
#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <functional>
#include <map>
#include <ranges>
#include <sstream>

#include "gui_support/scripted_seam.h"
#include "support/case_file.h"
#include "widgets/box_reporter.h"
#include "widgets/cancel_box.h"
#include "widgets/confirm_box.h"
#include "widgets/create_box.h"
#include "widgets/delete_box.h"
#include "widgets/error_box.h"
#include "widgets/message_box.h"
#include "widgets/name_box.h"
#include "widgets/overwrite_box.h"
#include "widgets/replace_box.h"
#include "widgets/save_under_box.h"

namespace vk7 {
namespace {

using namespace test;

std::string Answer(bool yes) {
  return yes ? "yes" : "no";
}
std::string Answer(const std::optional<std::string>& entered) {
  return entered ? "[" + *entered + "]" : "none";
}
std::function<std::string()> Shows(std::function<void()> show) {
  return [show] { return show(), std::string("shown"); };
}

// The boxes as the table names them, each opened with fixed arguments; its answer as text.
// clang-format off
const std::map<std::string, std::function<std::string()>> kBoxes = {
    {"Error", Shows([] { ErrorBox::Show(nullptr, "Unknown keyword in line 17", "Error in a.vk7"); })},
    {"UntitledError", Shows([] { ErrorBox::Show(nullptr, "Out of memory!", ""); })},
    {"Message", Shows([] { MessageBox::Show(nullptr, "  X saved.  \n\nDone", "Save"); })},
    {"WideMessage", Shows([] { MessageBox::Show(nullptr, QString(QString(60, 'W') + " ").repeated(3).trimmed().toStdString(), "Save"); })},
    {"TallMessage", Shows([] { MessageBox::Show(nullptr, QString("Line\n").repeated(17).toStdString(), "Save"); })},
    {"LongError", Shows([] { ErrorBox::Show(nullptr, QString("Word ").repeated(30).toStdString(), ""); })},
    {"ReportedError", Shows([] { BoxReporter(nullptr).ErrorAtLine("Error in b.vk7", "Invalid line 4", 4); })},
    {"ReportedMessage", Shows([] { BoxReporter(nullptr).Message("Warning", "Careful"); })},
    {"Cancel", [] { return Answer(CancelBox::Ask(nullptr)); }},
    {"Confirm", [] { return Answer(ConfirmBox::Ask(nullptr, "Import anyway?")); }},
    {"Delete", [] { return Answer(DeleteBox::Ask(nullptr, "First Patrol")); }},
    {"Replace", [] { return Answer(ReplaceBox::Ask(nullptr, "Old", "New")); }},
    {"Overwrite", [] { return Answer(OverwriteBox::Ask(nullptr, "Convoy Run")); }},
    {"Create", [] { return Answer(CreateBox::Ask(nullptr, "First Patrol")); }},
    {"Rename", [] { return Answer(SaveUnderBox::Ask(nullptr, "x", std::string("Rename Battle"))); }},
    {"SaveUnder", [] { return Answer(SaveUnderBox::Ask(nullptr, "x", std::nullopt)); }},
    {"Name", [] { return Answer(NameBox::Ask(nullptr, "Ship name?", std::nullopt)); }},
};
// clang-format on

// The template, the title and the texts shown (an entry's in []; a message's scroll bars in
// use); then the buttons.
std::string Layout(QDialog& box) {
  QStringList texts;
  for (auto* label : box.findChildren<QLabel*>()) {
    if (!label->text().isEmpty()) texts << label->text();
  }
  if (!MessageText(box).isEmpty()) texts << MessageText(box);
  if (auto* edit = box.findChild<QTextEdit*>("messageText")) {
    QCoreApplication::processEvents();
    if (edit->horizontalScrollBar()->maximum() > 0) texts << "scrolls across";
    if (edit->verticalScrollBar()->maximum() > 0) texts << "scrolls down";
  }
  if (auto* edit = box.findChild<QLineEdit*>()) texts << "[" + edit->text() + "]";
  QStringList buttons;
  for (auto* button : box.findChildren<QPushButton*>()) buttons << button->text();
  return (box.objectName() + " " + box.windowTitle() + ": " + texts.join(" | ") + " | " +
          buttons.join(" "))
      .toStdString();
}

class Boxes : public testing::TestWithParam<test_support::Case> {};

// The case names the box, then its actions (see widgets/cases/boxes.txt). Expected: the
// layout, then the buttons and the answer to each action.
TEST_P(Boxes, ShowTheirTextsAndAnswerEachButtonAndKey) {
  const test_support::Case& c = GetParam();
  if (!kBoxes.contains(c.input.at(0))) test_support::Refuse(c, c.input[0], "no such box");
  const auto& open = kBoxes.at(c.input[0]);
  const QString name = QString::fromStdString(c.expected.at(0)).section(' ', 0, 0);  // template
  std::string seen, typed, answers;
  for (const std::string& line : c.input | std::views::drop(1)) {
    if (line.starts_with("type ")) {
      typed = line.substr(5);
      continue;
    }
    std::istringstream actions(line);
    for (std::string action; actions >> action;) {
      ScriptedSeam seam;
      seam.Expect(name, [&](QDialog& dialog) {
        if (seen.empty()) seen = Layout(dialog);
        if (auto* edit = dialog.findChild<QLineEdit*>(); edit && !typed.empty()) {
          edit->setText(QString::fromLatin1(typed));
        }
        if (action == "<Return>" || action == "<Escape>") {
          QTest::keyClick(&dialog, action == "<Return>" ? Qt::Key_Return : Qt::Key_Escape);
        } else if (action == "<Close>") {
          dialog.close();
        } else {
          Click(dialog, QString::fromStdString(action));
        }
      });
      answers += " " + open();
    }
  }
  std::string expected;
  for (const std::string& line : c.expected) expected += (expected.empty() ? "" : " | ") + line;
  EXPECT_EQ(seen + ":" + answers, expected) << c.where;
}

// Characters beyond Windows-1252 become "?", with one warning.
TEST(EntryBoxes, CharactersOutsideWindows1252BecomeQuestionMarksWithOneWarning) {
  ScriptedSeam seam;
  seam.Expect("CREATEBOX", TypeAndPress("nameEdit", "Caf\u00e9 \u20ac \u4e00\u4e8c", "Ok"))
      .Expect("MESSAGBOX", [](QDialog& box) {
        EXPECT_TRUE(MessageText(box).contains("replaced by \"?\""))
            << box.windowTitle().toStdString();
        Click(box, "Ok");
      });
  EXPECT_EQ(CreateBox::Ask(nullptr, ""), std::optional<std::string>("Caf\xE9 \x80 ??"));
}

INSTANTIATE_TEST_SUITE_P(Table, Boxes,
                         testing::ValuesIn(test_support::LoadCases("widgets/cases/boxes.txt")),
                         test_support::CaseName());

}  // namespace
}  // namespace vk7
