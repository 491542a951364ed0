#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace vk7 {

// Battle files, catalogs and the index are Windows-1252 text. Widgets show QString, so every
// text crosses that boundary here and nowhere else.
QString FromCp1252(std::string_view bytes);

// The Windows-1252 bytes of `text`. A character that Windows-1252 cannot hold becomes "?";
// `lossy` (when given) is set, never cleared, so one warning can cover several fields.
std::string ToCp1252(const QString& text, bool* lossy = nullptr);

// Multi-line text for an edit: CR LF line ends become line breaks. A CR that ends no line is
// text a battle file can hold, but an edit would take it for a line break, so it is shown as
// the visible control picture U+240D instead.
QString FromCp1252Lines(std::string_view bytes);

// An edit's raw text back into bytes with CR LF line ends: line and paragraph separators and
// LF end a line, the CR picture is a CR again, and nothing else (no-break spaces included) is
// touched.
std::string ToCp1252Lines(const QString& raw, bool* lossy = nullptr);

}  // namespace vk7
