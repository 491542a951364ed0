#include "pages/action_time.h"

#include <gtest/gtest.h>

#include <limits>

namespace vk7 {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(ActionTime, ReadsLeadingDigitsAndRefusesOnlyEmptyText) {
  const struct {
    std::string text;
    std::optional<std::int32_t> time;
  } cases[] = {
      {"", std::nullopt},
      {"  ", std::nullopt},
      {"0", 0},
      {"30", 30},
      {"007", 7},
      {"12ab", 12},
      {"abc", 0},
      {"-5", 0},
      {"2147483647", kMax},
      // Beyond the 32-bit range the time is clamped, never wrapped.
      {"2147483648", kMax},
      {"99999999999999999999999", kMax},
      // Only the first 254 characters count.
      {std::string(254, '0') + "5", 0},
      {std::string(253, '0') + "5", 5},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadActionTime(c.text), c.time) << "'" << c.text << "'";
  }
}

TEST(ActionTime, ShowsNegativeTimesAsZero) {
  EXPECT_EQ(FormatActionTime(0), "0");
  EXPECT_EQ(FormatActionTime(45), "45");
  EXPECT_EQ(FormatActionTime(kMax), "2147483647");
  EXPECT_EQ(FormatActionTime(-1), "0");
  EXPECT_EQ(FormatActionTime(std::numeric_limits<std::int32_t>::min()), "0");
}

}  // namespace
}  // namespace vk7
