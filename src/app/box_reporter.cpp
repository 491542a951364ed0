#include "app/box_reporter.h"

#include "app/error_box.h"
#include "app/message_box.h"

namespace vk7 {

void BoxReporter::OnError(const std::string& title, const std::string& text,
                          std::optional<std::uint32_t>) {
  ErrorBox::Show(parent_, text, title);
}

void BoxReporter::OnMessage(const std::string& title, const std::string& text) {
  MessageBox::Show(parent_, text, title);
}

}  // namespace vk7
