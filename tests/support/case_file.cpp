#include "support/case_file.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string_view>

namespace vk7::test_support {

namespace {

[[noreturn]] void Fail(const std::string& where, const std::string& why) {
  std::fprintf(stderr, "%s: %s\n", where.c_str(), why.c_str());
  std::abort();
}

std::string Unescape(const std::string& text) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      bytes += text[i];
      continue;
    }
    const char kind = text[++i];
    if (const std::size_t at = std::string_view("tnr").find(kind); at != std::string::npos) {
      bytes += "\t\n\r"[at];
    } else if (kind == 'x' && i + 2 < text.size() &&
               std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
               std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
      bytes += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else if (kind == '*') {
      const std::size_t colon = text.find(':', i);
      if (colon == std::string::npos || colon + 1 >= text.size()) Fail(text, "bad \\* escape");
      bytes.append(std::stoul(text.substr(i + 1, colon - i - 1)), text[colon + 1]);
      i = colon + 1;
    } else if (kind != 'e') {  // \e marks a line that is empty or ends in blanks
      bytes += kind;           // "\\" and any other escaped character stand for themselves
    }
  }
  return bytes;
}

}  // namespace

std::vector<Case> LoadCases(const std::string& fileName) {
  const std::string path = std::string(VK7_TEST_DATA_DIR) + "/" + fileName;
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail(path, "cannot open case file");
  std::vector<Case> cases;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string where = fileName + ":" + std::to_string(number);
    if (line.rfind("== ", 0) == 0) {
      cases.push_back({line.substr(3), where, {}, {}});
    } else if (line.empty() || line[0] == '#') {
      continue;
    } else if (cases.empty()) {
      Fail(where, "a line before the first case name");
    } else if (line.rfind("-> ", 0) == 0 || line == "->") {
      cases.back().expected.push_back(Unescape(line.substr(line.size() > 2 ? 3 : 2)));
    } else {
      cases.back().input.push_back(Unescape(line));
    }
  }
  if (cases.empty()) Fail(path, "no cases");
  return cases;
}

}  // namespace vk7::test_support
