#include "widgets/cp1252.h"

#include <optional>

#include "battle/windows_1252.h"

namespace vk7 {

namespace {

// What an edit shows for a CR inside a line.
constexpr char16_t kCrPicture = 0x240D;

}  // namespace

QString FromCp1252(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  // Undefined bytes keep their value (as C1 controls) so that they survive a round trip.
  for (const char c : bytes) text.append(QChar(Cp1252ToUnicode(c)));
  return text;
}

std::string ToCp1252(const QString& text, bool* lossy) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t unit = text.at(i).unicode();
    const std::optional<char> found = UnicodeToCp1252(unit);
    const char byte = found ? *found : '?';
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
