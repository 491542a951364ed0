#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vk7 {

// A line-oriented single-byte text file, read only: saves go through atomic_file.h. Lines end
// at LF; a CR right before the LF belongs to the line end. A line keeps at most 511
// characters; the rest of a longer line is read and dropped. Files are read in large blocks and
// lines are handed out as views into the block, so reading a line allocates nothing.
class TextLineFile {
 public:
  static constexpr std::size_t kMaxLine = 511;
  // Bytes read from a file at a time: large enough that a read of the whole file takes few
  // system calls.
  static constexpr std::size_t kBufferSize = 1 << 18;

  TextLineFile() = default;
  ~TextLineFile();
  TextLineFile(const TextLineFile&) = delete;
  TextLineFile& operator=(const TextLineFile&) = delete;

  // Opens an existing file in read-and-update mode: a file that may not be written does not
  // open, so whatever is opened here can be saved again.
  bool OpenForRead(const std::filesystem::path& path);
  // Opens an existing file for reading only: for files the program never writes.
  bool OpenForReadOnly(const std::filesystem::path& path);
  // Reads lines from `content` instead of a file (read-backs of saves, tests, fuzzing).
  void OpenMemory(std::string content);
  // Reads lines from bytes the caller keeps alive and unchanged until Close (no copy).
  void OpenView(std::string_view content);

  // Starts reading again from the first line. False when the source cannot go back (a pipe);
  // the position is then unchanged.
  bool Rewind();

  bool ReadLine(std::string& line);
  // The next line as a view that stays valid until the next read or Close.
  bool ReadLine(std::string_view& line);
  void Close();

  bool IsOpen() const { return handle_ != nullptr || memory_; }
  const std::filesystem::path& Path() const { return path_; }
  // The number of bytes the source held when it was opened (0 when unknown).
  std::uint64_t SizeHint() const { return sizeHint_; }

 private:
  bool Refill();
  bool OpenReading(const std::filesystem::path& path, const char* mode);
  std::string_view SkipRestOfLongLine();
  void Attach(std::string_view content);

  std::FILE* handle_ = nullptr;
  bool memory_ = false;
  bool eof_ = false;
  std::filesystem::path path_;
  std::string owned_;
  std::vector<char> buffer_;
  std::string longLine_;
  const char* data_ = nullptr;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  std::uint64_t sizeHint_ = 0;
};

}  // namespace vk7
