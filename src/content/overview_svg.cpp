#include "content/overview_svg.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

namespace vk7 {

namespace {

// One font throughout; its width is estimated from DejaVu Sans, among the widest common sans
// fonts, so a narrower substitute only leaves more room.
constexpr const char* kFontFamily = "DejaVu Sans, Verdana, Arial, sans-serif";
constexpr int kMargin = 24;
constexpr int kGap = 16;    // between columns
constexpr int kInset = 14;  // inside a system's frame
constexpr int kPad = 8;     // inside a column
constexpr int kMinColumn = 170;
constexpr int kMinContent = 760;
constexpr int kRow = 18;
constexpr int kEventRow = 22;
constexpr int kText = 13;
constexpr int kSmall = 11;

// Okabe-Ito colours: told apart with the common colour-vision deficiencies and in grey print;
// every colour also comes with a word, so none carries meaning alone.
constexpr const char* kInk = "#000000";
constexpr const char* kDim = "#555555";
constexpr const char* kFinding = "#CC79A7";
constexpr const char* kDialogFill = "#DDEFFA";
constexpr const char* kDialogStroke = "#0072B2";
constexpr const char* kFrame = "#B0B0B0";
constexpr const char* kBand = "#F0F0F0";

const char* RoleColour(ShipRole role) {
  switch (role) {
    case ShipRole::Player:
    case ShipRole::Escort:
      return "#009E73";
    case ShipRole::Friend:
      return "#0072B2";
    case ShipRole::Enemy:
      return "#D55E00";
    case ShipRole::Neutral:
      return "#E69F00";
    case ShipRole::Hulk:
      break;
  }
  return "#7F7F7F";
}

// Advances of DejaVu Sans in thousandths of the font size, for the printable ASCII range.
constexpr int kAdvances[] = {318,  401, 460, 838, 636, 950, 780, 275,
                             390,  390, 500, 838, 318, 361, 318, 337,  // !"#$%&'()*+,-./
                             636,  636, 636, 636, 636, 636, 636, 636,
                             636,  636, 337, 337, 838, 838, 838, 531,  // 0-9:;<=>?
                             1000, 684, 686, 698, 770, 632, 575, 775,
                             752,  295, 295, 656, 557, 863, 748, 787,  // @A-O
                             603,  787, 695, 635, 611, 732, 684, 989,
                             685,  611, 685, 390, 337, 390, 838, 500,  // P-Z[\]^_
                             500,  613, 635, 550, 635, 615, 352, 635,
                             634,  278, 278, 579, 278, 974, 634, 612,  // `a-o
                             635,  635, 411, 521, 392, 634, 592, 818,
                             592,  592, 525, 636, 337, 636, 838};  // p-z{|}~
static_assert(std::size(kAdvances) == 0x7F - 0x20);

// Advance of the character at `i` of UTF-8 text, in thousandths of the font size, and `i` past
// it. Printable ASCII has its own; any other character gets a wide one.
int NextAdvance(const std::string& text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
  return lead >= 0x20 && lead < 0x7F ? kAdvances[lead - 0x20] : 760;
}

// Pixels of `total` thousandths of the font size, with a little room for fonts that run wider,
// more for bold.
int Pixels(long total, int size, bool bold = false) {
  total += total / (bold ? 8 : 33);
  return static_cast<int>((total * size + 999) / 1000);
}

int TextWidth(const std::string& text, int size, bool bold = false) {
  long total = 0;
  for (std::size_t i = 0; i < text.size();) total += NextAdvance(text, i);
  return Pixels(total, size, bold);
}

// The longest head of `text` that fits `width`, with an ellipsis when something was cut.
std::string Fit(const std::string& text, int width, int size) {
  if (TextWidth(text, size) <= width) return text;
  const int room = width - TextWidth("\xE2\x80\xA6", size);
  long used = 0;
  std::size_t cut = 0;
  for (std::size_t i = 0; i < text.size();) {
    used += NextAdvance(text, i);
    if (Pixels(used, size) > room) break;  // the same room for wider fonts as every width
    cut = i;
  }
  return text.substr(0, cut) + "\xE2\x80\xA6";
}

// `text` broken at blanks into lines that fit `width`; a word wider than that is cut.
std::vector<std::string> Wrap(const std::string& text, int width, int size) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    std::string word = text.substr(start, end - start);
    const std::string joined = line.empty() ? word : line + " " + word;
    if (TextWidth(joined, size) <= width) {
      line = joined;
    } else {
      if (!line.empty()) lines.push_back(line);
      while (TextWidth(word, size) > width) {
        std::string head = Fit(word, width, size);
        head.resize(head.size() - 3);  // the ellipsis
        if (head.empty()) break;
        lines.push_back(head);
        word.erase(0, head.size());
      }
      line = word;
    }
    start = end + 1;
  }
  if (!line.empty() || lines.empty()) lines.push_back(line);
  return lines;
}

int BadgeWidth(const std::string& finding) {
  return TextWidth(finding, kSmall, true) + 10;
}

int ItemWidth(const BattleOverview::Item& item) {
  int width = TextWidth(item.text, kText);
  if (!item.finding.empty()) width += 6 + BadgeWidth(item.finding);
  return width;
}

int GroupWidth(const BattleOverview::Group& group) {
  int width = TextWidth(group.heading, 14, true);
  for (const auto* rows : {&group.notes, &group.items}) {
    for (const auto& item : *rows) width = std::max(width, ItemWidth(item));
  }
  return std::max(kMinColumn, width + 2 * kPad);
}

int GroupHeight(const BattleOverview::Group& group) {
  return 30 + kRow * static_cast<int>(group.notes.size() + group.items.size());
}

constexpr const char* kDialogLabelOne = "dialog, 1 line";

std::string DialogLabel(std::size_t lines) {
  return lines == 1 ? kDialogLabelOne : "dialog, " + std::to_string(lines) + " lines";
}

class Svg {
 public:
  void Text(int x, int y, const std::string& text, int size = kText, const char* attributes = "",
            const char* fill = kInk) {
    out_ += "<text x=\"" + N(x) + "\" y=\"" + N(y) + "\"";
    if (size != kText) out_ += " font-size=\"" + N(size) + "\"";
    if (fill != kInk) out_ += std::string(" fill=\"") + fill + "\"";
    out_ += attributes;
    out_ += ">" + EscapeXml(text) + "</text>\n";
  }
  void Rect(int x, int y, int w, int h, const char* fill, const char* stroke = nullptr,
            int radius = 0) {
    out_ += "<rect x=\"" + N(x) + "\" y=\"" + N(y) + "\" width=\"" + N(w) + "\" height=\"" + N(h) +
            "\"";
    if (radius > 0) out_ += " rx=\"" + N(radius) + "\"";
    out_ += std::string(" fill=\"") + fill + "\"";
    if (stroke != nullptr) out_ += std::string(" stroke=\"") + stroke + "\"";
    out_ += "/>\n";
  }
  void Raw(const std::string& text) { out_ += text; }

  // A finding badge whose left edge is `x`, on the text line whose baseline is `y`.
  void Badge(int x, int y, const std::string& finding) {
    Rect(x, y - 12, BadgeWidth(finding), 16, kFinding, nullptr, 3);
    Text(x + 5, y, finding, kSmall, " font-weight=\"bold\"");
  }
  // A row with its badge, if any; returns where the row ends.
  int Item(int x, int y, const BattleOverview::Item& item, const char* attributes = "") {
    Text(x, y, item.text, kText, attributes, item.dim ? kDim : kInk);
    int end = x + TextWidth(item.text, kText);
    if (!item.finding.empty()) {
      Badge(end + 6, y, item.finding);
      end += 6 + BadgeWidth(item.finding);
    }
    return end;
  }

  std::string Take() { return std::move(out_); }

  static std::string N(int value) { return std::to_string(value); }

 private:
  std::string out_;
};

// A row of groups side by side at `y`, `widths` wide each; returns the row's height.
int GroupRow(Svg& svg, int x, int y, const std::vector<BattleOverview::Group>& groups,
             const std::vector<int>& widths) {
  int height = 0;
  for (std::size_t k = 0; k < groups.size(); ++k) {
    const BattleOverview::Group& group = groups[k];
    svg.Rect(x, y, widths[k], 4, RoleColour(group.role));
    int row = y + 22;
    svg.Text(x + kPad, row, group.heading, 14, " font-weight=\"bold\"");
    for (const auto& note : group.notes) {
      row += kRow;
      svg.Item(x + kPad, row, note, " font-style=\"italic\"");
    }
    for (const auto& item : group.items) {
      row += kRow;
      svg.Item(x + kPad, row, item);
    }
    height = std::max(height, GroupHeight(group));
    x += widths[k] + kGap;
  }
  return height;
}

// Column widths that fill `total`: each at least its content, the rest shared out evenly.
std::vector<int> Spread(std::vector<int> widths, int total) {
  int used = kGap * static_cast<int>(widths.size() - 1);
  for (int w : widths) used += w;
  const int extra = std::max(0, total - used);
  const int count = static_cast<int>(widths.size());
  for (int k = 0; k < count; ++k) widths[static_cast<std::size_t>(k)] += extra / count;
  widths.back() += extra % count;
  return widths;
}

int Sum(const std::vector<int>& widths) {
  int total = kGap * static_cast<int>(widths.size() - 1);
  for (int w : widths) total += w;
  return total;
}

// Widths first: the page grows to the widest content.
struct Layout {
  std::vector<int> general;  // the columns of the groups before the systems
  std::vector<int> roles;    // the columns of a system's groups, the same in every system
  int whenWidth = 70;        // the times of the time lines, right-aligned
  int content = kMinContent;
};

Layout MeasureLayout(const BattleOverview& overview) {
  Layout layout;
  for (const auto& group : overview.general) layout.general.push_back(GroupWidth(group));
  layout.roles.assign(4, kMinColumn);
  for (const auto& system : overview.systems) {
    for (std::size_t k = 0; k < system.groups.size() && k < layout.roles.size(); ++k) {
      layout.roles[k] = std::max(layout.roles[k], GroupWidth(system.groups[k]));
    }
    for (const auto& event : system.events) {
      layout.whenWidth = std::max(layout.whenWidth, TextWidth(event.when, kText));
    }
  }
  const int textLeft = layout.whenWidth + 28;  // from the frame's inner edge
  int content = std::max({kMinContent, Sum(layout.general), Sum(layout.roles) + 2 * kInset,
                          TextWidth(overview.title, 24, true)});
  for (const auto& system : overview.systems) {
    int heading = TextWidth(system.heading, 16, true);
    if (!system.finding.empty()) heading += 8 + BadgeWidth(system.finding);
    content = std::max({content, heading + 2 * kInset, TextWidth(system.details, 12) + 2 * kInset});
    for (const auto& event : system.events) {
      int width = textLeft + ItemWidth({event.what, event.finding});
      if (!event.dialog.empty()) width += 8 + TextWidth(kDialogLabelOne, kSmall) + 30;
      content = std::max(content, width + 2 * kInset);
    }
  }
  layout.content = content;
  layout.general = Spread(layout.general, content);
  layout.roles = Spread(layout.roles, content - 2 * kInset);
  return layout;
}

// The title, the file name, the title lines and the groups before the systems; returns where
// the first system begins.
int DrawHeading(Svg& svg, const BattleOverview& overview, const Layout& layout) {
  int y = kMargin + 24;
  svg.Text(kMargin, y, overview.title, 24, " font-weight=\"bold\"");
  y += 20;
  svg.Text(kMargin, y, overview.fileName, 12, "", kDim);
  for (const std::string& line : overview.titleLines) {
    for (const std::string& part : Wrap(line, layout.content, 14)) {
      y += 20;
      svg.Text(kMargin, y, part, 14, " font-style=\"italic\"");
    }
  }
  y += 18;
  return y + GroupRow(svg, kMargin, y, overview.general, layout.general) + 18;
}

// One event of a time line whose baseline is `row`: its time, what happens, and its dialog as
// a marker (all lines in its tooltip) followed by as much of the first line as fits.
void DrawEvent(Svg& inner, const BattleOverview::Event& event, const Layout& layout, int axis,
               int row) {
  const int left = kMargin;
  inner.Text(left + kInset + layout.whenWidth, row, event.when, kText, " text-anchor=\"end\"",
             kDim);
  int end = inner.Item(axis + 14, row, {event.what, event.finding});
  if (event.dialog.empty()) return;
  const std::string label = DialogLabel(event.dialog.size());
  const int markerWidth = TextWidth(label, kSmall) + 12;
  std::string tooltip;
  for (const std::string& line : event.dialog) {
    tooltip += (tooltip.empty() ? "" : "\n") + line;
  }
  inner.Raw("<g>\n<title>" + EscapeXml(tooltip) + "</title>\n");
  inner.Rect(end + 10, row - 13, markerWidth, 17, kDialogFill, kDialogStroke, 8);
  inner.Text(end + 16, row - 1, label, kSmall, "", kDialogStroke);
  inner.Raw("</g>\n");
  end += 10 + markerWidth + 8;
  const int room = left + layout.content - kInset - end;
  if (room > 60) {
    inner.Text(end, row, Fit("\xE2\x80\x9C" + event.dialog.front() + "\xE2\x80\x9D", room, 12), 12,
               " font-style=\"italic\"", kDim);
  }
}

// A system's frame from `top`: the band with its name and details, its groups and its time
// line. Returns where the next part begins.
int DrawSystem(Svg& svg, const BattleOverview::System& system, const Layout& layout, int top) {
  const int left = kMargin;
  Svg inner;  // drawn after the frame, which needs its height
  int row = top + 24;
  inner.Text(left + kInset, row, system.heading, 16, " font-weight=\"bold\"");
  if (!system.finding.empty()) {
    inner.Badge(left + kInset + TextWidth(system.heading, 16, true) + 8, row - 1, system.finding);
  }
  row += 18;
  inner.Text(left + kInset, row, system.details, 12, "", kDim);
  row += 14;
  const int band = row - top;
  row += 10;
  row += GroupRow(inner, left + kInset, row, system.groups, layout.roles) + 8;

  row += 4;
  inner.Text(left + kInset, row, "Time line", 12, " font-weight=\"bold\"", kDim);
  const int axis = left + kInset + layout.whenWidth + 14;
  const int firstDot = row + 18 - 4;
  std::string dots;
  for (const BattleOverview::Event& event : system.events) {
    row += kEventRow;
    dots += "<circle cx=\"" + Svg::N(axis) + "\" cy=\"" + Svg::N(row - 4) + "\" r=\"5\" fill=\"" +
            RoleColour(event.role) + "\" stroke=\"#ffffff\"/>\n";
    DrawEvent(inner, event, layout, axis, row);
  }
  const int lastDot = row - 4;
  row += 16;
  svg.Rect(left, top, layout.content, row - top, "#ffffff", kFrame, 6);
  svg.Rect(left + 1, top + 1, layout.content - 2, band, kBand, nullptr, 5);
  if (!system.events.empty()) {
    svg.Raw("<line x1=\"" + Svg::N(axis) + "\" y1=\"" + Svg::N(firstDot) + "\" x2=\"" +
            Svg::N(axis) + "\" y2=\"" + Svg::N(lastDot) +
            "\" stroke=\"#B0B0B0\" stroke-width=\"2\"/>\n");
  }
  svg.Raw(inner.Take() + dots);
  return row + 18;
}

// What the catalogs lack, one bulleted row each (wrapped); returns where the page ends.
int DrawFindings(Svg& svg, const std::vector<std::string>& findings, const Layout& layout, int y) {
  const int left = kMargin;
  y += 6;
  svg.Text(left, y, "Check findings", 16, " font-weight=\"bold\"");
  std::vector<std::string> rows = findings;
  if (rows.empty()) rows.push_back("The battle looks FINE! No missing objects found!");
  for (const std::string& finding : rows) {
    bool first = true;
    for (const std::string& part : Wrap(finding, layout.content - 20, kText)) {
      y += kRow;
      if (first && !findings.empty()) {
        svg.Raw("<circle cx=\"" + Svg::N(left + 5) + "\" cy=\"" + Svg::N(y - 4) +
                "\" r=\"4\" fill=\"" + kFinding + "\"/>\n");
      }
      svg.Text(left + 16, y, part);
      first = false;
    }
  }
  return y + 12;
}

// The SVG document around the drawn `body`, on a white page.
std::string Document(const std::string& title, int width, int height, const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
         Svg::N(width) + "\" height=\"" + Svg::N(height) + "\" viewBox=\"0 0 " + Svg::N(width) +
         " " + Svg::N(height) + "\" role=\"img\">\n<title>" +
         EscapeXml("Battle overview: " + title) + "</title>\n<g font-family=\"" + kFontFamily +
         "\" font-size=\"" + Svg::N(kText) + "\" fill=\"" + kInk + "\">\n<rect width=\"" +
         Svg::N(width) + "\" height=\"" + Svg::N(height) + "\" fill=\"#ffffff\"/>\n" + body +
         "</g>\n</svg>\n";
}

}  // namespace

std::string EscapeXml(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        // The model replaced control characters already; a stray one must still not reach
        // an XML reader.
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') {
          out += "\xEF\xBF\xBD";
        } else {
          out += c;
        }
    }
  }
  return out;
}

std::string RenderOverviewSvg(const BattleOverview& overview) {
  const Layout layout = MeasureLayout(overview);
  Svg svg;
  int y = DrawHeading(svg, overview, layout);
  for (const BattleOverview::System& system : overview.systems) {
    y = DrawSystem(svg, system, layout, y);
  }
  if (overview.findings) y = DrawFindings(svg, *overview.findings, layout, y);
  return Document(overview.title, layout.content + 2 * kMargin, y + kMargin - 18, svg.Take());
}

}  // namespace vk7
