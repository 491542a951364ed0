// The content layer's case files, a runner each (what the overview shows, what the battle index
// and names accept, what the catalogs hold, how dialog lines parse, what a finish refuses or
// forces, what the catalog check lists).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "battle/game_folder.h"
#include "battle/recording_reporter.h"
#include "battle/text_line_file.h"
#include "content/battle_checker.h"
#include "content/battle_index.h"
#include "content/battle_name.h"
#include "content/battle_overview.h"
#include "content/dialog_text.h"
#include "content/finish_validation.h"
#include "content/overview_svg.h"
#include "content/overview_text.h"
#include "content/ship_catalog.h"
#include "content/system_catalog.h"
#include "support/battle_text.h"
#include "support/case_file.h"
#include "support/model_builders.h"

namespace vk7 {
namespace {

using Names = std::vector<std::string>;
using test_support::Case;
using test_support::Refuse;

// A case's own input lines (those of its "@" line left out) and the kind its "@" line names,
// one of `kinds` ("" for none).
std::string Kind(const Case& c, const std::set<std::string>& kinds) {
  const std::string kind = c.context.empty() ? "" : c.context[0];
  if (c.context.size() > 1 || !kinds.contains(kind)) Refuse(c, kind, "no such kind of case");
  return kind;
}
Names Own(const Case& c) {
  return {c.input.begin() + static_cast<std::ptrdiff_t>(c.context.size()), c.input.end()};
}

std::string Joined(const Names& names, const std::string& bar = "|") {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : bar) + name;
  return text;
}

Names Lines(const std::string& text) {
  Names lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

const std::string kGame = VK7_EXAMPLES_DIR "/game";

CheckResult CheckedAgainstTheDemo(const BattleConfig& config) {
  RecordingReporter reporter;
  ShipCatalog ships;
  SystemCatalog systems;
  EXPECT_TRUE(ships.Load(GameFolder(kGame), reporter) && systems.Load(GameFolder(kGame), reporter));
  return CheckBattle(config, ships, systems);
}

// Flags in a state no file holds (coordinates and a planet for one role, a warp-disable value
// left behind its lowered flag): the overview and the check see what a save writes. A control
// character that reached the picture's text past the model is still replaced.
TEST(BattleOverview, SeesWhatASaveWritesAndEscapesWhatReachesIt) {
  BattleConfig config;
  StarSystem& s = config.systems.emplace_back(test::System("Sol"));
  s.hulkPosition = {1, 2, 3, "Moon"};
  s.hulkCoordsDefined = s.hulkPlanetDefined = s.warpDisablePlayer = true;
  s.hulks = {test::Ship("Wreck")};
  const auto catalog = test::CatalogFrom<SystemCatalog>("Sol=Earth\n");
  const CheckResult check =
      CheckBattle(config, test::CatalogFrom<ShipCatalog>("Hull=Wreck\n"), catalog);
  EXPECT_EQ(check.missingPlanets, Names{});
  const BattleOverview overview = BuildOverview(config, &check);
  EXPECT_EQ(overview.systems[0].details, "AI battle");
  EXPECT_EQ(overview.systems[0].groups.back().notes[0].text, "starts at x 1, y 2, z 3");
  EXPECT_EQ(EscapeXml("<a\x01\t\n\x1F>"), "&lt;a\xEF\xBF\xBD\t\n\xEF\xBF\xBD&gt;");
}

// The text overview's lines, then the picture's without positions and heights, and texts without
// their style (the golden picture shows each kind's): what is drawn, in which colour and how wide.
// A dialog marker keeps its left edge, which tells where the row before it ends (and so pins the
// width of every character in it).
Names Shown(const BattleOverview& overview) {
  Names shown = Lines(RenderOverviewText(overview));
  static const std::regex kPlace(R"( (x|y|x1|y1|x2|y2|cx|cy|height|viewBox)="[^"]*")");
  static const std::regex kMarkerPlace(R"( (y|height)="[^"]*")");
  static const std::regex kStyle(
      R"( (x|y|font-size|fill|font-style|font-weight|text-anchor)="[^"]*")");
  for (const std::string& line : Lines(RenderOverviewSvg(overview))) {
    const bool marker = line.find("#DDEFFA") != std::string::npos;
    shown.push_back(std::regex_replace(line,
                                       line.starts_with("<text") ? kStyle
                                       : marker                  ? kMarkerPlace
                                                                 : kPlace,
                                       ""));
  }
  return shown;
}

// The expected lines when the overview shows them in their order, each right after the one
// before unless a line "..." stands between them; else where it does not, and all it shows.
Names Overview(const Case& c) {
  const bool checked = Kind(c, {"", "checked"}) == "checked";
  Names lines = Own(c);
  const auto has = [&](const std::string& key) {
    return std::ranges::any_of(lines, [&](const std::string& l) { return l.starts_with(key); });
  };
  if (!has("Player =")) lines.insert(lines.begin(), "Player = LANCE");
  if (!has("System =")) lines.push_back("System = Keth");
  const test_support::ReadOutcome read = test_support::ReadBattleLines(lines);
  if (!read.ok) return {read.Describe()};
  const std::optional<CheckResult> check =
      checked ? std::optional(CheckedAgainstTheDemo(read.config)) : std::nullopt;
  Names shown = Shown(BuildOverview(read.config, check ? &*check : nullptr));
  auto at = shown.end();  // where the last expected line was found
  bool skip = true;
  for (const std::string& line : c.expected) {
    const auto from = at == shown.end() ? shown.begin() : std::next(at);
    at = skip ? std::find(from, shown.end(), line) : from;
    if (line != "..." && (at == shown.end() || *at != line)) {
      shown.insert(shown.begin(), "not shown where expected: " + line);
      return shown;
    }
    skip = line == "...";
  }
  return c.expected;
}

// An index read from memory, then edited a step at a time.
Names Index(const Case& c) {
  const Names own = Own(c);
  const auto steps = std::ranges::find_if(own, [](auto& l) { return l.starts_with("> "); });
  const bool given = steps != own.begin();
  const std::string text = given ? Joined({own.begin(), steps}, "\n")
                                 : "VK7 Available Battles\nFile Format Version 1.0\nA\nB\nC";
  TextLineFile source;
  source.OpenMemory(text);
  BattleIndex x;
  RecordingReporter reporter;
  const auto isBattle = [](const std::string& name) { return name.find('?') == name.npos; };
  Names shown = x.Read(source, isBattle, reporter) && given ? Names{Joined(x.Entries())}
                                                            : test::Log(reporter);
  for (auto step = steps; step != own.end(); ++step) {
    const std::string op = step->substr(2, step->find(' ', 2) - 2);
    const std::string arg = step->substr(std::min(op.size() + 3, step->size()));
    const std::size_t at = std::isdigit(static_cast<unsigned char>(arg[0])) ? std::stoul(arg) : 0;
    const std::string name = arg.substr(arg.find(' ') + 1);
    std::optional<std::size_t> current;
    if (op == "add") {
      current = x.Add(arg) ? x.Contains(arg) : std::nullopt;
    } else if (op == "find" || op == "up" || op == "down") {
      current = op == "find" ? x.Contains(arg) : op == "up" ? x.MoveUp(at) : x.MoveDown(at);
    } else if (op == "remove") {
      x.RemoveAt(at);
    } else if (op == "theirs") {
      x.Merge(Lines(std::regex_replace(arg, std::regex("[|]"), "\n")));
    } else if (op == "reread") {
      x.Read((source.OpenMemory(text), source), isBattle, reporter);
    } else if (op == "rename") {
      current = x.RenameAt(at, name[0] == '#' ? x.Entries()[std::stoul(name.substr(1))] : name);
    } else {
      Refuse(c, *step, "no such step");
    }
    shown.push_back((current ? std::to_string(*current) : "-") + "; " + Joined(x.Entries()) +
                    (x.Changed() ? "; changed" : "; unchanged"));
  }
  return shown;
}

// Battle names, each shown as accepted or refused (with its one error), one line for all when
// they are alike; or typed names, each shown as the name taken and whether it was refused.
Names BattleNames(const Case& c) {
  const std::string kind = Kind(c, {"names", "typed", "index"});
  if (kind == "index") return Index(c);
  Names shown;
  for (const std::string& name : Own(c)) {
    RecordingReporter reporter;
    if (kind == "typed") {
      const auto taken = TypedBattleName(name, reporter, "First Patrol");
      shown.push_back((taken ? "[" + *taken + "]" : "nothing") +
                      (reporter.Entries().empty() ? "" : ", refused"));
      continue;
    }
    const bool accepted = CheckBattleName(name, reporter);
    const Names log = test::Log(reporter);
    EXPECT_EQ(log.size(), accepted ? 0u : 1u) << name;
    shown.push_back(accepted ? "accepted" : c.expected[0] == "refused" ? "refused" : log.at(0));
  }
  const bool alike = kind == "names" && std::ranges::count(shown, shown[0]) == std::ssize(shown);
  return alike ? Names{shown[0]} : shown;
}

std::string Find(const ShipCatalog& catalog, const std::string& name) {
  const ShipEntry* found = catalog.FindShipClass(name);
  return found ? found->name : "none";
}

std::string Find(const SystemCatalog& catalog, const std::string& name) {
  const std::size_t slash = name.find('/');
  const CatalogSystem* found = catalog.FindSystem(name.substr(0, slash));
  if (slash != std::string::npos) {
    return found != nullptr && found->HasPlanet(name.substr(slash + 1)) ? "yes" : "no";
  }
  Names planets;
  catalog.FillPlanetList(test::System(name), planets);
  return found == nullptr ? "none" : found->name + " (" + Joined(planets, ", ") + ")";
}

template <typename Catalog>
Names Answers(const Names& input) {
  std::string text;
  Names lookups;
  for (const std::string& line : input) {
    (line[0] == '@' || line.starts_with("? ") ? lookups.emplace_back()
                                              : text += (text.empty() ? "" : "\n")) += line;
  }
  const Catalog catalog = test::CatalogFrom<Catalog>(text);
  Names rows;  // ship rows, or system rows with their planets
  if constexpr (std::is_same_v<Catalog, ShipCatalog>) {
    catalog.FillShipClassList(rows);
    for (const ShipEntry& entry : catalog.Entries()) EXPECT_TRUE(entry.hasClass && entry.hasName);
  } else {
    catalog.FillSystemList(rows);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      for (const std::string& planet : catalog.Systems()[i].planets) rows[i] += "=" + planet;
    }
  }
  for (const std::string& q : lookups) {
    rows.push_back(q[0] == '@' ? q + ": " + catalog.NameAt(std::stoul(q.substr(1))).value_or("none")
                               : q.substr(2) + ": " + Find(catalog, q.substr(2)));
  }
  return rows;
}

Names Catalogs(const Case& c) {
  return Kind(c, {"ships", "systems"}) == "ships" ? Answers<ShipCatalog>(Own(c))
                                                  : Answers<SystemCatalog>(Own(c));
}

// Parsed lines with the repairs noted; a dialog list without repairs formats to text that
// parses back to it.
Names DialogLines(const Case& c) {
  const std::string text = Joined(Own(c), "\n");
  Names got;
  const auto note = [&](std::array<bool, 4> noted) {
    for (std::size_t i = 0; i < 4; ++i) {
      if (noted[i])
        got.push_back(std::string("note: ") +
                      std::array{"truncated", "speaker", "hash", "noText"}[i]);
    }
    return got;
  };
  if (Kind(c, {"", "title"}) == "title") {
    TitleNotes n;
    for (const std::string& line : SplitEditedLines(text)) {
      if (auto p = ParseTitleLine(line, n)) got.push_back(p->text + "|" + p->voice);
    }
    return note({n.truncated, false, n.hashReplaced, n.lineWithoutText});
  }
  DialogNotes n, none;
  std::vector<DialogLine> list, back;
  RebuildDialogList(text, list, n);
  for (const DialogLine& d : list) got.push_back(d.speaker + "|" + d.text + "|" + d.voice);
  RebuildDialogList(FormatDialogLines(list), back, none);
  EXPECT_EQ(back, list);
  EXPECT_EQ(none, DialogNotes{});
  return note({n.truncated, n.defaultSpeakerUsed, n.hashReplaced, n.lineWithoutText});
}

// What the catalogs the case gives lack; or what a finish shows, which leaves a battle it refuses
// alone and changes only the battle mode of the systems it names in one that passes.
Names Checks(const Case& c) {
  const bool finish = Kind(c, {"", "finish"}) == "finish";
  std::string catalogs[2];  // vkships.txt, vk7sys.txt
  Names lines, statistic;
  for (const std::string& line : Own(c)) {
    const bool ships = line.starts_with("vkships.txt: ");
    if (ships || line.starts_with("vk7sys.txt: ")) {
      catalogs[ships ? 0 : 1] += line.substr(line.find(": ") + 2) + "\n";
    } else {
      (line.starts_with("Stat: ") ? statistic : lines).push_back(line);
    }
  }
  test_support::ReadOutcome read = test_support::ReadBattleLines(lines);
  if (!read.ok) return {read.Describe()};
  Names shown;
  if (!finish) {
    const CheckResult r = CheckBattle(read.config, test::CatalogFrom<ShipCatalog>(catalogs[0]),
                                      test::CatalogFrom<SystemCatalog>(catalogs[1]));
    for (const auto& s : r.missingShipClasses) shown.push_back("missing ship class: " + s);
    shown.insert(shown.end(), r.shipDetails.begin(), r.shipDetails.end());
    for (const auto& s : r.missingPlanets) shown.push_back("missing planet: " + s);
    shown.insert(shown.end(), r.planetDetails.begin(), r.planetDetails.end());
    for (const auto& s : r.missingSystems) shown.push_back("missing system: " + s);
    EXPECT_EQ(r.anyMissing, !shown.empty());
    return shown;
  }
  for (StarSystem& s : read.config.systems) {
    if (std::ranges::count(statistic, "Stat: " + s.name) == 0) continue;
    s.battleMode = BattleMode::Stat;
    s.battleModeDefined = true;
  }
  BattleConfig config = read.config;
  RecordingReporter reporter;
  const bool passed = CheckFinishAndForceAiMode(config, reporter);
  shown = test::Log(reporter);
  EXPECT_EQ(passed, shown.empty() || !shown[0].starts_with("error|"));
  for (std::size_t i = 0; i < config.systems.size(); ++i) {
    StarSystem& before = read.config.systems[i];
    if (before.battleMode == config.systems[i].battleMode) continue;
    shown.push_back("forced to AI: " + before.name);
    before.battleMode = BattleMode::AI;
  }
  EXPECT_TRUE(read.config == config);
  return shown;
}

const std::map<std::string, Names (*)(const Case&)> kRunners = {{"overview", Overview},
                                                                {"battle_index", BattleNames},
                                                                {"catalogs", Catalogs},
                                                                {"dialog_lines", DialogLines},
                                                                {"battle_checks", Checks}};

std::vector<Case> AllCases() {
  std::vector<std::string> files;
  for (const auto& [file, run] : kRunners) files.push_back(file);
  return test_support::LoadCaseFiles("content/cases", files);
}

class ContentCase : public ::testing::TestWithParam<Case> {};

TEST_P(ContentCase, ShowsWhatIsExpected) {
  const Case& c = GetParam();
  EXPECT_EQ(kRunners.at(c.name.substr(0, c.name.rfind('_')))(c), c.expected) << c.where;
}

INSTANTIATE_TEST_SUITE_P(Cases, ContentCase, ::testing::ValuesIn(AllCases()),
                         test_support::CaseName());

TEST(DialogText, FormatsLinesWarningsAndRows) {
  EXPECT_EQ(DialogNoteWarnings({true, true, true, true}),
            (Names{"At least one speaker or dialog line was longer than allowed. Object has been "
                   "truncated.",
                   "At least one dialog line had no speaker definition. Default speaker inserted.",
                   "At least one voice file, speaker or dialog line contained a # sign. This sign "
                   "has been replaced by a *.",
                   "At least one dialog line contained a speaker or voice file, but no text. Line "
                   "has been removed."}));
  EXPECT_EQ(
      FormatDialogLines({test::Line("Pilot", "Go"), test::Line("Tower", "Go: now", "t1.acm")}),
      "Pilot: Go\r\n[t1.acm] Tower: Go: now\r\n");
  // A text without a voice entry at its position is left out.
  EXPECT_EQ(FormatTitleLines({"One", "Two", "Three"}, {"", "v2"}), "One\r\n[v2] Two\r\n");
  EXPECT_EQ(SplitEditedLines(std::string(600, 'x') + "\r\ny\r\n"),
            (Names{std::string(511, 'x'), "y"}));
  EXPECT_EQ(FormatShipEntry(ShipEntry{"HC1", "stale", true, false}), "HC1");
  EXPECT_EQ(FormatShipEntry(test::Ship("HC1", "Resolute")), "HC1 --> Resolute");
  StarSystem system = test::System("Keth");
  system.friends.resize(1);
  system.enemies.resize(2);
  system.neutrals.resize(3);
  system.hulks.resize(14);
  EXPECT_EQ(FormatStarSystem(system), "Keth\t (1 Friends, 2 Enemies, 3 Neutrals, 14 Hulks)");
}

}  // namespace
}  // namespace vk7
