#include <iostream>
#include <string>
#include <vector>

#include "cli/vk7_tool.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  // Battle files end lines with CR LF; standard output must not add another CR.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::vector<std::string> args(argv + 1, argv + argc);
  return vk7::RunVk7(args, std::cout, std::cerr);
}
