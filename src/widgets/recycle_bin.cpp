#include "widgets/recycle_bin.h"

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>

#include <string>
#endif

namespace vk7 {

#ifdef _WIN32
long long RecycleBinItems(const std::filesystem::path& file) {
  std::error_code ec;
  const std::wstring root = std::filesystem::absolute(file, ec).root_path().native();
  SHQUERYRBINFO info{};
  info.cbSize = sizeof(info);
  if (ec || FAILED(SHQueryRecycleBinW(root.c_str(), &info))) return -1;
  return info.i64NumItems;
}

bool MoveToRecycleBin(const std::filesystem::path& file) {
  // Where the drive has no bin, the shell deletes without asking: not even tried there.
  const long long before = RecycleBinItems(file);
  if (before < 0) return false;
  std::error_code ec;
  std::wstring from = std::filesystem::absolute(file, ec).native();
  if (ec) return false;
  from.push_back(L'\0');  // a list of names, ended by an empty one
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  if (SHFileOperationW(&operation) != 0 || operation.fAnyOperationsAborted) return false;
  // The shell says nothing of a file it could not recycle and deleted instead; the bin's count
  // does.
  return !std::filesystem::exists(file, ec) && RecycleBinItems(file) > before;
}
#else
long long RecycleBinItems(const std::filesystem::path&) {
  return -1;
}

bool MoveToRecycleBin(const std::filesystem::path&) {
  return false;
}
#endif

}  // namespace vk7
