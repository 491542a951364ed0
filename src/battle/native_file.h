#pragma once

#include <cstdio>
#include <filesystem>

namespace vk7 {

// fopen for a std::filesystem path, wide on Windows so that any file name opens.
std::FILE* OpenNativeFile(const std::filesystem::path& path, const char* mode);

}  // namespace vk7
