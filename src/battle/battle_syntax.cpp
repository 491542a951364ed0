#include "battle/battle_syntax.h"

#include "battle/string_helpers.h"

namespace vk7 {

bool IsCommentOrBlank(std::string_view line) {
  return TrimView(CutComment(line)).empty();
}

VoiceSplit SplitVoicePart(std::string_view text) {
  if (text.starts_with(kVoiceOpen)) {
    const std::size_t close = text.find(kVoiceClose);
    if (close != std::string_view::npos) {
      return VoiceSplit{TrimView(text.substr(1, close - 1)), TrimView(text.substr(close + 1))};
    }
  }
  return VoiceSplit{{}, text};
}

std::string VoicePrefix(std::string_view voice) {
  if (voice.empty()) return {};
  return std::string(kVoiceOpen).append(voice).append(kVoiceClose).append(" ");
}

}  // namespace vk7
