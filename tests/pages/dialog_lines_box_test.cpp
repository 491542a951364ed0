#include "pages/dialog_lines_box.h"

#include <gtest/gtest.h>
#include <QPlainTextEdit>

#include "gui_support/scripted_seam.h"
#include "pages/dialog_lines_pair_box.h"

namespace vk7 {
namespace {

using test::Find;
using test::Press;
using test::ScriptedSeam;

DialogLine Line(const char* speaker, const char* text, const char* voice = "") {
  return DialogLine{speaker, text, voice, true, true, true};
}

TEST(DialogLinesBox, ShowsTheListAndRebuildsItOnOk) {
  std::vector<DialogLine> list = {Line("Pilot", "Engage now", "p01.acm"), Line("Wing", "Copy")};
  ScriptedSeam seam;
  seam.Expect("DIALOGSBOX2", [](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), "Sol Friends Warp In Dialog ");
    auto& edit = Find<QPlainTextEdit>(box, " Friends Warp In Dialog ");
    EXPECT_EQ(edit.toPlainText(), "[p01.acm] Pilot: Engage now\nWing: Copy\n");
    edit.setPlainText("Wing: Copy\n\n[p02.acm] Lead: Go");
    test::Click(box, "Ok");
  });
  DialogLinesBox::Run(nullptr, list, "Sol Friends Warp In Dialog ", " Friends Warp In Dialog ");
  EXPECT_EQ(list, (std::vector<DialogLine>{Line("Wing", "Copy"), Line("Lead", "Go", "p02.acm")}));
}

TEST(DialogLinesBox, CancelKeepsTheList) {
  std::vector<DialogLine> list = {Line("Pilot", "Engage now")};
  ScriptedSeam seam;
  seam.Expect("DIALOGSBOX2", [](QDialog& box) {
    Find<QPlainTextEdit>(box, "cap").setPlainText("");
    test::Click(box, "Cancel");
  });
  DialogLinesBox::Run(nullptr, list, "t", "cap");
  EXPECT_EQ(list, (std::vector<DialogLine>{Line("Pilot", "Engage now")}));
}

TEST(DialogLinesPairBox, OneSetOfWarningsForBothLists) {
  std::vector<DialogLine> upper;
  std::vector<DialogLine> lower = {Line("A", "b")};
  ScriptedSeam seam;
  seam.Expect("DIALOGSBOX1",
              [](QDialog& box) {
                EXPECT_EQ(box.windowTitle(), "Sol Neutral Behavior Dialogs ");
                Find<QPlainTextEdit>(box, " Neutrals Become Friends Dialog ")
                    .setPlainText("No speaker here");
                Find<QPlainTextEdit>(box, " Neutrals Become Enemies Dialog ")
                    .setPlainText("Nor here\nPilot:");
                test::Click(box, "Ok");
              })
      .Expect("MESSAGBOX",
              [](QDialog& box) {
                EXPECT_EQ(test::MessageText(box),
                          "At least one dialog line had no speaker definition. Default speaker "
                          "inserted.");
                test::Click(box, "Ok");
              })
      .Expect("MESSAGBOX", [](QDialog& box) {
        EXPECT_EQ(test::MessageText(box),
                  "At least one dialog line contained a speaker or voice file, but no text. Line "
                  "has been removed.");
        test::Click(box, "Ok");
      });
  DialogLinesPairBox::Run(nullptr, upper, lower, "Sol Neutral Behavior Dialogs ",
                          " Neutrals Become Friends Dialog ", " Neutrals Become Enemies Dialog ");
  EXPECT_EQ(upper, (std::vector<DialogLine>{Line("Speaker", "No speaker here")}));
  EXPECT_EQ(lower, (std::vector<DialogLine>{Line("Speaker", "Nor here")}));
}

}  // namespace
}  // namespace vk7
