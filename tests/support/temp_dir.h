#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vk7::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  // Writes `bytes` to `name` (folders created as needed) and returns its path.
  std::filesystem::path Write(const std::filesystem::path& name, std::string_view bytes) const;

 private:
  std::filesystem::path path_;
};

std::string ReadBytes(const std::filesystem::path& file);

// The file name spelled `utf8` as a name on disk: those bytes on Linux, UTF-16 on Windows
// (where a narrow name would be read in the ANSI code page).
inline std::filesystem::path Utf8Path(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace vk7::test
