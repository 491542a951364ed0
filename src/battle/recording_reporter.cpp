#include "battle/recording_reporter.h"

namespace vk7 {

const RecordingReporter::Entry* RecordingReporter::FirstError() const {
  for (const Entry& entry : entries_) {
    if (entry.error) return &entry;
  }
  return nullptr;
}

void RecordingReporter::ReplayTo(Reporter& reporter) const {
  for (const Entry& entry : entries_) {
    if (!entry.error) {
      reporter.Message(entry.title, entry.text);
    } else if (entry.line) {
      reporter.ErrorAtLine(entry.title, entry.text, *entry.line);
    } else {
      reporter.Error(entry.title, entry.text);
    }
  }
}

void RecordingReporter::OnError(const std::string& title, const std::string& text,
                                std::optional<std::uint32_t> line) {
  entries_.push_back(Entry{true, title, text, line});
}

void RecordingReporter::OnMessage(const std::string& title, const std::string& text) {
  entries_.push_back(Entry{false, title, text, std::nullopt});
}

}  // namespace vk7
