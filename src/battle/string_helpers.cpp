#include "battle/string_helpers.h"

#include <algorithm>

namespace vk7 {

std::string Trim(std::string_view source) {
  return std::string(TrimView(source));
}

std::string Token(std::string_view source, int n) {
  return std::string(TokenView(source, n));
}

std::string_view TokenView(std::string_view source, int n) {
  std::size_t i = 0;
  const std::size_t size = source.size();
  for (int k = 1;; ++k) {
    while (i < size && IsBlank(source[i])) ++i;
    if (i == size) break;
    const std::size_t start = i;
    while (i < size && !IsBlank(source[i])) ++i;
    if (k == n) return source.substr(start, i - start);
  }
  return {};
}

bool IsNumber(std::string_view text) {
  if (text.empty()) return false;
  bool point = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') continue;
    if (c == '-' && i == 0) continue;
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    return false;
  }
  return true;
}

Decimal ReadDecimal(std::string_view text) {
  const bool negative = text.starts_with('-');
  // A 64-bit magnitude that stops growing once it is past the 32-bit range.
  constexpr std::int64_t kBeyond = std::int64_t{INT32_MAX} + 2;
  std::int64_t magnitude = 0;
  for (const char c : text.substr(negative ? 1 : 0)) {
    if (c < '0' || c > '9') break;
    magnitude = std::min(magnitude * 10 + (c - '0'), kBeyond);
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  const std::int64_t clamped = std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX);
  return Decimal{static_cast<std::int32_t>(clamped), clamped == value};
}

bool ParseNumber(std::string_view text, std::int32_t& value) {
  const Decimal number = ReadDecimal(text);
  if (!IsNumber(text) || !number.fits) return false;
  value = number.value;
  return true;
}

char ToLowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string ToLowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = ToLowerAscii(c);
  return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b,
                            [](char x, char y) { return ToLowerAscii(x) == ToLowerAscii(y); });
}

}  // namespace vk7
