#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "battle/reporter.h"

class QWidget;

namespace vk7 {

// Shows the core's messages in the program's own boxes: errors in ERRORBOX, everything else
// in MESSAGBOX.
class BoxReporter : public Reporter {
 public:
  explicit BoxReporter(QWidget* parent) : parent_(parent) {}

 protected:
  void OnError(const std::string& title, const std::string& text,
               std::optional<std::uint32_t> line) override;
  void OnMessage(const std::string& title, const std::string& text) override;

 private:
  QWidget* parent_;
};

}  // namespace vk7
