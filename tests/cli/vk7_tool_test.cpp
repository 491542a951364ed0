#include "cli/vk7_tool.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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

#include <cerrno>
#endif

namespace vk7 {
namespace {

// Makes `dir` a read-only view of itself, which stops root as well as any user (as a CD or a
// read-only checkout does), in a mount namespace of the test program's own that no other
// process sees. False where no such mount can be made (no mount namespaces).
bool MountReadOnly([[maybe_unused]] const std::filesystem::path& dir) {
#ifdef __linux__
  if (unshare(CLONE_NEWNS) != 0) {
    // A user without the right to mount gets it inside a user namespace of their own.
    const std::string uid = std::to_string(getuid());
    const std::string gid = std::to_string(getgid());
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
    const auto put = [](const char* file, const std::string& text) {
      return static_cast<bool>(std::ofstream(file) << text << std::flush);
    };
    put("/proc/self/setgroups", "deny");
    if (!put("/proc/self/uid_map", "0 " + uid + " 1") ||
        !put("/proc/self/gid_map", "0 " + gid + " 1")) {
      return false;
    }
  }
  return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
         mount(dir.c_str(), dir.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
         mount(nullptr, dir.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0 &&
         access(dir.c_str(), W_OK) != 0 && errno == EROFS;
#else
  return false;
#endif
}

const std::string kGame = std::string(VK7_EXAMPLES_DIR) + "/game";
const std::string kData = std::string(VK7_TEST_DATA_DIR) + "/";

std::string Expand(std::string text, const std::string& dir) {
  for (std::size_t at; (at = text.find("{dir}")) != std::string::npos;) text.replace(at, 5, dir);
  for (std::size_t at; (at = text.find("{game}")) != std::string::npos;) text.replace(at, 6, kGame);
  return text;
}

// Every file below `dir` (as its name is spelled in UTF-8) with its bytes.
std::map<std::string, std::string> FilesIn(const std::filesystem::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    const std::u8string name = entry.path().lexically_relative(dir).generic_u8string();
    files[std::string(name.begin(), name.end())] = test::ReadBytes(entry.path());
  }
  return files;
}

// A battle as the editor saves it: what "format" makes of any battle with only the player HALBERD
// and the system Keth.
const std::string kSaved =
    "VK7 Battle\r\nFile Format Version 1.2\r\n// Created by Velkor Editor\r\n\r\n"
    "// The player ship\r\nPlayer          = HALBERD\r\n\r\n"
    "// Define a system -------------------------------------------\r\nSystem          = Keth\r\n";

// What a case sets up before each of its runs.
struct Folder {
  std::map<std::string, std::string> files;
  std::vector<std::string> folders;
};

// One run of the tool in a fresh folder set up as `setup` says, checked against what the case
// expects.
void RunOnce(const test_support::Case& c, const Folder& setup, const std::string& command) {
  const std::string word = command.substr(0, command.find(' '));
  const bool readOnly = word == "$ro";
  SCOPED_TRACE(command);
  test::TempDir dir;
  const std::string root = dir.Path().string();
  std::map<std::string, std::string> files = setup.files;  // as expected after the run
  for (const std::string& folder : setup.folders) {
    std::filesystem::create_directories(dir.Path() / test::Utf8Path(folder));
  }
  for (const auto& [name, content] : files) dir.Write(test::Utf8Path(name), content);
  std::vector<std::string> args;
  std::istringstream words(command.substr(std::min(word.size() + 1, command.size())));
  for (std::string arg; words >> std::quoted(arg);) args.push_back(Expand(arg, root));
  if (readOnly && !MountReadOnly(dir.Path())) {
    GTEST_SKIP() << "no read-only mount can be made here (no mount namespaces)";
  }
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunVk7(args, out, err);
#ifdef __linux__
  if (readOnly) umount2(dir.Path().c_str(), MNT_DETACH);
#endif
  int wantStatus = -1;
  std::map<std::string, std::string> want;  // printed on "out" and on "err"
  std::string* bytes = nullptr;
  for (const std::string& raw : c.expected) {
    const std::string line = Expand(raw, root);
    const std::string key = line.substr(0, line.find(' '));
    const std::string rest = line.substr(std::min(key.size() + 1, line.size()));
    if (key == "exit") {
      wantStatus = std::stoi(rest);
    } else if (key == "file") {
      const std::size_t from = rest.find(" < ");
      bytes = &files[rest.substr(0, from)];
      *bytes = from == std::string::npos ? "" : test::ReadBytes(kData + rest.substr(from + 3));
    } else if (key == "|" && bytes != nullptr) {
      *bytes += rest + "\r\n";
    } else if (key != "out" && key != "err") {
      test_support::Refuse(c, raw, "not an exit, file or output line");
    } else {
      std::string& printed = want[key];
      const std::string actual = (key == "out" ? out : err).str();
      if (rest == "<saved>") {
        printed += kSaved;
      } else if (rest.rfind("< ", 0) == 0) {
        printed += test::ReadBytes(kData + rest.substr(2));
      } else if (rest.rfind("~ ", 0) == 0) {
        EXPECT_NE(actual.find(rest.substr(2)), std::string::npos) << actual;
        printed = actual;
      } else {
        printed += rest + "\n";
      }
    }
  }
  EXPECT_EQ(status, wantStatus);
  EXPECT_EQ(out.str(), want["out"]);
  EXPECT_EQ(err.str(), want["err"]);
  EXPECT_EQ(FilesIn(dir.Path()), files);
}

class Vk7CaseTest : public ::testing::TestWithParam<test_support::Case> {};

TEST_P(Vk7CaseTest, Runs) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
#ifdef _WIN32
  if (c.name.find("OnLinux") != std::string::npos) {
    GTEST_SKIP() << "the case spells its file names as Linux does (single-byte or UTF-8 bytes)";
  }
#endif
  Folder setup;
  std::vector<std::string> commands;
  std::string* bytes = nullptr;
  std::string lineEnd;
  for (const std::string& line : c.input) {
    const std::string word = line.substr(0, line.find(' '));
    const std::string rest = line.substr(std::min(word.size() + 1, line.size()));
    if (word == "|" && bytes != nullptr) {
      *bytes += rest + lineEnd;
    } else if (word == ">" || word == ">lf" || word == ">saved") {
      bytes = &setup.files[rest];
      lineEnd = word == ">lf" ? "\n" : "\r\n";
      if (word == ">saved") *bytes = kSaved;
    } else if (word == "~") {
      setup.folders.push_back(rest);
    } else if (word == "$" || word == "$ro") {
      commands.push_back(line);
    } else {
      test_support::Refuse(c, line, "not a file line, folder or command");
    }
  }
  if (commands.empty()) test_support::Refuse(c, c.name, "no command to run");
  for (const std::string& command : commands) RunOnce(c, setup, command);
}

INSTANTIATE_TEST_SUITE_P(Cases, Vk7CaseTest,
                         ::testing::ValuesIn(test_support::LoadCases("cli/cases/vk7.txt")),
                         test_support::CaseName());

}  // namespace
}  // namespace vk7
