#include "widgets/cp1252.h"

#include <gtest/gtest.h>

#include "battle/windows_1252.h"

namespace vk7 {
namespace {

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  bool lossy = false;
  EXPECT_EQ(ToCp1252(FromCp1252(all), &lossy), all);
  EXPECT_FALSE(lossy);
  // The core spells file names with the same characters the widgets show.
  EXPECT_EQ(FromCp1252(all), QString::fromStdString(Cp1252ToUtf8(all)));
}

TEST(Cp1252, MapsTheWindowsCharacters) {
  EXPECT_EQ(FromCp1252("\x80\x96\x99"), QString::fromUtf8("\u20ac\u2013\u2122"));
  EXPECT_EQ(FromCp1252("\xE9"), QString::fromUtf8("\u00e9"));
  EXPECT_EQ(ToCp1252(QString::fromUtf8("\u0160\u017e")), "\x8A\x9E");
}

TEST(Cp1252, UnknownCharactersBecomeOneQuestionMarkEach) {
  bool lossy = false;
  EXPECT_EQ(ToCp1252(QString::fromUtf8("a\u4e00b\U0001F680c"), &lossy), "a?b?c");
  EXPECT_TRUE(lossy);
}

}  // namespace
}  // namespace vk7
