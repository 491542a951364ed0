#pragma once

#include <string>

#include "content/battle_overview.h"

namespace vk7 {

// The overview as plain UTF-8 text, for terminals and screen readers: the same sections,
// rows and events as the picture, the dialog lines written out under their events.
std::string RenderOverviewText(const BattleOverview& overview);

}  // namespace vk7
