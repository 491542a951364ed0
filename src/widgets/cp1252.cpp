#include "widgets/cp1252.h"

#include <array>

namespace vk7 {

namespace {

// Bytes 0x80 to 0x9F; 0 where Windows-1252 defines no character.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// What an edit shows for a CR inside a line.
constexpr char16_t kCrPicture = 0x240D;

}  // namespace

QString FromCp1252(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    char16_t unit = b;
    // Undefined bytes keep their value (as C1 controls) so that they survive a round trip.
    if (b >= 0x80 && b < 0xA0 && kHighControls[b - 0x80] != 0) unit = kHighControls[b - 0x80];
    text.append(QChar(unit));
  }
  return text;
}

std::string ToCp1252(const QString& text, bool* lossy) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t unit = text.at(i).unicode();
    char byte = '?';
    bool found = false;
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
      byte = static_cast<char>(unit);
      found = true;
    } else if (unit >= 0x80 && unit < 0xA0 && kHighControls[unit - 0x80] == 0) {
      byte = static_cast<char>(unit);  // an undefined byte read from a file, kept as it was
      found = true;
    } else {
      for (std::size_t k = 0; k < kHighControls.size(); ++k) {
        if (kHighControls[k] != 0 && kHighControls[k] == unit) {
          byte = static_cast<char>(0x80 + k);
          found = true;
          break;
        }
      }
    }
    if (!found) {
      if (lossy != nullptr) *lossy = true;
      // A character outside the basic plane is one "?", not two.
      if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
          QChar::isLowSurrogate(text.at(i + 1).unicode())) {
        ++i;
      }
    }
    bytes.push_back(byte);
  }
  return bytes;
}

QString FromCp1252Lines(std::string_view bytes) {
  QString text = FromCp1252(bytes);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar(u'\r'), QChar(kCrPicture));
  return text;
}

std::string ToCp1252Lines(const QString& raw, bool* lossy) {
  QString text;
  text.reserve(raw.size() + raw.size() / 8);
  for (const QChar c : raw) {
    switch (c.unicode()) {
      case QChar::ParagraphSeparator:
      case QChar::LineSeparator:
      case u'\n':
        text.append(QStringLiteral("\r\n"));
        break;
      case kCrPicture:
        text.append(QChar(u'\r'));
        break;
      default:
        text.append(c);
    }
  }
  return ToCp1252(text, lossy);
}

}  // namespace vk7
