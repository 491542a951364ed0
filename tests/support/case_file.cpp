#include "support/case_file.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string_view>

namespace vk7::test_support {

namespace {

[[noreturn]] void Throw(const std::string& where, const std::string& why) {
  throw std::runtime_error(where + ": " + why);
}

bool IsHex(char c) {
  return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

std::string Unescape(const std::string& text, const std::string& where) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      bytes += text[i];
      continue;
    }
    if (++i == text.size()) Throw(where, "a backslash ends the line");
    const char kind = text[i];
    if (const std::size_t at = std::string_view("tnr\\").find(kind); at != std::string::npos) {
      bytes += "\t\n\r\\"[at];
    } else if (i == 1 && (kind == '#' || kind == '=' || kind == '-')) {
      bytes += kind;  // a line that would read as a comment or a marker
    } else if (kind == 'x' && i + 2 < text.size() && IsHex(text[i + 1]) && IsHex(text[i + 2])) {
      bytes += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else if (kind == '*') {
      std::size_t digits = i + 1;
      while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]))) {
        ++digits;
      }
      if (digits == i + 1 || digits + 1 >= text.size() || text[digits] != ':') {
        Throw(where, "\\* needs a count, \":\" and a byte");
      }
      bytes.append(std::stoul(text.substr(i + 1, digits - i - 1)), text[digits + 1]);
      i = digits + 1;
    } else if (kind != 'e') {
      Throw(where, std::string("unknown escape \\") + kind);
    }
  }
  return bytes;
}

bool IsCaseName(std::string_view name) {
  if (name.empty()) return false;
  for (const char c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  }
  return true;
}

}  // namespace

std::vector<Case> ParseCases(const std::string& text, const std::string& fileName) {
  std::vector<Case> cases;
  std::set<std::string> names;
  std::size_t start = 0;
  for (int number = 1; start < text.size(); ++number) {
    const std::size_t lf = text.find('\n', start);
    std::string line = text.substr(start, lf - start);
    start = lf == std::string::npos ? text.size() : lf + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string where = fileName + ":" + std::to_string(number);
    if (line.empty() || line[0] == '#') continue;
    if (line.back() == ' ' || line.back() == '\t') Throw(where, "blanks at the end without \\e");
    if (line.starts_with("==")) {
      const std::string name = line.substr(std::min<std::size_t>(3, line.size()));
      if (!line.starts_with("== ") || !IsCaseName(name)) {
        Throw(where, "a case name is \"== \" and letters, digits or \"_\"");
      }
      if (!names.insert(name).second) Throw(where, "a second case named " + name);
      cases.push_back({name, where, {}, {}, {}});
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

std::vector<Case> LoadCases(const std::string& fileName) {
  const std::string path = std::string(VK7_TEST_DATA_DIR) + "/" + fileName;
  std::ifstream in(path, std::ios::binary);
  try {
    if (!in) Throw(path, "cannot open case file");
    return ParseCases(std::string(std::istreambuf_iterator<char>(in), {}), fileName);
  } catch (const std::runtime_error& fault) {
    // Cases are loaded while the tests are registered, before any can fail on its own.
    std::fprintf(stderr, "%s\n", fault.what());
    std::abort();
  }
}

void Refuse(const Case& c, const std::string& line, const std::string& why) {
  for (std::size_t i = 0; i < c.input.size() && i < c.inputWhere.size(); ++i) {
    if (&c.input[i] == &line) Throw(c.inputWhere[i], why + ": " + line);
  }
  Throw(c.where, why + ": " + line);
}

void Refuse(const Case& c, const std::string& why) {
  Throw(c.where, why);
}

}  // namespace vk7::test_support
