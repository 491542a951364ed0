#include "battle/string_helpers.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "battle/battle_syntax.h"
#include "battle/windows_1252.h"
#include "support/case_file.h"

namespace vk7 {
namespace {

// What the helper `name` gives for one input line, as the case file spells it.
std::string Apply(const std::string& name, const std::string& in) {
  const std::string a = in.substr(0, in.find('|'));
  const std::string b = in.substr(std::min(a.size() + 1, in.size()));
  if (name == "Token") return Token(in, 1) + "|" + Token(in, 2) + "|" + Token(in, 3);
  if (name == "Trim") return Trim(in);
  if (name == "CutComment") return std::string(CutComment(in));
  if (name == "IsUtf8") return IsUtf8(in) ? "yes" : "no";
  if (name == "EqualsIgnoreCase") return EqualsIgnoreCase(a, b) ? "yes" : "no";
  if (name == "SplitVoicePart") {
    const VoiceSplit split = SplitVoicePart(in);
    return std::string(split.voice) + "|" + std::string(split.rest);
  }
  throw std::invalid_argument("no helper named " + name);
}

class StringHelpersTest : public ::testing::TestWithParam<test_support::Case> {};

TEST_P(StringHelpersTest, GiveTheExpectedLines) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
  std::vector<std::string> got;
  for (const std::string& line : c.input) got.push_back(Apply(c.name, line));
  EXPECT_EQ(got, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, StringHelpersTest,
                         ::testing::ValuesIn(test_support::LoadCases("battle/cases/strings.txt")),
                         test_support::CaseName());

// The reader's column of the number fields' table (the pages' test runs the others).
TEST(ParseNumber, RefusesWhatIsNoNumberOrBeyond32Bits) {
  for (const test_support::Case& c : test_support::LoadCases("battle/cases/numbers.txt")) {
    ASSERT_EQ(c.input.size(), c.expected.size()) << c.where;
    for (std::size_t i = 0; i < c.input.size(); ++i) {
      std::int32_t value = 12345;  // a refusal leaves it alone
      const std::string got = ParseNumber(c.input[i], value) ? std::to_string(value)
                              : value == 12345               ? "no"
                                                             : "changed on refusal";
      EXPECT_EQ(got, c.expected[i].substr(0, c.expected[i].find(' '))) << c.inputWhere[i];
    }
  }
}

}  // namespace
}  // namespace vk7
