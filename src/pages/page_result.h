#pragma once

namespace vk7 {

// What a wizard page leaves behind when it closes; the editing wizard moves on by it.
enum class PageResult { Cancel = 0, Finish = 1, Next = 2, Previous = 3 };

}  // namespace vk7
