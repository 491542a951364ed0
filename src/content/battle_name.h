#pragma once

#include <string>

#include "battle/reporter.h"

namespace vk7 {

// A battle name becomes a file name in the scripts folder. A name that would reach outside
// it ("/" or "\", ".", "..") is refused with the error box titled "Error".
bool CheckBattleName(const std::string& name, Reporter& reporter);

}  // namespace vk7
