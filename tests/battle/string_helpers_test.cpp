#include "battle/string_helpers.h"

#include <gtest/gtest.h>

#include <string>

#include "support/case_file.h"

namespace vk7 {
namespace {

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
