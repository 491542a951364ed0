#pragma once

#include <QString>
#include <filesystem>

namespace vk7 {

// File names between Qt and std::filesystem without losing characters on either system.
std::filesystem::path ToPath(const QString& text);
QString FromPath(const std::filesystem::path& path);

}  // namespace vk7
