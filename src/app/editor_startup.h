#pragma once

#include <memory>
#include <optional>

#include "app/main_frame.h"

namespace vk7 {

// Creates and shows the main window for the stored game folder. At the very first start
// nothing is stored yet, so the folder choice is offered at once, owned by the shown window.
// When an editing run of the stored game was cut short, the battle list opens to offer it.
std::unique_ptr<MainFrame> StartEditor();

// Answers --help and --version on standard output and returns the exit status; nothing when
// the editor is to start. Runs before any QApplication exists, so it needs no display.
std::optional<int> AnswerCommandLine(int& argc, char** argv);

}  // namespace vk7
