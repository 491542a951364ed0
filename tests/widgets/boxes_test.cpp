// Every box of the widgets layer through one table (widgets/cases/boxes.txt): what it shows
// and what it answers to each button and key; and the Windows-1252 text they show and take.
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
#include <variant>

#include "battle/windows_1252.h"
#include "gui_support/scripted_seam.h"
#include "support/case_file.h"
#include "widgets/box_reporter.h"
#include "widgets/cancel_box.h"
#include "widgets/confirm_box.h"
#include "widgets/cp1252.h"
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

std::string Answer(std::variant<bool, std::optional<std::string>> answer) {
  if (const bool* yes = std::get_if<bool>(&answer)) return *yes ? "yes" : "no";
  const auto& entered = std::get<1>(answer);
  return entered ? "[" + *entered + "]" : "none";
}

// The boxes as the table names them, each opened with fixed arguments; its answer as text.
// clang-format off
const std::map<std::string, std::function<std::string()>> kBoxes = {
    {"Error", [] { return ErrorBox::Show(nullptr, "Unknown keyword in line 17", "Error in a.vk7"), std::string("shown"); }},
    {"UntitledError", [] { return ErrorBox::Show(nullptr, "Out of memory!", ""), std::string("shown"); }},
    {"Message", [] { return MessageBox::Show(nullptr, "  X saved.  \n\nDone", "Save"), std::string("shown"); }},
    {"WideMessage", [] { return MessageBox::Show(nullptr, QString(QString(60, 'W') + " ").repeated(3).trimmed().toStdString(), "Save"), std::string("shown"); }},
    {"TallMessage", [] { return MessageBox::Show(nullptr, QString("Line\n").repeated(17).toStdString(), "Save"), std::string("shown"); }},
    {"LongError", [] { return ErrorBox::Show(nullptr, QString("Word ").repeated(30).toStdString(), ""), std::string("shown"); }},
    {"ReportedError", [] { return BoxReporter(nullptr).ErrorAtLine("Error in b.vk7", "Invalid line 4", 4), std::string("shown"); }},
    {"ReportedMessage", [] { return BoxReporter(nullptr).Message("Warning", "Careful"), std::string("shown"); }},
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
    if (line.starts_with("type ")) typed = line.substr(5);
    std::istringstream actions(line.starts_with("type ") ? "" : line);
    for (std::string action; actions >> action;) {
      ScriptedSeam seam;
      seam.Expect(name, [&](QDialog& dialog) {
        if (seen.empty()) seen = Layout(dialog);
        if (auto* edit = dialog.findChild<QLineEdit*>(); edit && !typed.empty()) {
          edit->setText(QString::fromLatin1(typed));
        }
        if (action == "<Close>") return void(dialog.close());
        if (action != "<Return>" && action != "<Escape>") return Click(dialog, action.c_str());
        QTest::keyClick(&dialog, action == "<Return>" ? Qt::Key_Return : Qt::Key_Escape);
      });
      answers += " " + open();
    }
  }
  std::string expected;
  for (const std::string& line : c.expected) expected += (expected.empty() ? "" : " | ") + line;
  EXPECT_EQ(seen + ":" + answers, expected) << c.where;
}

// Every byte maps both ways, as the core spells file names; characters beyond Windows-1252
// become one "?" each, and an entry box warns of them once.
TEST(Cp1252, MapsEveryByteBothWaysAndUnknownCharactersToQuestionMarks) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  bool lossy = false;
  EXPECT_EQ(ToCp1252(FromCp1252(all), &lossy), all);
  EXPECT_FALSE(lossy);
  EXPECT_EQ(FromCp1252(all), QString::fromStdString(Cp1252ToUtf8(all)));
  for (const auto& [bytes, text] :
       std::vector<std::pair<std::string, const char*>>{{"\x80\x96\x99", "\u20ac\u2013\u2122"},
                                                        {"\xE9", "\u00e9"},
                                                        {"\x8A\x9E", "\u0160\u017e"}}) {
    EXPECT_EQ(FromCp1252(bytes), QString::fromUtf8(text)) << text;
    EXPECT_EQ(ToCp1252(QString::fromUtf8(text)), bytes) << text;
  }
  EXPECT_EQ(ToCp1252(QString::fromUtf8("a\u4e00b\U0001F680c"), &lossy), "a?b?c");
  EXPECT_TRUE(lossy);
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
