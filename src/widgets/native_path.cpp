#include "widgets/native_path.h"

#include <QDir>

namespace vk7 {

std::filesystem::path ToPath(const QString& text) {
  const QString native = QDir::toNativeSeparators(text);
#ifdef _WIN32
  return std::filesystem::path(native.toStdWString());
#else
  return std::filesystem::path(native.toLocal8Bit().toStdString());
#endif
}

QString FromPath(const std::filesystem::path& path) {
#ifdef _WIN32
  return QString::fromStdWString(path.wstring());
#else
  return QString::fromLocal8Bit(path.string());
#endif
}

}  // namespace vk7
