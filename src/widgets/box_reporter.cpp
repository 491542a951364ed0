#include "widgets/box_reporter.h"

#include "widgets/error_box.h"
#include "widgets/message_box.h"

namespace vk7 {

void BoxReporter::OnError(const std::string& title, const std::string& text,
                          std::optional<std::uint32_t>) {
  ErrorBox::Show(parent_, text, title);
}

void BoxReporter::OnMessage(const std::string& title, const std::string& text) {
  MessageBox::Show(parent_, text, title);
}

}  // namespace vk7
