#pragma once

#include <memory>

#include "app/main_frame.h"

namespace vk7 {

// Creates and shows the main window for the stored game folder. At the very first start
// nothing is stored yet, so the folder choice is offered at once, owned by the shown window.
std::unique_ptr<MainFrame> StartEditor();

}  // namespace vk7
