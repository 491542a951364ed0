#pragma once

#include <cstddef>

namespace vk7 {

// A page's text edit hands over at most this many characters: the number fields' edits take no
// more, and what the pages read of the other edits is cut to it.
inline constexpr std::size_t kMaxEditText = 254;

}  // namespace vk7
