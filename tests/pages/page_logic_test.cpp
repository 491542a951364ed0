// The pages' decisions, as steps of the one-line cases of pages/cases/page_logic.txt (the
// wizard's pages, the check results, the name box and the coordinates box), options_pages.txt
// and action_pages.txt; what no battle file holds; and the number fields' rules.
#include <gtest/gtest.h>
#include <algorithm>
#include <map>
#include <new>
#include <sstream>

#include "battle/string_helpers.h"
#include "content/battle_checker.h"
#include "content/dialog_text.h"
#include "pages/action_time.h"
#include "pages/actions_page_logic.h"
#include "pages/check_results_page_logic.h"
#include "pages/dialog_lines_box_logic.h"
#include "pages/edit_ship_name.h"
#include "pages/general_options_page_logic.h"
#include "pages/general_page_logic.h"
#include "pages/neutral_behavior_page_logic.h"
#include "pages/page_test_support.h"
#include "pages/position_page_logic.h"
#include "pages/system_options_page_logic.h"
#include "pages/system_ships_page_logic.h"
#include "pages/systems_page_logic.h"
#include "support/case_file.h"

namespace vk7 {
namespace {

using test_support::Case;

// Rows from 0: DD, SC1, HC1, NOLABEL; and Sol, Vega, SOL, Keth, Arra, Rigel, Deneb.
const ShipCatalog kShips = test::CatalogFrom<ShipCatalog>(
    "Destroyer=DD\nScout Ship = SC1\nHeavy Cruiser = HC1\n= NOLABEL\n");
const SystemCatalog kSystems = test::CatalogFrom<SystemCatalog>(
    "Sol=Earth=Mars\nVega=Vega I\nSOL\nKeth=Keth Prime\nArra\nRigel\nDeneb\n");

// What a case spells that the runner cannot read: a step, or a page's choice.
struct Unreadable : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::string Text(bool value) {
  return value ? "true" : "false";
}
template <typename T>
std::string Text(const std::optional<T>& value) {
  if (!value) return "nothing";
  std::ostringstream out;
  out << *value;
  return out.str();
}

using Names = std::vector<std::string>;
const Names kWarpIn = {"Initially", "After"}, kWarpOut = {"Never", "After", "AfterCleared"},
            kBehavior = {"EnemyWhenAttacked", "EnemyAfter", "FriendAfter", "Random"},
            kExit = {"Never", "WarpOutAfter", "WarpOutAfterCleared", "JoinEscortAfter",
                     "JoinEscortAfterCleared"};

// A page's groups in the case file's order: each choice, the names it goes by and the texts of
// its time edits.
template <typename F>
void Groups(ActionsPageState& s, F f) {
  f(kWarpIn, s.friendWarpIn, s.friendWarpInTime);
  f(kWarpIn, s.enemyWarpIn, s.enemyWarpInTime);
  f(kWarpOut, s.enemyWarpOut, s.enemyWarpOutTime);
  f(kExit, s.friendExit, s.friendWarpOutTime, s.joinEscortTime);
}
template <typename F>
void Groups(NeutralBehaviorPageState& s, F f) {
  f(kWarpIn, s.warpIn, s.warpInTime);
  f(kWarpOut, s.warpOut, s.warpOutTime);
  f(kBehavior, s.behavior, s.behaviorTime);
}

// A page as the case file writes it, "_" for an empty text.
template <typename State>
std::string Show(State s) {
  std::string shown;
  Groups(s, [&](const Names& names, auto choice, const auto&... texts) {
    shown += (shown.empty() ? "" : ", ") + names.at(static_cast<std::size_t>(choice));
    ((shown += " " + (texts.empty() ? "_" : texts)), ...);
  });
  return shown;
}
template <typename State>
State Parse(std::string text) {
  std::ranges::replace(text, ',', ' ');
  std::istringstream in(text);
  State s;
  Groups(s, [&in](const Names& names, auto& choice, auto&... texts) {
    std::string word;
    in >> word;
    const auto at = word.empty() ? names.begin() : std::ranges::find(names, word);
    if (at == names.end()) throw Unreadable("no choice " + word);
    choice = static_cast<std::remove_reference_t<decltype(choice)>>(at - names.begin());
    ((texts = (in >> word && word != "_") ? word : ""), ...);
  });
  if (std::string rest; in >> rest) throw Unreadable("more than the page holds: " + rest);
  return s;
}

// What a case typed into the options pages' edits, by edit.
using Typed = std::map<std::string, std::string>;
bool OnGeneral(const std::string& edit) {
  return edit.starts_with("Title") || edit == "Script Remarks";
}

// Both options pages on "Ok", each if something was typed into it.
bool OptionsOk(BattleConfig& config, const Typed& typed, Reporter& reporter) {
  GeneralOptionsState general = OpenGeneralOptions(config);
  SystemOptionsState system = OpenSystemOptions(config.systems[0]);
  const std::map<std::string, std::string*> edits = {{"Title", &general.title},
                                                     {"Title Lines", &general.titleLines},
                                                     {"Script Remarks", &general.remarks},
                                                     {"Stardate", &system.stardate},
                                                     {"Starting Dialogs", &system.startingDialogs},
                                                     {"Ending Dialogs", &system.endingDialogs}};
  bool onGeneral = false, onSystem = false;
  for (const auto& [edit, text] : typed) {
    if (!edits.contains(edit)) throw Unreadable("no edit " + edit);
    *edits.at(edit) = text;
    (OnGeneral(edit) ? onGeneral : onSystem) = true;
  }
  const BattleConfig before = config;
  bool ok = !onGeneral || Apply(general, config, reporter);
  if (onSystem) ok = Apply(system, config.systems[0], reporter) && ok;
  EXPECT_TRUE(ok || config == before);
  return ok;
}

// Each field of the coordinates box given `text`, the others valid: "kept = stored", or
// "refused" with the field's error, the fields staying as they were. The same in every field.
std::string Coordinates(const std::string& text, Reporter& reporter) {
  std::vector<std::string> results;
  RecordingReporter first;
  for (std::size_t field = 0; field < 3; ++field) {
    CoordinateTexts typed = {"1", "2", "3"}, accepted = {"old", "old", "old"};
    typed[field] = text;
    RecordingReporter errors;
    const auto refused = AcceptCoordinates(typed, accepted, errors);
    results.push_back(
        refused == field && accepted == CoordinateTexts{"old", "old", "old"} ? "refused"
        : !refused && errors.Entries().empty()
            ? accepted[field] + " = " + std::to_string(CoordinateValue(accepted[field]))
            : "wrong field");
    EXPECT_EQ(errors.Entries(), field == 0 ? errors.Entries() : first.Entries());
    if (field == 0) first = errors;
  }
  first.ReplayTo(reporter);
  return std::ranges::count(results, results[0]) == 3 ? results[0] : "differs by field";
}

// "NameShip row|typed": the name box for the first ship whose row shows so.
std::string NameShip(BattleConfig& config, const std::string& rest, Reporter& reporter) {
  const std::size_t bar = rest.find('|');
  std::vector<ShipEntry*> ships = {&config.player};
  for (ShipEntry& ship : config.escorts) ships.push_back(&ship);
  for (StarSystem& system : config.systems) {
    for (auto r : {ShipRole::Friend, ShipRole::Enemy, ShipRole::Neutral, ShipRole::Hulk}) {
      for (ShipEntry& ship : system.Ships(r)) ships.push_back(&ship);
    }
  }
  const auto at = std::ranges::find(ships, rest.substr(0, bar),
                                    [](const ShipEntry* s) { return FormatShipEntry(*s); });
  if (at == ships.end()) throw Unreadable("no ship " + rest.substr(0, bar));
  const auto entered =
      bar == std::string::npos ? std::nullopt : std::optional(rest.substr(bar + 1));
  const std::string named = Text(ApplyShipName(**at, config, entered, reporter));
  return named + " " + FormatShipEntry(**at);
}

std::string Join(const std::vector<std::string>& parts, const std::string& by) {
  std::string joined;
  for (const std::string& part : parts) joined += (joined.empty() ? "" : by) + part;
  return joined;
}

// One step of a case, as "Verb numbers..." (ships as "system role row"); gives its result,
// nothing for what was only typed.
std::string Step(BattleConfig& config, Typed& typed, const std::string& step, Reporter& reporter) {
  const std::string edit = step.substr(0, step.find(':'));
  if (edit != step && (OnGeneral(edit) || edit == "Stardate" || edit.ends_with(" Dialogs"))) {
    std::string& text = typed[edit];
    text += (text.empty() ? "" : "\n") + step.substr(edit.size() + 1);
    return {};
  }
  StarSystem& first = config.systems.at(0);
  if (step == "Ok") return Text(OptionsOk(config, typed, reporter));
  if (edit == "actions")
    return Text(ApplyActions(Parse<ActionsPageState>(step.substr(8)), first, reporter));
  if (edit == "neutrals") {
    return Text(
        ApplyNeutralBehavior(Parse<NeutralBehaviorPageState>(step.substr(9)), first, reporter));
  }
  if (step == "OpenActions") return Show(OpeningActionsState(first));
  if (step == "OpenNeutrals") return Show(OpeningNeutralBehaviorState(first));
  std::istringstream in(step);
  std::string verb, role, rest;
  std::size_t a = 0, b = 0;
  int number = 0;
  in >> verb;
  std::getline(in >> std::ws, rest);
  if (verb == "Coordinates") return Coordinates(step.substr(12), reporter);
  if (verb == "NameShip") return NameShip(config, rest, reporter);
  if (verb == "CheckShipName") return config.CheckShipName(rest, true) ? "free" : "taken";
  if (verb == "Check") {
    const CheckResultsView view = BuildCheckResultsView(CheckBattle(config, kShips, kSystems));
    std::string shown = Text(view.anyMissing);
    for (const auto& rows : view.rows) shown += " " + Join(rows, "; ") + " /";
    return shown + " " + view.summary;
  }
  in.clear(), in.str(rest);
  if (verb == "AddShip" || verb == "RemoveShip") {
    in >> number >> role >> a;
    const std::map<std::string, ShipRole> roles = {
        {"Friend", ShipRole::Friend}, {"Neutral", ShipRole::Neutral}, {"Hulk", ShipRole::Hulk}};
    std::vector<ShipEntry>& ships = SystemAt(config, number)->Ships(roles.at(role));
    return verb == "AddShip" ? Text(AddShip(ships, kShips, a, reporter))
                             : Text(RemoveShip(ships, a));
  }
  if (verb == "OpenSystemShips") {
    in >> number;
    const auto view = OpenSystemShips(config, number, SystemShipsKind::FriendsEnemies, kShips);
    const StarSystem* system = SystemAt(config, number);
    if (view.hasSystem && system) return system->name;
    const bool empty = view.title.empty() && view.upperRows.empty() && view.lowerRows.empty() &&
                       view.catalogRows.empty() && !system;
    return empty ? "nothing" : "half open";
  }
  in >> a >> b;
  if (verb == "AddSystem") return Text(AddSystem(config, kSystems, a, reporter));
  if (verb == "RemoveSystem") {
    const std::string question = RemoveSystemQuestion(config, a);  // asked before it goes
    return question + Text(RemoveSystem(config, a));
  }
  if (verb == "MoveSystemUp") return Text(MoveSystemUp(config, a));
  if (verb == "MoveSystemDown") return Text(MoveSystemDown(config, a));
  if (verb == "ReplaceSystem") {
    const auto replacement = PrepareSystemReplacement(config, kSystems, a, b, reporter);
    if (!replacement) return "nothing";
    ReplaceSystem(config, *replacement);
    return replacement->question + replacement->note;
  }
  if (verb == "SelectPlayerClass") return Text(SelectPlayerClass(config, kShips, a));
  if (verb == "AddEscort") return Text(AddEscort(config, kShips, a, reporter));
  if (verb == "RemoveEscort") return Text(RemoveEscort(config, a));
  throw Unreadable("no such step");
}

// Added and removed lines ("+ line", "- line") between two lists, along their longest common
// run, so that a case names only what its steps changed.
std::vector<std::string> Changes(const std::vector<std::string>& a,
                                 const std::vector<std::string>& b) {
  std::vector<std::vector<std::size_t>> common(a.size() + 1,
                                               std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = a.size(); i-- > 0;) {
    for (std::size_t j = b.size(); j-- > 0;) {
      common[i][j] =
          a[i] == b[j] ? common[i + 1][j + 1] + 1 : std::max(common[i + 1][j], common[i][j + 1]);
    }
  }
  std::vector<std::string> changes;
  for (std::size_t i = 0, j = 0; i < a.size() || j < b.size();) {
    if (i < a.size() && j < b.size() && a[i] == b[j]) {
      ++i, ++j;
    } else if (j == b.size() || (i < a.size() && common[i + 1][j] >= common[i][j + 1])) {
      changes.push_back("- " + a[i++]);
    } else {
      changes.push_back("+ " + b[j++]);
    }
  }
  return changes;
}

// The remarks and values a battle is written with.
std::vector<std::string> Written(const BattleConfig& config) {
  std::vector<std::string> lines;
  for (const std::string& remark : config.remarks) lines.push_back("//" + remark);
  for (const std::string& value : test_support::WrittenValues(config)) lines.push_back(value);
  return lines;
}

bool IsBattleLine(const std::string& line) {
  return line.starts_with("//") ||
         line.substr(0, line.find(" => ")).find(" = ") != std::string::npos;
}

class PageLogicCase : public testing::TestWithParam<Case> {};

// A case's lines holding " = " or starting with "//" are its battle (in system Sol when they
// name none), the others its steps, each "step => result" where the step gives one. Expected:
// the messages shown, then the lines the steps added to and removed from the written battle.
TEST_P(PageLogicCase, StepsGive) {
  const Case& c = GetParam();
  std::vector<std::string> lines, remarks, written, shown;
  for (const std::string& line : c.input) {
    if (line.starts_with("//")) remarks.push_back(line.substr(2));
    if (IsBattleLine(line) && !line.starts_with("//")) lines.push_back(line);
  }
  if (std::ranges::none_of(lines, [](auto& l) { return l.starts_with("System = "); })) {
    lines.insert(lines.begin(), "System = Sol");
  }
  auto read = test_support::ReadBattleLines(lines);
  ASSERT_TRUE(read.ok) << c.where << " " << read.Describe();
  read.config.remarks = remarks;
  const std::vector<std::string> before = Written(read.config);
  Typed typed;
  for (const std::string& line : c.input) {
    if (IsBattleLine(line)) continue;
    const std::size_t arrow = line.find(" => ");
    const std::string step = line.substr(0, arrow);
    RecordingReporter reporter;
    std::string result;
    try {
      result = Step(read.config, typed, step, reporter);
    } catch (const Unreadable& e) {
      test_support::Refuse(c, line, e.what());
    }
    if (result.empty() != (arrow == std::string::npos)) {
      test_support::Refuse(c, line, "a step gives a result after \" => \" when it has one");
    }
    EXPECT_EQ(line, result.empty() ? step : step + " => " + result) << c.where;
    for (const auto& e : reporter.Entries()) shown.push_back(e.title + ": " + e.text);
  }
  for (const std::string& change : Changes(before, Written(read.config))) shown.push_back(change);
  EXPECT_EQ(shown, c.expected) << c.where;
}

INSTANTIATE_TEST_SUITE_P(Cases, PageLogicCase,
                         testing::ValuesIn(test_support::LoadCaseFiles(
                             "pages/cases", {"page_logic", "options_pages", "action_pages"})),
                         test_support::CaseName());

// States no battle file holds, and times the page's cases cannot spell: blanks around a time and
// a plus sign. Should a battle hold both friend exits, the warp-out wins; a player named without
// a class has no row, and the page cannot go on. An options mode whose flag is down opens on
// the first button, a value outside the named ones on the last; a warp-disable box shows its
// flag, and a checked box stores 1.
TEST(PageLogic, OpensWhatNoFileHolds) {
  EXPECT_EQ(ReadActionTime(" \t"), std::nullopt);
  EXPECT_EQ(ReadActionTime(" 7 "), 7);
  EXPECT_EQ(ReadActionTime("+5"), 5);
  StarSystem s;
  s.friendWarpOutDefined = s.friendJoinEscortDefined = true;
  EXPECT_EQ(OpeningActionsState(s).friendExit, FriendExitChoice::WarpOutAfter);
  BattleConfig config;
  config.player = ShipEntry{"", "Ghost", false, true};
  EXPECT_EQ(OpenGeneralPage(config).playerRow, std::nullopt);
  EXPECT_FALSE(OpenGeneralPage(config).nextEnabled);
  for (const auto& [defined, value, shown] :
       {std::tuple{false, 2, 0}, {true, 1, 1}, {true, 7, 2}, {true, -1, 2}}) {
    BattleOptions& o = config.options;
    o = {WarpOutMode(value), CollisionMode(value), ShipChangeMode(value), value};
    o.warpOutDefined = o.collisionDefined = o.shipChangeDefined = o.perfectCloakDefined = defined;
    const GeneralOptionsState g = OpenGeneralOptions(config);
    EXPECT_EQ(
        (std::vector{int(g.shipChange), int(g.warpOut), int(g.collision), int(g.perfectCloak)}),
        (std::vector{shown, shown, shown, defined && value != 0 ? 1 : 0}))
        << value;
  }
  s = test::System("Sol");
  s.battleMode = static_cast<BattleMode>(5);
  s.battleModeDefined = s.warpDisableFriendDefined = s.warpDisableEnemy = true;
  s.warpDisableNeutralDefined = true;
  SystemOptionsState state = OpenSystemOptions(s);
  EXPECT_EQ(state.battleMode, BattleMode::Stat);
  EXPECT_EQ(state.warpDisableFriend + 2 * state.warpDisableEnemy + 4 * state.warpDisableNeutral +
                8 * state.warpDisablePlayer,
            5);
  state.warpDisablePlayer = true;
  state.warpDisableFriend = false;
  RecordingReporter reporter;
  ASSERT_TRUE(Apply(state, s, reporter));
  EXPECT_EQ(
      (std::vector{s.warpDisablePlayer, s.warpDisablePlayerDefined, s.warpDisableFriend,
                   s.warpDisableFriendDefined, s.warpDisableEnemy, s.warpDisableEnemyDefined}),
      (std::vector{true, true, false, false, true, false}));
}

// Runs out of memory while the first message is being shown.
class ExhaustedReporter : public RecordingReporter {
  bool exhausted_ = false;

 protected:
  void OnMessage(const std::string& title, const std::string& text) override {
    if (!std::exchange(exhausted_, true)) throw std::bad_alloc();
    RecordingReporter::OnMessage(title, text);
  }
};

// Out of memory on the first warning stores nothing: of the options, or of either dialog list.
TEST(PageLogic, OutOfMemoryIsReportedAndStoresNothing) {
  BattleConfig config;
  config.title.title = "Old";
  config.systems = {test::System("Sol")};
  const BattleConfig before = config;
  GeneralOptionsState general = OpenGeneralOptions(config);
  general.title = "New #";
  general.remarks = "other";
  general.collision = CollisionMode::Off;
  SystemOptionsState system = OpenSystemOptions(config.systems[0]);
  system.stardate = "77";
  system.warpDisableNeutral = true;
  system.endingDialogs = "no speaker";
  using Lines = std::vector<DialogLine>;
  Lines upper = {test::Line("A", "b")}, lower = {test::Line("C", "d")};
  const RecordingReporter::Entry oom = {true, "Error", "Out of memory!", std::nullopt};
  for (int page = 0; page < 3; ++page) {
    ExhaustedReporter reporter;
    EXPECT_FALSE(page == 0 ? Apply(general, config, reporter)
                 : page == 1
                     ? Apply(system, config.systems[0], reporter)
                     : StoreDialogLists({{"Wing: Copy", upper}, {"no speaker", lower}}, reporter));
    EXPECT_EQ(reporter.Entries(), std::vector{oom});
  }
  EXPECT_EQ(config, before);
  EXPECT_EQ(upper, Lines{test::Line("A", "b")});
  EXPECT_EQ(lower, Lines{test::Line("C", "d")});
}

// Each number field's rule over one table, shared with the core's reader column.
TEST(NumberFields, EachFieldKeepsItsRule) {
  const auto shown = [](std::optional<std::int32_t> value, const char* none) {
    return value ? std::to_string(*value) : std::string(none);
  };
  for (const Case& c : test_support::LoadCases("battle/cases/numbers.txt")) {
    const std::string& in = c.input.at(0);
    std::int32_t read = 0;
    const std::vector<std::string> got = {
        shown(ParseNumber(in, read) ? std::optional(read) : std::nullopt, "no"),
        std::to_string(CoordinateValue(in)), shown(ReadStardate(in), "no"),
        shown(ReadActionTime(in), "none")};
    EXPECT_EQ(got, c.expected) << c.where;
  }
}

}  // namespace
}  // namespace vk7
