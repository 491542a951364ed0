#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Small text helpers shared by every file format. Blanks are the space and the tab only;
// everything else, line ends included, is ordinary text. Text is single-byte and kept as is.
namespace vk7 {

inline constexpr std::string_view kBlanks = " \t";

inline bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string Trim(std::string_view source);
inline std::string_view TrimView(std::string_view source) {
  std::size_t begin = 0;
  std::size_t end = source.size();
  while (begin < end && IsBlank(source[begin])) ++begin;
  while (end > begin && IsBlank(source[end - 1])) --end;
  return source.substr(begin, end - begin);
}

// The n-th (from 1) maximal run of non-blank characters; empty when there are fewer.
std::string Token(std::string_view source, int n);
std::string_view TokenView(std::string_view source, int n);

// Digits with an optional leading "-" and at most one "." anywhere.
bool IsNumber(std::string_view text);

// The one reading of a decimal number, for the reader and every number field: an optional "-",
// then the digits up to the first other character (none read as 0). `value` is the number, or
// the nearest 32-bit value when it lies beyond (`fits` then false); each field decides what it
// does with such a number.
struct Decimal {
  std::int32_t value = 0;
  bool fits = true;
};
Decimal ReadDecimal(std::string_view text);

// The value of a text that IsNumber accepts. False when the text is no number or the value
// does not fit a signed 32-bit integer: the battle file refuses both.
bool ParseNumber(std::string_view text, std::int32_t& value);

// Letter case is ignored for ASCII letters only, as the game does.
char ToLowerAscii(char c);
std::string ToLowerAscii(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace vk7
