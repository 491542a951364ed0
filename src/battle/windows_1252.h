#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Battle names, like all text of the game, are Windows-1252. Under Wine (and in the file
// manager) a file name is UTF-8 on Linux and UTF-16 on Windows, so a name is converted whenever
// it becomes a path and whenever a path becomes a name again.
namespace vk7 {

// The character of one byte, and the byte of a character (nothing when Windows-1252 lacks it).
char16_t Cp1252ToUnicode(char byte);
std::optional<char> UnicodeToCp1252(char32_t c);

// Every byte has a character; the five bytes Windows-1252 leaves undefined stand for the
// control characters of the same value, as Windows converts them.
std::string Cp1252ToUtf8(std::string_view bytes);
std::wstring Cp1252ToWide(std::string_view bytes);
// Nothing when the text is not well-formed or holds a character Windows-1252 lacks.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);
std::optional<std::string> WideToCp1252(std::wstring_view wide);
bool IsUtf8(std::string_view bytes);

// Letter case as Windows ignores it in file names: the ASCII letters and those of Windows-1252
// beyond them (é/É, š/Š, œ/Œ, ÿ/Ÿ ...).
std::string FoldCaseCp1252(std::string_view name);
// Whether two names stand for the same file on Windows.
bool SameFileName(std::string_view a, std::string_view b);

// The spelling on disk of a Windows-1252 file name: UTF-8 on Linux, UTF-16 on Windows.
std::filesystem::path NativeFileName(std::string_view name);
// Where a file of that name may lie: NativeFileName first; on Linux then the single-byte
// spelling that files copied without conversion (and earlier versions of this program) carry,
// unless those bytes read as UTF-8.
std::vector<std::filesystem::path> NativeSpellings(std::string_view name);
// The Windows-1252 name of a file name found on disk. On Linux a name that is not UTF-8 was
// written in the single-byte spelling and is taken as it stands. Nothing when it holds a
// character Windows-1252 lacks.
std::optional<std::string> Cp1252FileName(const std::filesystem::path& fileName);

}  // namespace vk7
