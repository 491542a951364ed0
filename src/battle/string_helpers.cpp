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

bool ParseNumber(std::string_view text, std::int32_t& value) {
  if (!IsNumber(text)) return false;
  const bool negative = text[0] == '-';
  // Accumulate as a negative number so that the most negative value fits.
  std::int64_t v = 0;
  for (const char digit : text.substr(negative ? 1 : 0)) {
    if (digit < '0' || digit > '9') break;  // a fraction is dropped
    v = v * 10 - (digit - '0');
    if (v < INT32_MIN) return false;
  }
  if (!negative) {
    v = -v;
    if (v > INT32_MAX) return false;
  }
  value = static_cast<std::int32_t>(v);
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
