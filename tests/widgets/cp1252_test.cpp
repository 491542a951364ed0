#include "widgets/cp1252.h"

#include <gtest/gtest.h>

#include "battle/windows_1252.h"

namespace vk7 {
namespace {

TEST(Cp1252, MapsEveryByteBothWaysAndUnknownCharactersToOneQuestionMarkEach) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  bool lossy = false;
  EXPECT_EQ(ToCp1252(FromCp1252(all), &lossy), all);
  EXPECT_FALSE(lossy);
  // The core spells file names with the same characters the widgets show.
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
}

}  // namespace
}  // namespace vk7
