#pragma once

#include <string>

#include "content/battle_overview.h"

namespace vk7 {

// The overview as one SVG picture (UTF-8): the title block, the player, escort and options,
// then each system with its ships by role and its time line, dialog lists as markers whose
// lines are the tooltip, and what the catalogs lack marked and listed. Its size follows the
// content, so nothing is clipped.
std::string RenderOverviewSvg(const BattleOverview& overview);

// `text` (UTF-8) escaped for XML character data and attribute values.
std::string EscapeXml(const std::string& text);

}  // namespace vk7
