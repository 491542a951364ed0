#pragma once

#include <cstdio>
#include <filesystem>

namespace vk7 {

// fopen for a std::filesystem path, wide on Windows so that any file name opens. A folder
// never opens, whatever the system.
std::FILE* OpenNativeFile(const std::filesystem::path& path, const char* mode);

}  // namespace vk7
