#include "battle/native_file.h"

#include <string>

#ifndef _WIN32
#include <sys/stat.h>

#include <cerrno>
#endif

namespace vk7 {

std::FILE* OpenNativeFile(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
  std::wstring wideMode;
  for (const char* m = mode; *m != '\0'; ++m) wideMode.push_back(static_cast<wchar_t>(*m));
  return _wfopen(path.c_str(), wideMode.c_str());
#else
  std::FILE* file = std::fopen(path.c_str(), mode);
  // A folder opens for reading here (only its reads fail, so it would read as an empty file);
  // refused, as Windows refuses it.
  struct stat status;
  if (file != nullptr && fstat(fileno(file), &status) == 0 && S_ISDIR(status.st_mode)) {
    std::fclose(file);
    errno = EISDIR;
    return nullptr;
  }
  return file;
#endif
}

bool OpensForUpdate(const std::filesystem::path& path) {
  std::FILE* file = OpenNativeFile(path, "r+b");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

}  // namespace vk7
