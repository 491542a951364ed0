#include "support/run_vk7.h"

#ifdef __linux__
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace vk7::test {

#ifdef __linux__
namespace {

bool WriteProcFile(const char* file, const std::string& text) {
  const int fd = open(file, O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  close(fd);
  return ok;
}

// In the calling process only: `dir` becomes a read-only view of itself.
bool MakeReadOnlyView(const std::filesystem::path& dir) {
  if (unshare(CLONE_NEWNS) != 0) {
    // A user without the right to mount gets it inside a user namespace of their own.
    const std::string uid = std::to_string(getuid());
    const std::string gid = std::to_string(getgid());
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
    WriteProcFile("/proc/self/setgroups", "deny");
    if (!WriteProcFile("/proc/self/uid_map", "0 " + uid + " 1") ||
        !WriteProcFile("/proc/self/gid_map", "0 " + gid + " 1")) {
      return false;
    }
  }
  return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
         mount(dir.c_str(), dir.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
         mount(nullptr, dir.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0 &&
         access(dir.c_str(), W_OK) != 0 && errno == EROFS;
}

}  // namespace

std::optional<ToolRun> Vk7OnReadOnlyFolder(const std::filesystem::path& dir,
                                           const std::vector<std::string>& args) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return std::nullopt;
  const pid_t child = fork();
  if (child == 0) {
    close(pipeEnds[0]);
    if (!MakeReadOnlyView(dir)) _exit(2);
    try {
      const ToolRun run = Vk7(args);
      const std::string sent = std::to_string(run.status) + '\n' + std::to_string(run.out.size()) +
                               '\n' + run.out + run.err;
      _exit(write(pipeEnds[1], sent.data(), sent.size()) == static_cast<ssize_t>(sent.size()) ? 0
                                                                                              : 1);
    } catch (...) {
      _exit(1);
    }
  }
  close(pipeEnds[1]);
  std::string received;
  char buffer[4096];
  for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
    received.append(buffer, static_cast<std::size_t>(n));
  }
  close(pipeEnds[0]);
  int waitStatus = 0;
  if (child < 0 || waitpid(child, &waitStatus, 0) != child) return std::nullopt;
  if (WIFEXITED(waitStatus) && WEXITSTATUS(waitStatus) == 2) return std::nullopt;
  if (!WIFEXITED(waitStatus) || WEXITSTATUS(waitStatus) != 0) {
    return ToolRun{-1, "", "the tool's process failed"};
  }
  std::istringstream in(received);
  ToolRun run{};
  std::size_t outSize = 0;
  in >> run.status >> outSize;
  in.ignore(1);
  run.out.resize(outSize);
  in.read(run.out.data(), static_cast<std::streamsize>(outSize));
  run.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return run;
}
#else
std::optional<ToolRun> Vk7OnReadOnlyFolder(const std::filesystem::path&,
                                           const std::vector<std::string>&) {
  return std::nullopt;
}
#endif

}  // namespace vk7::test
