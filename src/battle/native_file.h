#pragma once

#include <cstdio>
#include <filesystem>

namespace vk7 {

// fopen for a std::filesystem path, wide on Windows so that any file name opens. A folder
// never opens, whatever the system.
std::FILE* OpenNativeFile(const std::filesystem::path& path, const char* mode);

// Whether `path` is a file that opens for reading and writing: what the editor counts as an
// existing battle file, and what a save checks before it replaces a file.
bool OpensForUpdate(const std::filesystem::path& path);

}  // namespace vk7
