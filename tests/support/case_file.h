#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

// Test cases kept as data: a case file holds named cases, each a few readable lines of input
// and the lines expected from them:
//
//   # a comment
//   == CaseName
//   an input line
//   -> an expected line
//
// Escapes: \t, \r, \n, \\, \xNN (any byte), \*N:c (the byte c N times), \e (nothing: an empty
// line, or the end of one that ends in blanks); a line that would start with "#", "==" or "->"
// starts with a backslash. Anything else (another escape, a marker not so spelled, blanks at a
// line's end without \e, a line before the first case) is refused with its file and line.
//
// A file whose first line (comments and blank lines aside) begins with "@ " holds one-line
// cases instead:
//
//   @ Player = Cruiser | System = Sol | CASE
//   PlayerPosition = 1 2 3.5 -> PlayerPosition = 1 2 3
//
// The "@" line gives the lines the cases after it stand among, joined by " | ", CASE where a
// case's own go. A case is its lines joined alike (none: it begins with "-> "), " -> ", and its
// expected lines (none: it ends with " ->"); a line ending in " \" goes on in the next, whose
// leading blanks are dropped. It is named after its file and line ("reader_values_12"); its
// `context` is the "@" line's lines without CASE.
namespace vk7::test_support {

struct Case {
  std::string name;
  std::string where;  // "file:line" of the case's name, for failure messages
  std::vector<std::string> input;
  std::vector<std::string> expected;
  std::vector<std::string> inputWhere;  // "file:line" of each input line
  std::vector<std::string> context;     // one-line cases: the lines around the case's own
};

// Every case of `fileName` under the test data folder (tests/); a missing or malformed file
// is a test setup fault and stops the test program with its file and line.
std::vector<Case> LoadCases(const std::string& fileName);

// The cases of the files `folder`/NAME.txt, file after file: for one test over several files.
std::vector<Case> LoadCaseFiles(const std::string& folder, const std::vector<std::string>& names);

// Stops the running case with an error naming where `line` (one of its input lines, or else
// the case) stands: for steps and names a runner does not know.
[[noreturn]] void Refuse(const Case& c, const std::string& line, const std::string& why);

// A failing case is named by where it stands.
inline void PrintTo(const Case& c, std::ostream* os) {
  *os << c.where;
}

// Names parameterised tests after their cases.
struct CaseName {
  std::string operator()(const auto& info) const { return info.param.name; }
};

}  // namespace vk7::test_support
