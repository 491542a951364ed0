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

}  // namespace vk7
