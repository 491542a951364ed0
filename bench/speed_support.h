#pragma once

// Timing against a baseline on the same bytes: CPU time, so that a loaded machine changes
// both sides alike, and child processes for whole runs of the built vk7.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vk7::bench {

// CPU seconds this process has used so far.
double ProcessSeconds();

// A plain line count of the file: reads it in large blocks and counts LF with memchr.
std::uint64_t CountLines(const std::filesystem::path& file);

// A plain fwrite of `bytes` to `file`.
void PlainWrite(const std::filesystem::path& file, const std::string& bytes);

struct ChildRun {
  int status = -1;
  double seconds = 0;       // user and system CPU time of the child
  std::int64_t peakKb = 0;  // its peak resident memory
};

// Runs `argv` with standard output sent to `output` (or /dev/null).
ChildRun RunChild(const std::vector<std::string>& argv, const std::string& output = "/dev/null");

}  // namespace vk7::bench
