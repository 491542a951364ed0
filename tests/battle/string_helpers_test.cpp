#include "battle/string_helpers.h"

#include <gtest/gtest.h>

#include <climits>

namespace vk7 {
namespace {

TEST(StringHelpers, TokensAreRunsOfNonBlanks) {
  const std::string source = " \talpha  beta";
  EXPECT_EQ(Token(source, 1), "alpha");
  EXPECT_EQ(Token(source, 2), "beta");
  EXPECT_EQ(Token(source, 3), "");
  EXPECT_EQ(Token("a\nb c", 1), "a\nb");  // only space and tab separate
}

TEST(StringHelpers, PrefixBeforeAndSubstring) {
  EXPECT_EQ(PrefixBefore("a=b=x", '='), "a");
  EXPECT_EQ(PrefixBefore("abx", '='), "abx");
  EXPECT_EQ(PrefixBefore("=abx", '='), "");
  EXPECT_EQ(Substring("abc", 1, 10), "bc");
  EXPECT_EQ(Substring("abc", 3, 5), "");
  EXPECT_EQ(Substring("abc", 2, 1), "");
}

TEST(StringHelpers, TrimRemovesSpacesAndTabsOnly) {
  EXPECT_EQ(Trim(" \t \t"), "");
  EXPECT_EQ(Trim("\t a b \t"), "a b");
  EXPECT_EQ(Trim("\ra\n"), "\ra\n");
}

TEST(StringHelpers, CutComment) {
  EXPECT_EQ(CutComment("Title = a//b"), "Title = a");
  EXPECT_EQ(CutComment("// all"), "");
  EXPECT_EQ(CutComment("a / b"), "a / b");
}

struct NumberCase {
  const char* text;
  bool isNumber;
  bool parses;
  std::int32_t value;
  friend void PrintTo(const NumberCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }
};

class NumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberTest, SyntaxAndValue) {
  const NumberCase& c = GetParam();
  EXPECT_EQ(IsNumber(c.text), c.isNumber) << c.text;
  std::int32_t value = 12345;
  EXPECT_EQ(ParseNumber(c.text, value), c.parses) << c.text;
  if (c.parses) {
    EXPECT_EQ(value, c.value) << c.text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, NumberTest,
    ::testing::Values(NumberCase{"12", true, true, 12}, NumberCase{"-7", true, true, -7},
                      NumberCase{"3.5", true, true, 3}, NumberCase{".5", true, true, 0},
                      NumberCase{"-", true, true, 0}, NumberCase{".", true, true, 0},
                      NumberCase{"1-2", false, false, 0}, NumberCase{"1.2.3", false, false, 0},
                      NumberCase{"+4", false, false, 0}, NumberCase{"", false, false, 0},
                      NumberCase{"12a", false, false, 0},
                      NumberCase{"2147483647", true, true, INT32_MAX},
                      NumberCase{"-2147483648", true, true, INT32_MIN},
                      NumberCase{"2147483648", true, false, 0},
                      NumberCase{"-2147483649", true, false, 0},
                      NumberCase{"99999999999999999999999", true, false, 0},
                      NumberCase{"2147483647.99", true, true, INT32_MAX}));

TEST(StringHelpers, VoicePart) {
  VoiceSplit s = SplitVoicePart("[ hello.acm ] Captain: Welcome");
  EXPECT_EQ(s.voice, "hello.acm");
  EXPECT_EQ(s.rest, "Captain: Welcome");
  s = SplitVoicePart("[hello.acm Captain: Welcome");
  EXPECT_EQ(s.voice, "");
  EXPECT_EQ(s.rest, "[hello.acm Captain: Welcome");
  s = SplitVoicePart("Captain: [x]");
  EXPECT_EQ(s.rest, "Captain: [x]");
}

TEST(StringHelpers, CaseIsIgnoredForAsciiLettersOnly) {
  EXPECT_TRUE(EqualsIgnoreCase("Sol", "sOL"));
  EXPECT_FALSE(EqualsIgnoreCase("Sol", "Sol "));
  EXPECT_FALSE(EqualsIgnoreCase("\xC9", "\xE9"));
}

}  // namespace
}  // namespace vk7
