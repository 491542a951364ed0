// Any bytes through the widgets' Windows-1252 boundary and back: as one line, and as lines
// through the text document a multi-line edit keeps, every byte a line can carry comes back.
#include <QGuiApplication>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "widgets/cp1252.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // A document lays out text with fonts, which want an application; Qt sees none of
  // libFuzzer's arguments.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "cp1252_fuzzer";
  static char* argv[] = {name, nullptr};
  static auto* app = new QGuiApplication(argc, argv);
  (void)app;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // NUL ends a line before it can be stored.
  if (bytes.find('\0') != std::string_view::npos) return -1;

  bool lossy = false;
  if (vk7::ToCp1252(vk7::FromCp1252(bytes), &lossy) != bytes || lossy) std::abort();

  // An edit gives every line back with CR LF; any other byte, a lone CR included, is kept.
  std::string expected;
  for (const char c : bytes) {
    if (c == '\n' && (expected.empty() || expected.back() != '\r')) expected.push_back('\r');
    expected.push_back(c);
  }
  static QTextDocument document;
  document.setPlainText(vk7::FromCp1252Lines(bytes));
  if (vk7::ToCp1252Lines(document.toRawText(), &lossy) != expected || lossy) std::abort();
  return 0;
}
