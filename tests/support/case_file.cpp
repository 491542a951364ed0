#include "support/case_file.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <stdexcept>

namespace vk7::test_support {

namespace {

[[noreturn]] void Throw(const std::string& where, const std::string& why) {
  throw std::runtime_error(where + ": " + why);
}

std::string Unescape(const std::string& text, const std::string& where) {
  // An escape and what it stands for: a byte spelled as such, a byte in hex, a repeated byte,
  // nothing; "#", "=" and "-" only where the line would otherwise read as a comment or marker.
  static const std::regex escape(R"(\\([tnr\\e]|x[0-9A-Fa-f]{2}|\*[0-9]+:.|))");
  std::string bytes;
  std::smatch m;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto at = text.begin() + static_cast<std::ptrdiff_t>(i);
    if (*at != '\\') {
      bytes += *at;
    } else if (i == 0 && text.size() > 1 &&
               std::string_view("#=-").find(text[1]) != std::string_view::npos) {
      bytes += text[++i];
    } else if (std::regex_search(at, text.end(), m, escape,
                                 std::regex_constants::match_continuous) &&
               m.length(1) > 0) {
      const std::string e = m.str(1);
      bytes += e[0] == 'x' ? std::string(1, static_cast<char>(std::stoi(e.substr(1), nullptr, 16)))
               : e[0] == '*' ? std::string(std::stoul(e.substr(1)), e.back())
               : e == "e"    ? std::string()
                             : std::string(1, "\t\n\r\\"[std::string_view("tnr\\").find(e[0])]);
      i += static_cast<std::size_t>(m.length(0)) - 1;
    } else {
      Throw(where, "unknown escape at " + text.substr(i));
    }
  }
  return bytes;
}

// The cases `in` holds, read as the file `fileName`.
std::vector<Case> ParseCases(std::istream& in, const std::string& fileName) {
  static const std::regex caseName("== [A-Za-z0-9_]+");
  std::vector<Case> cases;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.ends_with('\r')) line.pop_back();
    const std::string where = fileName + ":" + std::to_string(++number);
    if (line.empty() || line[0] == '#') continue;
    if (line.back() == ' ' || line.back() == '\t') Throw(where, "blanks at the end without \\e");
    if (line.starts_with("==")) {
      if (!std::regex_match(line, caseName)) Throw(where, "a case name is \"== \" and a word");
      cases.push_back({line.substr(3), where, {}, {}, {}});
    } else if (cases.empty()) {
      Throw(where, "a line before the first case name");
    } else if (line.starts_with("->")) {
      if (line != "->" && !line.starts_with("-> ")) Throw(where, "\"->\" needs a blank after it");
      cases.back().expected.push_back(
          Unescape(line.substr(std::min<std::size_t>(3, line.size())), where));
    } else {
      cases.back().input.push_back(Unescape(line, where));
      cases.back().inputWhere.push_back(where);
    }
  }
  if (cases.empty()) Throw(fileName, "no cases");
  return cases;
}

}  // namespace

std::vector<Case> LoadCases(const std::string& fileName) {
  std::ifstream in(std::string(VK7_TEST_DATA_DIR) + "/" + fileName, std::ios::binary);
  try {
    if (!in) Throw(fileName, "cannot open case file");
    return ParseCases(in, fileName);
  } catch (const std::runtime_error& fault) {
    // Cases are loaded while the tests are registered, before any can fail on its own.
    std::fprintf(stderr, "%s\n", fault.what());
    std::abort();
  }
}

void Refuse(const Case& c, const std::string& line, const std::string& why) {
  for (std::size_t i = 0; i < c.input.size(); ++i) {
    if (&c.input[i] == &line) Throw(c.inputWhere.at(i), why + ": " + line);
  }
  Throw(c.where, why + ": " + line);
}

}  // namespace vk7::test_support
