#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "battle/reporter.h"

namespace vk7 {

// Prints messages as compiler-style diagnostics, one a line:
//   FILE:LINE: error: TEXT   an error about a line of the file
//   FILE: error: TEXT        any other error
//   FILE: warning: TEXT      what the editor shows in its message box
class CliReporter : public Reporter {
 public:
  CliReporter(std::ostream& err, std::string file) : err_(err), file_(std::move(file)) {}

 protected:
  void OnError(const std::string& title, const std::string& text,
               std::optional<std::uint32_t> line) override;
  void OnMessage(const std::string& title, const std::string& text) override;

 private:
  std::ostream& err_;
  std::string file_;
};

}  // namespace vk7
