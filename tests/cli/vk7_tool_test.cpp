#include "cli/vk7_tool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iomanip>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/case_file.h"
#include "support/temp_dir.h"

#ifdef __linux__
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace vk7 {
namespace {

const std::string kHeader =
    "VK7 Battle\r\nFile Format Version 1.2\r\n// Created by Velkor Editor\r\n";

std::string Expand(std::string text, const std::string& dir) {
  for (std::size_t at; (at = text.find("{dir}")) != text.npos;) text.replace(at, 5, dir);
  for (std::size_t at; (at = text.find("{game}")) != text.npos;)
    text.replace(at, 6, VK7_EXAMPLES_DIR "/game");
  return text;
}

std::string Data(const std::string& file) {  // below tests/
  return test::ReadBytes(VK7_TEST_DATA_DIR "/" + file);
}

// Makes `dir` a read-only view of itself, which stops root too (as a CD does), in a mount
// namespace of the test program's own; false where no such mount can be made.
bool MountReadOnly([[maybe_unused]] const std::filesystem::path& dir) {
#ifdef __linux__
  static const bool own =
      unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
  return own && mount(dir.c_str(), dir.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
         mount(nullptr, dir.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
#else
  return false;
#endif
}

// One run of `command` in a fresh folder `dir` holding `files`: its exit status, and every file
// below the folder (named in UTF-8) with its bytes, what it printed as the files "out" and "err"
// (status -1: "$ro" asked for a read-only mount, and none can be made here).
std::pair<int, std::map<std::string, std::string>> RunIn(
    const std::map<std::string, std::string>& files, const std::string& command, std::string& dir) {
  test::TempDir temp;
  dir = temp.Path().string();
  for (const auto& [name, content] : files) temp.Write(test::Utf8Path(name), content);
  std::vector<std::string> args;
  std::istringstream words(
      Expand(command.substr(std::min(command.find(' '), command.size())), dir));
  // No escape character: a Windows path is full of backslashes.
  for (std::string arg; words >> std::quoted(arg, '"', '\0');) args.push_back(arg);
  const bool readOnly = command.starts_with("$ro ");
  if (readOnly && !MountReadOnly(temp.Path())) return {-1, {}};
  std::ostringstream out, err;
  const int status = RunVk7(args, out, err);
#ifdef __linux__
  if (readOnly) umount2(temp.Path().c_str(), MNT_DETACH);
#endif
  std::map<std::string, std::string> after{{"out", out.str()}, {"err", err.str()}};
  for (const auto& entry : std::filesystem::recursive_directory_iterator(temp.Path())) {
    const std::u8string name = entry.path().lexically_relative(temp.Path()).generic_u8string();
    if (entry.is_regular_file()) after[{name.begin(), name.end()}] = test::ReadBytes(entry.path());
  }
  return {status, after};
}

class Vk7CaseTest : public ::testing::TestWithParam<test_support::Case> {};

TEST_P(Vk7CaseTest, Runs) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
  std::vector<std::string> commands;
  std::map<std::string, std::string> files;
  std::string* bytes = nullptr;
  for (const std::string& line : c.input) {
    const std::string word = line.substr(0, line.find(' ')),
                      name = line.substr(std::min(word.size() + 1, line.size()));
    if (line == "on Linux") {  // the case spells file names as Linux does (single-byte or UTF-8)
#ifdef _WIN32
      GTEST_SKIP();
#endif
    } else if (word == "$" || word == "$ro") {
      commands.push_back(line);
    } else if (word == ">" || word == ">vk7") {
      bytes = &files[name.substr(0, name.find(" < "))];
      *bytes = word == ">vk7"                  ? kHeader
               : name.find(" < ") != name.npos ? Data(name.substr(name.find(" < ") + 3))
                                               : "";
    } else if (bytes != nullptr && !word.starts_with(">")) {
      *bytes += line + "\r\n";
    } else {
      test_support::Refuse(c, line, "not a file, a line of one or a command");
    }
  }
  if (commands.empty()) test_support::Refuse(c, c.name, "no command to run");
  for (const std::string& command : commands) {
    SCOPED_TRACE(command);
    std::string dir;
    const auto [status, after] = RunIn(files, command, dir);
    if (status == -1) GTEST_SKIP() << "no read-only mount can be made here";
    int wantStatus = 0;
    std::map<std::string, std::string> want = files;
    want["out"] = want["err"] = "";
    for (const std::string& raw : c.expected) {
      const std::string line = Expand(raw, dir), key = line.substr(0, line.find(' ')),
                        rest = line.substr(key.size() + 1);
      if (key == "exit") {
        wantStatus = std::stoi(rest);
      } else if (rest.starts_with("~ ")) {  // somewhere in what is printed
        EXPECT_NE(after.at(key).find(rest.substr(2)), std::string::npos) << after.at(key);
        want[key] = after.at(key);
      } else if (rest.starts_with("< ")) {
        (key == "out" ? want[key] : want[key] = "") += Data(rest.substr(2));
      } else if (key == "out" || key == "err") {
        want[key] += rest + "\n";
      } else {
        test_support::Refuse(c, raw, "not an exit status, a file or a line printed");
      }
    }
    EXPECT_EQ(status, wantStatus);
    EXPECT_EQ(after, want);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Vk7CaseTest,
                         ::testing::ValuesIn(test_support::LoadCases("cli/cases/vk7.txt")),
                         test_support::CaseName());

}  // namespace
}  // namespace vk7
