#pragma once

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

}  // namespace vk7::test
