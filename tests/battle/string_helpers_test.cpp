#include "battle/string_helpers.h"

#include <gtest/gtest.h>

#include <string>

#include "support/case_file.h"

namespace vk7 {
namespace {

// The reader's column of the number fields' table (the pages' test runs the others).
TEST(ParseNumber, RefusesWhatIsNoNumberOrBeyond32Bits) {
  for (const test_support::Case& c : test_support::LoadCases("battle/cases/numbers.txt")) {
    std::int32_t value = 12345;  // a refusal leaves it alone
    const std::string got = ParseNumber(c.input.at(0), value) ? std::to_string(value)
                            : value == 12345                  ? "no"
                                                              : "changed on refusal";
    EXPECT_EQ(got, c.expected.at(0)) << c.where;
  }
}

}  // namespace
}  // namespace vk7
