#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vk7 {

// The command-line tool: `vk7 check`, `list`, `format`, `overview`, `--help`, `--version`. Returns
// the exit status: 0 success, 1 a file failed, 2 a usage error.
int RunVk7(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vk7
