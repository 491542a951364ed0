#include "battle/text_line_file.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "battle/native_file.h"

namespace vk7 {

namespace {
// A line as read: a CR before the LF is dropped, and the line is cut to its limit. For a
// line beyond the limit the CR does not matter, as the cut removes it anyway.
std::string_view Finish(const char* start, std::size_t n, bool endedByLf) {
  if (endedByLf && std::string_view(start, n).ends_with('\r')) --n;
  return std::string_view(start, std::min(n, TextLineFile::kMaxLine));
}
}  // namespace

TextLineFile::~TextLineFile() {
  Close();
}

bool TextLineFile::OpenForRead(const std::filesystem::path& path) {
  return OpenReading(path, "r+b");
}

bool TextLineFile::OpenForReadOnly(const std::filesystem::path& path) {
  return OpenReading(path, "rb");
}

bool TextLineFile::OpenReading(const std::filesystem::path& path, const char* mode) {
  Close();
  handle_ = OpenNativeFile(path, mode);
  if (handle_ == nullptr) return false;
  path_ = path;
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  sizeHint_ = error ? 0 : static_cast<std::uint64_t>(size);
  buffer_.resize(kBufferSize);
  data_ = buffer_.data();
  return true;
}

void TextLineFile::OpenMemory(std::string content) {
  Close();
  owned_ = std::move(content);
  Attach(owned_);
}

void TextLineFile::OpenView(std::string_view content) {
  Close();
  Attach(content);
}

void TextLineFile::Attach(std::string_view content) {
  memory_ = true;
  eof_ = true;
  data_ = content.data();
  end_ = content.size();
  sizeHint_ = content.size();
}

// Keeps the unfinished line at the front of the buffer and fills the rest from the file.
bool TextLineFile::Refill() {
  if (eof_) return false;  // also in memory, which has no more to read
  const std::size_t kept = end_ - pos_;
  std::memmove(buffer_.data(), buffer_.data() + pos_, kept);
  pos_ = 0;
  end_ = kept;
  const std::size_t got = std::fread(buffer_.data() + kept, 1, buffer_.size() - kept, handle_);
  end_ += got;
  eof_ = got == 0;
  return !eof_;
}

// The buffer holds more than the limit of a line without its LF: the line is cut, so only
// its start is kept and the rest is skipped block by block.
std::string_view TextLineFile::SkipRestOfLongLine() {
  longLine_.assign(data_ + pos_, kMaxLine);
  pos_ = end_;
  for (;;) {
    if (!Refill()) break;
    const void* found = std::memchr(data_, '\n', end_);
    if (found != nullptr) {
      pos_ = static_cast<std::size_t>(static_cast<const char*>(found) - data_) + 1;
      break;
    }
    pos_ = end_;
  }
  return longLine_;
}

bool TextLineFile::ReadLine(std::string_view& line) {
  line = {};
  if (!IsOpen()) return false;
  for (;;) {
    const char* start = data_ + pos_;
    const std::size_t available = end_ - pos_;
    const void* found = available != 0 ? std::memchr(start, '\n', available) : nullptr;
    if (found != nullptr) {
      const auto n = static_cast<std::size_t>(static_cast<const char*>(found) - start);
      pos_ += n + 1;
      line = Finish(start, n, true);
      return true;
    }
    if (available > kMaxLine && !memory_) {
      line = SkipRestOfLongLine();
      return true;
    }
    if (!Refill()) {
      // Last line without LF: nothing is stripped.
      if (end_ == pos_) return false;
      start = data_ + pos_;
      const std::size_t n = end_ - pos_;
      pos_ = end_;
      line = Finish(start, n, false);
      return true;
    }
  }
}

bool TextLineFile::Rewind() {
  if (memory_) {
    pos_ = 0;
    return true;
  }
  if (handle_ == nullptr || std::fseek(handle_, 0, SEEK_SET) != 0) return false;
  std::clearerr(handle_);
  eof_ = false;
  pos_ = 0;
  end_ = 0;
  return true;
}

bool TextLineFile::ReadLine(std::string& line) {
  std::string_view view;
  const bool ok = ReadLine(view);
  line.assign(view);
  return ok;
}

void TextLineFile::Close() {
  if (handle_ != nullptr) {
    std::fclose(handle_);  // nothing was written, so nothing can be lost here
    handle_ = nullptr;
  }
  memory_ = false;
  eof_ = false;
  owned_ = {};  // their memory goes too
  buffer_ = {};
  longLine_.clear();
  data_ = nullptr;
  pos_ = 0;
  end_ = 0;
  sizeHint_ = 0;
}

}  // namespace vk7
