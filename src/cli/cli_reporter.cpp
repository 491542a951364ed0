#include "cli/cli_reporter.h"

namespace vk7 {

namespace {

// Box texts may hold line breaks; a diagnostic keeps to one line.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

}  // namespace

void CliReporter::OnError(const std::string&, const std::string& text,
                          std::optional<std::uint32_t> line) {
  err_ << file_;
  if (line) err_ << ':' << *line;
  err_ << ": error: " << OneLine(text) << '\n';
}

void CliReporter::OnMessage(const std::string&, const std::string& text) {
  err_ << file_ << ": warning: " << OneLine(text) << '\n';
}

}  // namespace vk7
