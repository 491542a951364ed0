#include "battle/text_line_file.h"

#include <algorithm>
#include <cstring>

#include "battle/native_file.h"

namespace vk7 {

namespace {
constexpr std::size_t kBufferSize = 1 << 16;
}

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
  buffer_.resize(kBufferSize);
  return true;
}

bool TextLineFile::OpenForWrite(const std::filesystem::path& path) {
  Close();
  handle_ = OpenNativeFile(path, "wb");
  if (handle_ == nullptr) return false;
  path_ = path;
  return true;
}

void TextLineFile::OpenMemory(std::string content) {
  Close();
  memory_ = true;
  buffer_.assign(content.begin(), content.end());
  end_ = buffer_.size();
}

bool TextLineFile::Refill() {
  if (handle_ == nullptr) return false;
  pos_ = 0;
  end_ = std::fread(buffer_.data(), 1, buffer_.size(), handle_);
  return end_ > 0;
}

bool TextLineFile::ReadLine(std::string& line) {
  line.clear();
  if (!IsOpen()) return false;
  // Up to one character beyond the limit is kept so that a CR at the cut can still be told
  // apart from text.
  bool any = false;
  std::size_t length = 0;
  char last = '\0';
  for (;;) {
    if (pos_ == end_ && !Refill()) {
      if (!any) return false;
      break;  // last line without LF: nothing is stripped
    }
    any = true;
    const char* start = buffer_.data() + pos_;
    const std::size_t available = end_ - pos_;
    const void* found = std::memchr(start, '\n', available);
    const std::size_t n = found != nullptr
                              ? static_cast<std::size_t>(static_cast<const char*>(found) - start)
                              : available;
    if (n > 0) {
      if (line.size() <= kMaxLine) line.append(start, std::min(n, kMaxLine + 1 - line.size()));
      length += n;
      last = start[n - 1];
    }
    if (found != nullptr) {
      pos_ += n + 1;
      if (length > 0 && last == '\r') {
        --length;
        if (line.size() > length) line.resize(length);
      }
      break;
    }
    pos_ = end_;
  }
  if (line.size() > kMaxLine) line.resize(kMaxLine);
  return true;
}

bool TextLineFile::WriteLine(std::string_view text) {
  if (handle_ == nullptr) return false;
  if (std::fwrite(text.data(), 1, text.size(), handle_) != text.size()) return false;
  return std::fwrite("\r\n", 1, 2, handle_) == 2;
}

bool TextLineFile::Rewrite() {
  if (handle_ == nullptr) return false;
  const std::filesystem::path path = path_;
  Close();
  return OpenForWrite(path);
}

bool TextLineFile::Close() {
  bool ok = true;
  if (handle_ != nullptr) {
    ok = std::fclose(handle_) == 0;
    handle_ = nullptr;
  }
  memory_ = false;
  buffer_.clear();
  pos_ = 0;
  end_ = 0;
  return ok;
}

}  // namespace vk7
