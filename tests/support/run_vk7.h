#pragma once

#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/vk7_tool.h"

namespace vk7::test {

struct ToolRun {
  int status;
  std::string out;
  std::string err;
};

// Runs the command-line tool in process and keeps what it printed.
inline ToolRun Vk7(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunVk7(args, out, err);
  return {status, out.str(), err.str()};
}

// Runs the tool in a child process that sees `dir` as a read-only mount, which stops root as
// well as any user (as a CD or a read-only checkout does). Nothing when the system lets no
// process make such a mount (no mount namespaces); status -1 when the child failed.
std::optional<ToolRun> Vk7OnReadOnlyFolder(const std::filesystem::path& dir,
                                           const std::vector<std::string>& args);

}  // namespace vk7::test
