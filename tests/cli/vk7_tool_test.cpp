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

class Vk7CaseTest : public ::testing::TestWithParam<test_support::Case> {};

TEST_P(Vk7CaseTest, Runs) {
  const test_support::Case& c = GetParam();
  SCOPED_TRACE(c.where);
#ifdef _WIN32
  if (c.name.find("OnLinux") != std::string::npos) {
    GTEST_SKIP() << "the case spells its file names as Linux does (single-byte or UTF-8 bytes)";
  }
#endif
  test::TempDir dir;
  const std::string root = dir.Path().string();
  std::map<std::string, std::string> files;  // before the run, then as expected after it
  std::string* bytes = nullptr;
  std::string lineEnd;
  std::vector<std::string> args;
  bool readOnly = false;
  for (const std::string& line : c.input) {
    const std::string word = line.substr(0, line.find(' '));
    const std::string rest = line.substr(std::min(word.size() + 1, line.size()));
    if (word == "|") {
      *bytes += rest + lineEnd;
    } else if (word == ">" || word == ">lf") {
      bytes = &files[rest];
      lineEnd = word == ">" ? "\r\n" : "\n";
    } else if (word == "~") {
      std::filesystem::create_directories(dir.Path() / test::Utf8Path(rest));
    } else if (word == "$" || word == "$ro") {
      std::istringstream words(rest);  // "..." groups words
      for (std::string arg; words >> std::quoted(arg);) args.push_back(Expand(arg, root));
      readOnly = word == "$ro";
    } else {
      test_support::Refuse(c, line, "not a file line, folder or command");
    }
  }
  for (const auto& [name, content] : files) dir.Write(test::Utf8Path(name), content);
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
  for (const std::string& raw : c.expected) {
    const std::string line = Expand(raw, root);
    const std::string word = line.substr(0, line.find(' '));
    const std::string rest = line.substr(std::min(word.size() + 1, line.size()));
    if (word == "exit") {
      wantStatus = std::stoi(rest);
    } else if (word == "file") {
      const std::size_t from = rest.find(" < ");
      bytes = &files[rest.substr(0, from)];
      *bytes = from == std::string::npos ? "" : test::ReadBytes(kData + rest.substr(from + 3));
    } else if (word == "|") {
      *bytes += rest + "\r\n";
    } else if (word != "out" && word != "err") {
      test_support::Refuse(c, raw, "not an exit, file or output line");
    } else {
      std::string& printed = want[word];
      const std::string actual = (word == "out" ? out : err).str();
      if (rest.rfind("< ", 0) == 0) {
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

INSTANTIATE_TEST_SUITE_P(Cases, Vk7CaseTest,
                         ::testing::ValuesIn(test_support::LoadCases("cli/cases/vk7.txt")),
                         test_support::CaseName());

}  // namespace
}  // namespace vk7
