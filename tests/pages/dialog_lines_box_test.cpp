#include "pages/dialog_lines_box.h"

#include <gtest/gtest.h>
#include <QPlainTextEdit>

#include "pages/dialog_lines_box_logic.h"
#include "pages/dialog_lines_pair_box.h"
#include "pages/options_test_support.h"

namespace vk7 {
namespace {

using namespace test;
using Lines = std::vector<DialogLine>;

TEST(DialogLinesBox, ShowsTheListAndRebuildsItOnOkAndCancelKeepsIt) {
  Lines list = {Line("Pilot", "Engage now", "p01.acm"), Line("Wing", "Copy")};
  ScriptedSeam seam;
  seam.Expect("DIALOGSBOX2",
              [](QDialog& box) {
                EXPECT_EQ(box.windowTitle(), "Sol Friends Warp In Dialog ");
                auto& edit = Find<QPlainTextEdit>(box, " Friends Warp In Dialog ");
                EXPECT_EQ(edit.toPlainText(), "[p01.acm] Pilot: Engage now\nWing: Copy\n");
                edit.setPlainText("Wing: Copy\n\n[p02.acm] Lead: Go");
                Click(box, "Ok");
              })
      .Expect("DIALOGSBOX2", [](QDialog& box) {
        Find<QPlainTextEdit>(box, " Friends Warp In Dialog ").setPlainText("");
        Click(box, "Cancel");
      });
  for (int i = 0; i < 2; ++i) {
    DialogLinesBox::Run(nullptr, list, "Sol Friends Warp In Dialog ", " Friends Warp In Dialog ");
    EXPECT_EQ(list, (Lines{Line("Wing", "Copy"), Line("Lead", "Go", "p02.acm")}));
  }
}

TEST(DialogLinesPairBox, OneSetOfWarningsForBothLists) {
  Lines upper;
  Lines lower = {Line("A", "b")};
  ScriptedSeam seam;
  seam.Expect("DIALOGSBOX1",
              [](QDialog& box) {
                EXPECT_EQ(box.windowTitle(), "Sol Neutral Behavior Dialogs ");
                Find<QPlainTextEdit>(box, " Neutrals Become Friends Dialog ")
                    .setPlainText("No speaker here");
                Find<QPlainTextEdit>(box, " Neutrals Become Enemies Dialog ")
                    .setPlainText("Nor here\nPilot:");
                Click(box, "Ok");
              })
      .Expect("MESSAGBOX", Warned("At least one dialog line had no speaker definition. Default "
                                  "speaker inserted."))
      .Expect("MESSAGBOX", Warned("At least one dialog line contained a speaker or voice file, "
                                  "but no text. Line has been removed."));
  DialogLinesPairBox::Run(nullptr, upper, lower, "Sol Neutral Behavior Dialogs ",
                          " Neutrals Become Friends Dialog ", " Neutrals Become Enemies Dialog ");
  EXPECT_EQ(upper, Lines{Line("Speaker", "No speaker here")});
  EXPECT_EQ(lower, Lines{Line("Speaker", "Nor here")});
}

TEST(DialogLinesBoxLogic, OutOfMemoryStoresNeitherList) {
  Lines upper = {Line("A", "b")};
  Lines lower = {Line("C", "d")};
  ExhaustedReporter reporter;  // fails while the default-speaker warning is shown
  EXPECT_FALSE(StoreDialogLists({{"Wing: Copy", upper}, {"no speaker", lower}}, reporter));
  EXPECT_EQ(upper, Lines{Line("A", "b")});
  EXPECT_EQ(lower, Lines{Line("C", "d")});
  EXPECT_EQ(reporter.Entries(), std::vector{ErrorEntry("Out of memory!")});
}

}  // namespace
}  // namespace vk7
