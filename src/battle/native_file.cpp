#include "battle/native_file.h"

#include <string>

namespace vk7 {

std::FILE* OpenNativeFile(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
  std::wstring wideMode;
  for (const char* m = mode; *m != '\0'; ++m) wideMode.push_back(static_cast<wchar_t>(*m));
  return _wfopen(path.c_str(), wideMode.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

}  // namespace vk7
