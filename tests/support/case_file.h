#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

// Test cases kept as data: a case file holds named cases, each a few readable lines of input
// and the lines expected from them.
//
//   # a comment
//   == CaseName
//   an input line
//   -> an expected line
//
// Lines are byte strings with escapes for what a text file cannot show plainly: \t, \r, \n, \\,
// \xNN (any byte), \*N:c for the byte c repeated N times, and \e for nothing (an empty line,
// or the end of one that ends in blanks). A line that would start with "#", "==" or "->"
// starts with a backslash. Whatever else the parser meets (another escape, a marker not so
// spelled, blanks at a line's end without \e, a line before the first case) is refused with
// its file and line: a case that is not read as written tests nothing.
//
// A file whose first line (comments and blank lines aside) begins with "@ " holds one-line
// cases instead, for inputs that differ from each other in a line or two:
//
//   @ Player = Cruiser | System = Sol | CASE
//   PlayerPosition = 1 2 3.5 -> PlayerPosition = 1 2 3
//
// "@" gives the lines every case after it stands among, joined by " | ", with CASE where the
// case's own lines go. A case is its lines, joined by " | " (none: the line begins with "-> "),
// then " -> " and its expected lines, joined alike (none: the line ends with " ->"). A line
// that ends with " \" goes on in the next one, that one's leading blanks dropped. The escapes
// are those above; a line or an expected line ending in blanks is refused here too. Such a case
// is named after its file and line ("reader_values_12"); its input is the lines of the "@" line
// with its own in place of CASE, and `context` those lines without it.
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
