#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include "gui_support/scripted_seam.h"
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

using test::Find;
using test::Press;
using test::ScriptedSeam;

QStringList ButtonTexts(QDialog& dialog) {
  QStringList texts;
  for (auto* button : dialog.findChildren<QPushButton*>()) texts << button->text();
  return texts;
}

TEST(ErrorBox, ShowsTitleAndTextAndOnlyCancel) {
  ScriptedSeam seam;
  seam.Expect("ERRORBOX", [](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), "Error in battle file a.vk7");
    EXPECT_EQ(test::MessageText(box), "Unknown keyword in line 17");
    EXPECT_EQ(ButtonTexts(box), QStringList{"Cancel"});
    EXPECT_TRUE(Find<QTextEdit>(box, "Message").isReadOnly());
    EXPECT_EQ(Find<QTextEdit>(box, "Message").lineWrapMode(), QTextEdit::WidgetWidth);
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_FALSE(box.isVisible());
  });
  ErrorBox::Show(nullptr, "Unknown keyword in line 17", "Error in battle file a.vk7");
}

TEST(ErrorBox, KeepsItsOwnTitleWhenNoneIsGiven) {
  ScriptedSeam seam;
  seam.Expect("ERRORBOX", [](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), "Error");
    QTest::keyClick(&box, Qt::Key_Escape);
  });
  ErrorBox::Show(nullptr, "Out of memory!", "");
}

TEST(MessageBox, KeepsBlanksAndDoesNotWrap) {
  const std::string padded =
      std::string(34, ' ') + "Battle Configuration X saved." + std::string(34, ' ');
  ScriptedSeam seam;
  seam.Expect("MESSAGBOX", [&](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), "Save");
    EXPECT_EQ(test::MessageText(box).toStdString(), padded);
    EXPECT_EQ(Find<QTextEdit>(box, "Message").lineWrapMode(), QTextEdit::NoWrap);
    EXPECT_EQ(ButtonTexts(box), QStringList{"Ok"});
    test::Click(box, "Ok");
  });
  MessageBox::Show(nullptr, padded, "Save");
}

TEST(BoxReporter, ErrorsAndMessagesGoToTheirBoxes) {
  ScriptedSeam seam;
  seam.Expect("ERRORBOX", Press("Cancel")).Expect("MESSAGBOX", Press("Ok"));
  BoxReporter reporter(nullptr);
  reporter.ErrorAtLine("Error in battle file b.vk7", "Invalid line 4", 4);
  reporter.Message("Warning", "Careful");
  ASSERT_EQ(seam.History().size(), 2u);
  EXPECT_EQ(seam.History()[0].text, "Invalid line 4");
  EXPECT_EQ(seam.History()[1].title, "Warning");
}

struct QuestionCase {
  const char* name;
  std::function<bool()> ask;
  const char* templateName;
  const char* title;
  QStringList labels;
};

class QuestionBoxes : public ::testing::TestWithParam<QuestionCase> {};

TEST_P(QuestionBoxes, YesOnlyByYes) {
  const QuestionCase& c = GetParam();
  auto expectLayout = [&](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), c.title);
    QStringList shown;
    for (auto* label : box.findChildren<QLabel*>()) {
      if (!label->text().isEmpty()) shown << label->text();
    }
    for (const QString& text : c.labels) EXPECT_TRUE(shown.contains(text)) << text.toStdString();
    EXPECT_EQ(ButtonTexts(box), (QStringList{"Yes", "No"}));
  };
  {
    ScriptedSeam seam;
    seam.Expect(c.templateName, [&](QDialog& box) {
      expectLayout(box);
      test::Click(box, "Yes");
    });
    EXPECT_TRUE(c.ask());
  }
  for (auto close : std::vector<std::function<void(QDialog&)>>{
           [](QDialog& box) { test::Click(box, "No"); },
           [](QDialog& box) { QTest::keyClick(&box, Qt::Key_Escape); },
           [](QDialog& box) { box.close(); }}) {
    ScriptedSeam seam;
    seam.Expect(c.templateName, close);
    EXPECT_FALSE(c.ask());
  }
  ScriptedSeam seam;
  seam.Expect(c.templateName, [](QDialog& box) { QTest::keyClick(&box, Qt::Key_Return); });
  EXPECT_TRUE(c.ask()) << "Enter acts as Yes";
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, QuestionBoxes,
    ::testing::Values(QuestionCase{"Cancel",
                                   [] { return CancelBox::Ask(nullptr); },
                                   "CANCELBOX",
                                   "Cancel",
                                   {"Do you really want to cancel"}},
                      QuestionCase{"Confirm",
                                   [] { return ConfirmBox::Ask(nullptr, "Import anyway?"); },
                                   "CONFIRMBOX",
                                   "Confirm",
                                   {"Import anyway?"}},
                      QuestionCase{"Delete",
                                   [] { return DeleteBox::Ask(nullptr, "First Patrol"); },
                                   "DELETEBOX",
                                   "Delete",
                                   {"Do you really want to delete ", "First Patrol"}},
                      QuestionCase{"Replace",
                                   [] { return ReplaceBox::Ask(nullptr, "Old", "New"); },
                                   "REPLACEBOX",
                                   "Replace",
                                   {"Do you really want to replace ", "Old", "New"}},
                      QuestionCase{"Overwrite",
                                   [] { return OverwriteBox::Ask(nullptr, "Convoy Run"); },
                                   "OVERWRITEBOX",
                                   "Overwrite",
                                   {"The battle configuration", "Convoy Run",
                                    "exists already. Do you want to overwrite it ?"}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(EntryBoxes, ReturnTheTextUntrimmedAndCutToTheirLimits) {
  ScriptedSeam seam;
  seam.Expect("CREATEBOX",
              [](QDialog& box) {
                EXPECT_EQ(box.windowTitle(), "Create");
                auto& edit = Find<QLineEdit>(box, "Name of the new battle configuration");
                EXPECT_EQ(edit.text(), "First Patrol");
                edit.setText("  spaced  ");
                QTest::keyClick(&box, Qt::Key_Return);
              })
      .Expect(
          "SAVEUNDERBOX",
          [](QDialog& box) {
            EXPECT_EQ(box.windowTitle(), "Rename Battle");
            Find<QLineEdit>(box, "New name of the battle configuration").setText(QString(600, 'n'));
            test::Click(box, "Ok");
          })
      .Expect("NAMEBOX",
              [](QDialog& box) {
                EXPECT_EQ(box.windowTitle(), "Ship Name");
                auto& edit = Find<QLineEdit>(box, "Name of the escort ship");
                EXPECT_EQ(edit.text(), "");
                edit.setText(QString(300, 's'));
                test::Click(box, "Ok");
              })
      .Expect("NAMEBOX", [](QDialog& box) { test::Click(box, "Ok"); });
  EXPECT_EQ(CreateBox::Ask(nullptr, "First Patrol"), std::optional<std::string>("  spaced  "));
  EXPECT_EQ(SaveUnderBox::Ask(nullptr, "x", std::string("Rename Battle")),
            std::optional<std::string>(std::string(510, 'n')));
  EXPECT_EQ(NameBox::Ask(nullptr, "Name of the escort ship", std::nullopt),
            std::optional<std::string>(std::string(253, 's')));
  EXPECT_EQ(NameBox::Ask(nullptr, "Prompt", std::nullopt), std::optional<std::string>(""));
}

TEST(EntryBoxes, CancelAndEscapeReturnNothing) {
  ScriptedSeam seam;
  seam.Expect("SAVEUNDERBOX",
              [](QDialog& box) {
                EXPECT_EQ(box.windowTitle(), "Save under");
                test::Click(box, "Cancel");
              })
      .Expect("CREATEBOX", [](QDialog& box) { QTest::keyClick(&box, Qt::Key_Escape); });
  EXPECT_EQ(SaveUnderBox::Ask(nullptr, "x", std::nullopt), std::nullopt);
  EXPECT_EQ(CreateBox::Ask(nullptr, ""), std::nullopt);
}

TEST(EntryBoxes, CharactersOutsideWindows1252BecomeQuestionMarksWithOneWarning) {
  ScriptedSeam seam;
  seam.Expect("CREATEBOX",
              [](QDialog& box) {
                Find<QLineEdit>(box, "Name of the new battle configuration")
                    .setText(QString::fromUtf8("Caf\u00e9 \u20ac \u4e00\u4e8c"));
                test::Click(box, "Ok");
              })
      .Expect("MESSAGBOX", [](QDialog& box) {
        EXPECT_EQ(box.windowTitle(), "Warning");
        EXPECT_TRUE(test::MessageText(box).contains("replaced by \"?\""));
        test::Click(box, "Ok");
      });
  EXPECT_EQ(CreateBox::Ask(nullptr, ""), std::optional<std::string>("Caf\xE9 \x80 ??"));
}

}  // namespace
}  // namespace vk7
