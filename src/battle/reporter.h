#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vk7 {

// The two ways a message reaches the user: the error box and the message box, each with a
// title and a text. The editor shows boxes, the command-line tool prints, tests record.
class Reporter {
 public:
  virtual ~Reporter() = default;

  void Error(const std::string& title, const std::string& text) {
    OnError(title, text, std::nullopt);
  }
  // An error whose text ends with the number of the file line it is about.
  void ErrorAtLine(const std::string& title, const std::string& text, std::uint32_t line) {
    OnError(title, text, line);
  }
  void Message(const std::string& title, const std::string& text) { OnMessage(title, text); }

 protected:
  virtual void OnError(const std::string& title, const std::string& text,
                       std::optional<std::uint32_t> line) = 0;
  virtual void OnMessage(const std::string& title, const std::string& text) = 0;
};

// The title of every error about a battle file: "Error in battle file NAME.vk7".
inline std::string BattleFileErrorTitle(const std::string& battleName) {
  return "Error in battle file " + battleName + ".vk7";
}

}  // namespace vk7
