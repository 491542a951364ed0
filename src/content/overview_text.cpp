#include "content/overview_text.h"

#include <algorithm>

namespace vk7 {

namespace {

// Shown after a row whose class, planet or system the catalogs lack.
std::string Finding(const std::string& finding) {
  return finding.empty() ? std::string() : "  (! " + finding + ")";
}

void Group(std::string& out, const BattleOverview::Group& group, const std::string& indent) {
  out += indent + group.heading + "\n";
  for (const auto* rows : {&group.notes, &group.items}) {
    for (const BattleOverview::Item& item : *rows) {
      out += indent + "  " + item.text + Finding(item.finding) + "\n";
    }
  }
}

}  // namespace

std::string RenderOverviewText(const BattleOverview& overview) {
  std::string out = overview.title + "\n" + overview.fileName + "\n";
  for (const std::string& line : overview.titleLines) out += "  " + line + "\n";
  out += "\n";
  for (const BattleOverview::Group& group : overview.general) Group(out, group, "");

  for (const BattleOverview::System& system : overview.systems) {
    out += "\n" + system.heading + Finding(system.finding) + "\n  " + system.details + "\n";
    for (const BattleOverview::Group& group : system.groups) Group(out, group, "  ");
    out += "  Time line\n";
    std::size_t width = 0;
    for (const auto& event : system.events) width = std::max(width, event.when.size());
    const std::string dialogIndent(4 + width + 2 + 2, ' ');
    for (const BattleOverview::Event& event : system.events) {
      out += "    " + event.when + std::string(width + 2 - event.when.size(), ' ') + event.what +
             Finding(event.finding) + "\n";
      for (const std::string& line : event.dialog) out += dialogIndent + line + "\n";
    }
  }

  if (overview.findings) {
    out += "\nCheck findings\n";
    if (overview.findings->empty()) {
      out += "  The battle looks FINE! No missing objects found!\n";
    }
    for (const std::string& row : *overview.findings) out += "  " + row + "\n";
  }
  return out;
}

}  // namespace vk7
