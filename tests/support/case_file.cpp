#include "support/case_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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

struct Line {
  std::string text;
  std::string where;
};

void RefuseTrailingBlanks(const std::string& text, const std::string& where) {
  if (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
    Throw(where, "blanks at the end without \\e");
  }
}

// The cases of a file in blocks: a name, input lines, expected lines.
std::vector<Case> BlockCases(const std::vector<Line>& lines) {
  static const std::regex caseName("== [A-Za-z0-9_]+");
  std::vector<Case> cases;
  for (const auto& [line, where] : lines) {
    if (line.starts_with("==")) {
      if (!std::regex_match(line, caseName)) Throw(where, "a case name is \"== \" and a word");
      cases.push_back({line.substr(3), where, {}, {}, {}, {}});
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
  return cases;
}

// `text` split at " | ", each part unescaped; nothing for an empty text.
std::vector<std::string> Parts(const std::string& text, const std::string& where) {
  std::vector<std::string> parts;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t bar = std::min(text.find(" | ", start), text.size());
    const std::string part = text.substr(start, bar - start);
    RefuseTrailingBlanks(part, where);
    if (part.empty()) Throw(where, "an empty part (an empty line is \\e)");
    parts.push_back(part);
    start = bar + 3;
  }
  return parts;
}

// The cases of a file of one-line cases (see the header).
std::vector<Case> OneLineCases(const std::vector<Line>& lines, const std::string& fileName) {
  const std::string stem = std::filesystem::path(fileName).stem().string();
  std::vector<std::string> around;  // the "@" line's parts, escaped
  std::vector<Case> cases;
  for (const auto& [line, where] : lines) {
    if (line.starts_with("@ ")) {
      around = Parts(line.substr(2), where);
      if (std::ranges::count(around, "CASE") != 1) Throw(where, "\"@\" needs CASE once");
      continue;
    }
    if (around.empty()) Throw(where, "a case before the first \"@\" line");
    const std::string text = " " + line + " ";  // so that "-> " and " ->" read as " -> "
    const std::size_t arrow = text.find(" -> ");
    if (arrow == std::string::npos || text.find(" -> ", arrow + 1) != std::string::npos) {
      Throw(where, "a case needs one \" -> \"");
    }
    std::string expected = text.substr(arrow + 4);
    if (!expected.empty()) expected.pop_back();
    const std::vector<std::string> own = Parts(text.substr(1, arrow > 0 ? arrow - 1 : 0), where);
    Case c{stem + "_" + where.substr(where.rfind(':') + 1), where, {}, {}, {}, {}};
    for (const std::string& part : Parts(expected, where)) {
      c.expected.push_back(Unescape(part, where));
    }
    for (const std::string& part : around) {
      if (part != "CASE") c.context.push_back(Unescape(part, where));
      for (const std::string& input : part == "CASE" ? own : std::vector<std::string>{part}) {
        c.input.push_back(Unescape(input, where));
        c.inputWhere.push_back(where);
      }
    }
    cases.push_back(std::move(c));
  }
  return cases;
}

// The cases `in` holds, read as the file `fileName`.
std::vector<Case> ParseCases(std::istream& in, const std::string& fileName) {
  std::vector<Line> lines;
  bool oneLine = false;  // the file's first line tells its form
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.ends_with('\r')) line.pop_back();
    const std::string where = fileName + ":" + std::to_string(++number);
    if (line.empty() || line[0] == '#') continue;
    RefuseTrailingBlanks(line, where);
    if (lines.empty()) oneLine = line.starts_with("@ ");
    if (oneLine && !lines.empty() && lines.back().text.ends_with(" \\")) {
      lines.back().text.pop_back();  // the case goes on
      lines.back().text += line.substr(line.find_first_not_of(" \t"));
    } else {
      lines.push_back({line, where});
    }
  }
  std::vector<Case> cases = oneLine ? OneLineCases(lines, fileName) : BlockCases(lines);
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

std::vector<Case> LoadCaseFiles(const std::string& folder, const std::vector<std::string>& names) {
  std::vector<Case> cases;
  for (const std::string& name : names) {
    std::ranges::move(LoadCases(folder + "/" + name + ".txt"), std::back_inserter(cases));
  }
  return cases;
}

void Refuse(const Case& c, const std::string& line, const std::string& why) {
  for (std::size_t i = 0; i < c.input.size(); ++i) {
    if (&c.input[i] == &line) Throw(c.inputWhere.at(i), why + ": " + line);
  }
  Throw(c.where, why + ": " + line);
}

}  // namespace vk7::test_support
