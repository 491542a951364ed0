#pragma once

#include <QSettings>
#include <QStandardPaths>
#include <QVariant>
#include <map>

#include "app/flow_support.h"

namespace vk7::test {

// Keeps the user's own stored game folder out of a test's way, and the test's out of the
// user's: a fresh settings folder on Linux; on Windows the registry keys, emptied for the test
// and given back their values after it.
class StoredSettings {
 public:
#ifdef _WIN32
  static constexpr const char* kMachineKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\VelkorEdit\\ZRPath";
  static constexpr const char* kUserKey = "HKEY_CURRENT_USER\\SOFTWARE\\VelkorEdit\\ZRPath";

  StoredSettings() {
    for (const char* key : {kMachineKey, kUserKey}) {
      QSettings settings(key, QSettings::NativeFormat);
      for (const QString& name : settings.childKeys()) saved_[key][name] = settings.value(name);
      settings.remove("");
    }
  }
  ~StoredSettings() {
    for (const char* key : {kMachineKey, kUserKey}) {
      QSettings settings(key, QSettings::NativeFormat);
      settings.remove("");
      for (const auto& [name, value] : saved_[key]) settings.setValue(name, value);
    }
  }

 private:
  std::map<const char*, std::map<QString, QVariant>> saved_;
#else
  // QSettings takes its folder from XDG_CONFIG_HOME once per process, so the folder is also set
  // explicitly for the case that an earlier test used it.
  StoredSettings() {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, Q(config_.Path().string()));
  }
  ~StoredSettings() {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
  }

 private:
  TempDir config_;
  ScopedEnv configHome_{"XDG_CONFIG_HOME", config_.Path()};
#endif
};

}  // namespace vk7::test
