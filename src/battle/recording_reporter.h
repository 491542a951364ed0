#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "battle/reporter.h"

namespace vk7 {

// Keeps every message instead of showing it: silent read-backs, tests.
class RecordingReporter : public Reporter {
 public:
  struct Entry {
    bool error = false;
    std::string title;
    std::string text;
    std::optional<std::uint32_t> line;
    bool operator==(const Entry&) const = default;
  };

  const std::vector<Entry>& Entries() const { return entries_; }
  // The first error, if any.
  const Entry* FirstError() const;
  void Clear() { entries_.clear(); }
  // Passes every message kept, in order, to `reporter`.
  void ReplayTo(Reporter& reporter) const;

 protected:
  void OnError(const std::string& title, const std::string& text,
               std::optional<std::uint32_t> line) override;
  void OnMessage(const std::string& title, const std::string& text) override;

 private:
  std::vector<Entry> entries_;
};

}  // namespace vk7
