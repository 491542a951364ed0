#include "battle/string_helpers.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

namespace vk7 {
namespace {

TEST(StringHelpers, TokensPrefixesTrimsAndComments) {
  EXPECT_EQ(Token(" \talpha  beta", 1), "alpha");
  EXPECT_EQ(Token(" \talpha  beta", 2), "beta");
  EXPECT_EQ(Token(" \talpha  beta", 3), "");
  EXPECT_EQ(Token("a\nb c", 1), "a\nb");  // only space and tab separate
  EXPECT_EQ(PrefixBefore("a=b=x", '='), "a");
  EXPECT_EQ(PrefixBefore("abx", '='), "abx");
  EXPECT_EQ(PrefixBefore("=abx", '='), "");
  EXPECT_EQ(Substring("abc", 1, 10), "bc");
  EXPECT_EQ(Substring("abc", 3, 5), "");
  EXPECT_EQ(Substring("abc", 2, 1), "");
  EXPECT_EQ(Trim(" \t \t"), "");
  EXPECT_EQ(Trim("\t a b \t"), "a b");
  EXPECT_EQ(Trim("\ra\n"), "\ra\n");
  EXPECT_EQ(CutComment("Title = a//b"), "Title = a");
  EXPECT_EQ(CutComment("// all"), "");
  EXPECT_EQ(CutComment("a / b"), "a / b");
  EXPECT_TRUE(EqualsIgnoreCase("Sol", "sOL"));
  EXPECT_FALSE(EqualsIgnoreCase("Sol", "Sol "));
  EXPECT_FALSE(EqualsIgnoreCase("\xC9", "\xE9"));  // ASCII letters only
}

TEST(StringHelpers, VoicePart) {
  VoiceSplit s = SplitVoicePart("[ hello.acm ] Captain: Welcome");
  EXPECT_EQ(s.voice, "hello.acm");
  EXPECT_EQ(s.rest, "Captain: Welcome");
  s = SplitVoicePart("[hello.acm Captain: Welcome");
  EXPECT_EQ(s.voice, "");
  EXPECT_EQ(s.rest, "[hello.acm Captain: Welcome");
}

// The syntax test, and the value (none: out of range or no number).
TEST(StringHelpers, NumberSyntaxAndValue) {
  const std::tuple<const char*, bool, std::optional<std::int32_t>> cases[] = {
      {"12", true, 12},
      {"-7", true, -7},
      {"3.5", true, 3},
      {".5", true, 0},
      {"-", true, 0},
      {".", true, 0},
      {"1-2", false, {}},
      {"1.2.3", false, {}},
      {"+4", false, {}},
      {"", false, {}},
      {"12a", false, {}},
      {"2147483647", true, INT32_MAX},
      {"-2147483648", true, INT32_MIN},
      {"2147483648", true, {}},
      {"-2147483649", true, {}},
      {"99999999999999999999999", true, {}},
      {"2147483647.99", true, INT32_MAX},
  };
  for (const auto& [text, isNumber, value] : cases) {
    EXPECT_EQ(IsNumber(text), isNumber) << text;
    std::int32_t parsed = 12345;
    EXPECT_EQ(ParseNumber(text, parsed), value.has_value()) << text;
    EXPECT_EQ(value ? parsed : 12345, value.value_or(12345)) << text;
  }
}

}  // namespace
}  // namespace vk7
