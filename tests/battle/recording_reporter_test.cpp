#include "battle/recording_reporter.h"

#include <gtest/gtest.h>

namespace vk7 {
namespace {

// What was recorded reaches another reporter as it came: messages, errors with and without
// their line, in their order.
TEST(RecordingReporter, ReplaysEveryKindInOrder) {
  RecordingReporter recorded;
  recorded.Message("Warning", "first");
  recorded.ErrorAtLine("Error", "second in line 7", 7);
  recorded.Error("Error", "third");
  RecordingReporter again;
  recorded.ReplayTo(again);
  EXPECT_EQ(again.Entries(), recorded.Entries());
}

}  // namespace
}  // namespace vk7
