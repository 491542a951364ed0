#include "speed_support.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

namespace vk7::bench {

#ifdef _WIN32
double ProcessSeconds() {
  return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// Child runs are timed on POSIX systems only.
ChildRun RunChild(const std::vector<std::string>&, const std::string&) {
  return {};
}
#else
double ProcessSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

#endif

std::uint64_t CountLines(const std::filesystem::path& file) {
  std::FILE* f = std::fopen(file.string().c_str(), "rb");
  if (f == nullptr) return 0;
  std::vector<char> buffer(1 << 18);
  std::uint64_t lines = 0;
  for (;;) {
    const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), f);
    if (got == 0) break;
    const char* p = buffer.data();
    const char* end = p + got;
    while ((p = static_cast<const char*>(
                std::memchr(p, '\n', static_cast<std::size_t>(end - p)))) != nullptr) {
      ++lines;
      ++p;
    }
  }
  std::fclose(f);
  return lines;
}

void PlainWrite(const std::filesystem::path& file, const std::string& bytes) {
  std::FILE* f = std::fopen(file.string().c_str(), "wb");
  if (f == nullptr) return;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

#ifndef _WIN32
ChildRun RunChild(const std::vector<std::string>& argv, const std::string& output) {
  ChildRun run;
  const pid_t pid = fork();
  if (pid == 0) {
    const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) dup2(fd, 1);
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, 2);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  if (pid < 0) return run;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return run;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.seconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
  run.peakKb = usage.ru_maxrss;
  return run;
}

#endif

}  // namespace vk7::bench
