#include "battle/windows_1252.h"

#include <array>

namespace vk7 {

namespace {

// The characters of bytes 0x80 to 0x9F; an undefined byte keeps its own value.
constexpr auto kHighControls = std::to_array<char16_t>(
    {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
     0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
     0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178});
static_assert(kHighControls.size() == 0xA0 - 0x80);

// The character that starts at `i`, which moves past it; nothing when the bytes there are no
// well-formed UTF-8 (overlong forms and surrogates included).
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  // The lead byte's high bits give the count of continuation bytes: 110xxxxx one, 1110xxxx
  // two, 11110xxx three; the smallest character of each length rules out overlong forms.
  const int extra = (lead & 0xE0) == 0xC0   ? 1
                    : (lead & 0xF0) == 0xE0 ? 2
                    : (lead & 0xF8) == 0xF0 ? 3
                                            : 0;
  if (extra == 0) return std::nullopt;
  constexpr char32_t kLeast[] = {0x80, 0x800, 0x10000};
  const char32_t least = kLeast[extra - 1];
  char32_t c = lead & (0x3F >> extra);
  for (int left = extra; left > 0; --left) {
    if (i >= text.size()) return std::nullopt;
    const auto next = static_cast<unsigned char>(text[i++]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (next & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  return c;
}

char FoldCase(char c) {
  const auto b = static_cast<unsigned char>(c);
  if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7)) {
    return static_cast<char>(b + 0x20);
  }
  switch (b) {
    case 0x8A:  // Š
    case 0x8C:  // Œ
    case 0x8E:  // Ž
      return static_cast<char>(b + 0x10);
    case 0x9F:  // Ÿ
      return static_cast<char>(0xFF);
    default:
      return c;
  }
}

}  // namespace

char16_t Cp1252ToUnicode(char byte) {
  const auto b = static_cast<unsigned char>(byte);
  return b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : b;
}

std::optional<char> UnicodeToCp1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t k = 0; k < kHighControls.size(); ++k) {
    if (kHighControls[k] == c) return static_cast<char>(0x80 + k);
  }
  return std::nullopt;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string utf8;
  utf8.reserve(bytes.size());
  for (const char byte : bytes) {
    const char16_t c = Cp1252ToUnicode(byte);
    if (c < 0x80) {
      utf8.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      utf8.push_back(static_cast<char>(0xC0 | (c >> 6)));
      utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      utf8.push_back(static_cast<char>(0xE0 | (c >> 12)));
      utf8.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return utf8;
}

std::wstring Cp1252ToWide(std::string_view bytes) {
  std::wstring wide;
  wide.reserve(bytes.size());
  for (const char byte : bytes) wide.push_back(static_cast<wchar_t>(Cp1252ToUnicode(byte)));
  return wide;
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
  std::string bytes;
  bytes.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const std::optional<char32_t> c = NextCodePoint(utf8, i);
    const std::optional<char> byte = c ? UnicodeToCp1252(*c) : std::nullopt;
    if (!byte) return std::nullopt;
    bytes.push_back(*byte);
  }
  return bytes;
}

std::optional<std::string> WideToCp1252(std::wstring_view wide) {
  std::string bytes;
  bytes.reserve(wide.size());
  for (const wchar_t unit : wide) {
    // A surrogate half is no character of Windows-1252 either.
    const std::optional<char> byte = UnicodeToCp1252(static_cast<char32_t>(unit));
    if (!byte) return std::nullopt;
    bytes.push_back(*byte);
  }
  return bytes;
}

bool IsUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    if (!NextCodePoint(bytes, i)) return false;
  }
  return true;
}

std::string FoldCaseCp1252(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = FoldCase(c);
  return folded;
}

bool SameFileName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

std::filesystem::path NativeFileName(std::string_view name) {
#ifdef _WIN32
  return std::filesystem::path(Cp1252ToWide(name));
#else
  return std::filesystem::path(Cp1252ToUtf8(name));
#endif
}

std::vector<std::filesystem::path> NativeSpellings(std::string_view name) {
  std::vector<std::filesystem::path> spellings{NativeFileName(name)};
#ifndef _WIN32
  // Bytes that read as UTF-8 spell another name (as Cp1252FileName reads them back).
  if (!IsUtf8(name)) spellings.emplace_back(std::string(name));
#endif
  return spellings;
}

std::optional<std::string> Cp1252FileName(const std::filesystem::path& fileName) {
#ifdef _WIN32
  return WideToCp1252(fileName.native());
#else
  const std::string& bytes = fileName.native();
  if (std::optional<std::string> name = Utf8ToCp1252(bytes)) return name;
  if (!IsUtf8(bytes)) return bytes;
  return std::nullopt;
#endif
}

}  // namespace vk7
