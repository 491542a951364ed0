// Where the game folder is kept between runs. On Windows, the registry: written to the machine's
// key, read from the user's key first (where it went when the machine's could not be written),
// as the key's first value whatever its name. (Elsewhere a settings file, which the main
// window's tests cover.)
#include "app/game_settings.h"

#include "app/stored_settings.h"

namespace vk7 {
namespace {

using namespace test;

#ifdef _WIN32
void Set(const char* key, const QString& name, const QString& value) {
  QSettings(key, QSettings::NativeFormat).setValue(name, value);
}

// Qt names the key's unnamed value ".".
QStringList Values(const char* key) {
  QSettings settings(key, QSettings::NativeFormat);
  QStringList values;
  for (const QString& name : settings.childKeys()) {
    values << name + "=" + settings.value(name).toString();
  }
  return values;
}

TEST(GameSettings, ReadTakesTheUsersKeyFirstAndAKeysDefaultValueOrElseItsFirst) {
  const StoredSettings settings;
  EXPECT_EQ(GameSettings::Read(), std::nullopt);
  Set(StoredSettings::kMachineKey, "!Path", "C:\\Games\\ZR\\");
  EXPECT_EQ(GameSettings::Read(), "C:\\Games\\ZR\\");  // a value set by hand, by another name
  Set(StoredSettings::kMachineKey, ".", "D:\\ZR");     // listed after "!Path"
  EXPECT_EQ(GameSettings::Read(), "D:\\ZR");           // unchanged: no backslash added
  Set(StoredSettings::kUserKey, "Default", "E:\\Mine\\");
  EXPECT_EQ(GameSettings::Read(), "E:\\Mine\\");
}

// Written as the machine key's default value; the user's own copy, now out of date, goes.
TEST(GameSettings, WriteStoresTheMachinesDefaultValueAndDropsTheUsers) {
  const StoredSettings settings;
  Set(StoredSettings::kUserKey, "Default", "E:\\Old\\");
  ASSERT_TRUE(GameSettings::Write("C:\\Games\\ZR\\"));
  EXPECT_EQ(Values(StoredSettings::kMachineKey), QStringList{".=C:\\Games\\ZR\\"});
  EXPECT_EQ(Values(StoredSettings::kUserKey), QStringList{});
  EXPECT_EQ(GameSettings::Read(), "C:\\Games\\ZR\\");
}
#endif

}  // namespace
}  // namespace vk7
