#pragma once

#ifdef __linux__
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <vector>

namespace vk7::test {

// Runs `work` in a child process as `user` with the primary `group` and the `others` groups
// (root only). Its result (0 to 254), 255 when the process could not become that user, or -1
// when it did not end normally.
inline int AsUser(uid_t user, gid_t group, const std::vector<gid_t>& others,
                  const std::function<int()>& work) {
  const pid_t child = fork();
  if (child == 0) {
    _exit(setgroups(others.size(), others.data()) == 0 && setgid(group) == 0 && setuid(user) == 0
              ? work()
              : 255);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace vk7::test
#endif
