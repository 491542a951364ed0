#include "app/game_settings.h"

#include <QSettings>
#include <QStringList>

namespace vk7 {

namespace {

#ifdef _WIN32
constexpr const char* kMachineKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\VelkorEdit\\ZRPath";
constexpr const char* kUserKey = "HKEY_CURRENT_USER\\SOFTWARE\\VelkorEdit\\ZRPath";

// The key's unnamed value, the one the editor writes; else its first value, whatever its name.
// Qt lists the unnamed value as ".".
std::optional<QString> FirstValue(const char* key) {
  QSettings settings(key, QSettings::NativeFormat);
  const QStringList names = settings.childKeys();
  if (names.isEmpty()) return std::nullopt;
  const QString name = names.contains(".") ? QString(".") : names.front();
  return settings.value(name).toString();
}

bool WriteDefault(const char* key, const QString& folder) {
  QSettings settings(key, QSettings::NativeFormat);
  if (!settings.isWritable()) return false;
  settings.setValue("Default", folder);
  settings.sync();
  return settings.status() == QSettings::NoError;
}
#else
QSettings UserSettings() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, "VelkorEdit", "ZRPath");
}
#endif

}  // namespace

std::optional<QString> GameSettings::Read() {
#ifdef _WIN32
  // A user without the right to write the machine-wide key keeps the folder in their own.
  if (auto own = FirstValue(kUserKey)) return own;
  return FirstValue(kMachineKey);
#else
  QSettings settings = UserSettings();
  if (!settings.contains("GameDirectory")) return std::nullopt;
  return settings.value("GameDirectory").toString();
#endif
}

bool GameSettings::Write(const QString& folder) {
#ifdef _WIN32
  if (WriteDefault(kMachineKey, folder)) {
    QSettings(kUserKey, QSettings::NativeFormat).remove("Default");
    return true;
  }
  return WriteDefault(kUserKey, folder);
#else
  QSettings settings = UserSettings();
  settings.setValue("GameDirectory", folder);
  settings.sync();
  return settings.status() == QSettings::NoError;
#endif
}

}  // namespace vk7
