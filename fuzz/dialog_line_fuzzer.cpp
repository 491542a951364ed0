// Feeds arbitrary edited lines to the dialog-line and title-line conversions; what comes back
// must keep every limit the battle file reader enforces.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "content/dialog_text.h"

namespace {

bool Clean(const std::string& text) {
  return text.find('#') == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  for (const std::string& line : vk7::SplitEditedLines(input)) {
    if (line.size() > vk7::kMaxEditedLine) std::abort();
    vk7::DialogNotes notes;
    if (const auto dialog = vk7::ParseDialogLine(line, notes)) {
      if (dialog->speaker.empty() || dialog->speaker.size() > 40) std::abort();
      if (dialog->text.empty() || dialog->text.size() > 200) std::abort();
      if (!Clean(dialog->speaker) || !Clean(dialog->text) || !Clean(dialog->voice)) std::abort();
      if (!dialog->hasSpeaker || !dialog->hasText || !dialog->hasVoice) std::abort();
    }
    vk7::TitleNotes titleNotes;
    if (const auto title = vk7::ParseTitleLine(line, titleNotes)) {
      if (title->text.empty() || title->text.size() > 200) std::abort();
      if (!Clean(title->text) || !Clean(title->voice)) std::abort();
    }
  }
  return 0;
}
