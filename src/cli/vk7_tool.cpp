#include "cli/vk7_tool.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <utility>

#include "battle/atomic_file.h"
#include "battle/battle_config.h"
#include "battle/battle_file_reader.h"
#include "battle/battle_syntax.h"
#include "battle/game_folder.h"
#include "battle/native_file.h"
#include "battle/recording_reporter.h"
#include "battle/string_helpers.h"
#include "battle/windows_1252.h"
#include "cli/cli_reporter.h"
#include "content/battle_checker.h"
#include "content/battle_index.h"
#include "content/battle_overview.h"
#include "content/finish_validation.h"
#include "content/overview_svg.h"
#include "content/overview_text.h"
#include "content/safe_save.h"
#include "content/ship_catalog.h"
#include "content/system_catalog.h"

#ifndef VK7_VERSION
#define VK7_VERSION "unknown"
#endif

namespace vk7 {

namespace {

constexpr const char* kUsage =
    "Usage: vk7 check [--game-dir DIR] FILE...\n"
    "       vk7 list --game-dir DIR\n"
    "       vk7 format FILE\n"
    "       vk7 format --in-place FILE...\n"
    "       vk7 overview [--game-dir DIR] FILE -o OUT.svg\n"
    "       vk7 overview [--game-dir DIR] --text FILE [-o OUT.txt]\n"
    "       vk7 --help | --version\n";

constexpr const char* kHelp =
    "vk7 - check and normalise battle files (.vk7) of the Velkor Editor\n"
    "\n"
    "Commands:\n"
    "  check FILE...              Read each battle file as the editor does when it opens\n"
    "                             it. Problems go to standard error, one a line:\n"
    "                               FILE:LINE: error: MESSAGE\n"
    "                               FILE: error: MESSAGE\n"
    "                               FILE: warning: MESSAGE\n"
    "                             A file the editor would refuse to open, as it cannot\n"
    "                             be written, is a warning.\n"
    "  check --game-dir DIR FILE...\n"
    "                             Also check every battle that reads against the ship\n"
    "                             and system catalogs of the game in DIR; each ship class,\n"
    "                             planet and system they lack is a warning, and makes the\n"
    "                             exit status 1.\n"
    "  list --game-dir DIR        Print the battle list of the game in DIR, in order, each\n"
    "                             name spelled as its file is named (UTF-8 on Linux).\n"
    "  format FILE                Print the bytes the editor would save after opening FILE\n"
    "                             and saving it unchanged.\n"
    "  format --in-place FILE...  Rewrite each file that way. A file is only replaced when\n"
    "                             the result reads back to the same battle; otherwise it\n"
    "                             is kept and the reason is reported.\n"
    "  overview FILE -o OUT.svg   Draw the whole battle as one SVG picture: title, player,\n"
    "                             escort, options, then each system with its ships, where\n"
    "                             they start and the time line of its events and dialog.\n"
    "                             With -o - the picture goes to standard output. The file\n"
    "                             is only read.\n"
    "  overview --text FILE       Print the same overview as plain text (or to -o OUT).\n"
    "  overview --game-dir DIR ...\n"
    "                             Also mark and list what the game's catalogs lack.\n"
    "\n"
    "Options:\n"
    "  --help                     Show this help.\n"
    "  --version                  Show the version.\n"
    "\n"
    "Exit status: 0 when every file was read (and written), 1 when any failed, 2 for a\n"
    "usage error.\n";

int Usage(std::ostream& err, const std::string& problem) {
  err << "vk7: " << problem << '\n' << kUsage;
  return 2;
}

// The battle name of a file, as the editor reads it from the file name: Windows-1252, without
// the ".vk7" extension. A name beyond Windows-1252 is taken as it stands.
std::string BattleName(const std::string& file) {
  const std::filesystem::path fileName = std::filesystem::path(file).filename();
  std::string name = Cp1252FileName(fileName).value_or(fileName.string());
  const std::size_t stem = name.size() - std::min(name.size(), kBattleFileExtension.size());
  if (stem > 0 && EqualsIgnoreCase(std::string_view(name).substr(stem), kBattleFileExtension)) {
    name.resize(stem);
  }
  return name;
}

// The editor opens a battle for reading and writing, and refuses one it cannot write with
// "Cannot open file!"; a file that cannot be read at all is the reader's to report.
void WarnIfTheEditorRefuses(const std::string& file, Reporter& reporter) {
  const std::filesystem::path path(file);
  std::FILE* readable = OpenNativeFile(path, "rb");
  if (readable == nullptr) return;
  std::fclose(readable);
  if (OpensForUpdate(path)) return;
  reporter.Message("Warning",
                   "The editor will refuse to open this file (\"Cannot open file!\"): it cannot "
                   "be written.");
}

// Reads `file` as the editor does when it opens a battle for editing: remarks collected.
// Only a file that will be rewritten needs opening for update; checking and printing work
// on read-only files (a checkout, a mounted archive, a CD) too.
// With `keepShips` false each system's ships and dialog lines are dropped as soon as its
// section has been read and checked: the verdict is the same, and a caller that needs no more
// than the verdict holds one system at a time instead of the whole battle.
bool ReadForEditing(const std::string& file, BattleConfig& config, Reporter& reporter,
                    BattleFileReader::Access access, bool keepShips = true) {
  BattleFileReader reader(config, reporter);
  if (!keepShips) {
    reader.OnSectionEnd([](StarSystem&, std::size_t) {});  // each system dropped once read
  }
  return reader.Read(BattleName(file), std::filesystem::path(file), false, access);
}

// Takes the model of a battle that is no longer needed instead of destroying it: the process
// ends soon, and the system takes its memory back at once, where destroying it walks every
// ship of a large battle. Only the last one is kept (the tool may run many times in one
// process); it stays reachable, so leak checkers do not count it.
void KeepUntilExit(BattleConfig&& config) {
  static BattleConfig* kept = nullptr;
  delete kept;
  kept = new BattleConfig(std::move(config));
}

// Splits "--game-dir DIR" off the arguments; the other arguments stay in `rest`.
struct Arguments {
  std::optional<std::string> gameDir;
  std::vector<std::string> rest;
  std::string problem;
};

Arguments ParseArguments(const std::vector<std::string>& args) {
  Arguments parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--game-dir") {
      if (i + 1 == args.size()) {
        parsed.problem = "--game-dir needs a folder";
      } else {
        parsed.gameDir = args[++i];
      }
    } else if (arg.rfind("--game-dir=", 0) == 0) {
      parsed.gameDir = arg.substr(11);
    } else if (arg.size() > 1 && arg[0] == '-' && parsed.problem.empty()) {
      parsed.problem = "unknown option " + arg;
    } else {
      parsed.rest.push_back(arg);
    }
  }
  return parsed;
}

void PrintCheck(const CheckResult& result, const std::string& systemsFile, CliReporter& reporter) {
  for (const std::string& row : result.shipDetails) reporter.Message("Check Results", row);
  for (const std::string& row : result.planetDetails) reporter.Message("Check Results", row);
  for (const std::string& name : result.missingSystems) {
    reporter.Message("Check Results", "System " + name + " is not in " + systemsFile);
  }
}

// The name of a game file as it was found on disk ("VK7.TXT"), so that a user finds it.
std::string FoundName(const std::filesystem::path& file) {
  return file.filename().string();
}

// Loads the game's catalogs; their problems are named after the files as found.
bool LoadCatalogs(const GameFolder& game, ShipCatalog& ships, SystemCatalog& systems,
                  std::ostream& err) {
  const std::filesystem::path shipsFile = game.ScriptFile(ShipCatalog::kFileName);
  const std::filesystem::path systemsFile = game.ScriptFile(SystemCatalog::kFileName);
  CliReporter shipsReporter(err, FoundName(shipsFile));
  CliReporter systemsReporter(err, FoundName(systemsFile));
  return ships.LoadFile(shipsFile, shipsReporter) && systems.LoadFile(systemsFile, systemsReporter);
}

int Check(const std::vector<std::string>& args, std::ostream& err) {
  const Arguments parsed = ParseArguments(args);
  if (!parsed.problem.empty()) return Usage(err, parsed.problem);
  if (parsed.rest.empty()) return Usage(err, "check needs at least one FILE");
  ShipCatalog ships;
  SystemCatalog systems;
  std::string systemsName = SystemCatalog::kFileName;
  if (parsed.gameDir) {
    const GameFolder game(*parsed.gameDir);
    systemsName = FoundName(game.ScriptFile(SystemCatalog::kFileName));
    if (!LoadCatalogs(game, ships, systems, err)) return 1;
  }
  int status = 0;
  for (const std::string& file : parsed.rest) {
    CliReporter reporter(err, file);
    WarnIfTheEditorRefuses(file, reporter);
    BattleConfig config;
    // The catalogs are checked against the whole battle; without them the verdict is all.
    if (!ReadForEditing(file, config, reporter, BattleFileReader::Access::ReadOnly,
                        parsed.gameDir.has_value())) {
      status = 1;
    } else if (parsed.gameDir) {
      const CheckResult result = CheckBattle(config, ships, systems);
      PrintCheck(result, systemsName, reporter);
      if (result.anyMissing) status = 1;
    }
    KeepUntilExit(std::move(config));
  }
  return status;
}

int List(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Arguments parsed = ParseArguments(args);
  if (!parsed.problem.empty()) return Usage(err, parsed.problem);
  if (!parsed.gameDir) return Usage(err, "list needs --game-dir DIR");
  if (!parsed.rest.empty()) return Usage(err, "list takes no FILE");
  BattleIndex index;
  RecordingReporter recorded;
  const bool loaded =
      index.Load(GameFolder(*parsed.gameDir), recorded, BattleFileReader::Access::ReadOnly);
  // Named once the index was looked for: its spelling on disk is known only then.
  CliReporter reporter(err, FoundName(index.File()));
  recorded.ReplayTo(reporter);
  if (!loaded) return 1;
  for (const std::string& entry : index.Entries()) {
#ifdef _WIN32
    out << entry << '\n';
#else
    // Spelled as the battle's file is named, so a name printed can be used as a path.
    out << Cp1252ToUtf8(entry) << '\n';
#endif
  }
  return 0;
}

// The bytes the editor would save for `file`, or nothing after the reason was reported.
std::optional<std::string> Formatted(const std::string& file, BattleConfig& config,
                                     Reporter& reporter, BattleFileReader::Access access) {
  if (!ReadForEditing(file, config, reporter, access)) return std::nullopt;
  if (!CheckFinishAndForceAiMode(config, reporter)) return std::nullopt;
  return SafeSave::Prepare(config, config.name, reporter);
}

int Format(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  bool inPlace = false;
  std::vector<std::string> files;
  for (const std::string& arg : args) {
    if (arg == "--in-place") {
      inPlace = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return Usage(err, "unknown option " + arg);
    } else {
      files.push_back(arg);
    }
  }
  if (files.empty()) return Usage(err, "format needs a FILE");
  if (!inPlace && files.size() != 1) {
    return Usage(err, "format prints one FILE; use --in-place for several");
  }
  int status = 0;
  for (const std::string& file : files) {
    CliReporter reporter(err, file);
    BattleConfig config;
    // A file rewritten in place must be writable, as in the editor; printing only reads.
    const std::optional<std::string> bytes = Formatted(
        file, config, reporter,
        inPlace ? BattleFileReader::Access::ReadWrite : BattleFileReader::Access::ReadOnly);
    if (!bytes) {
      status = 1;
    } else if (!inPlace) {
      out.write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
      out.flush();
      if (!out) {
        err << "vk7: cannot write to standard output\n";
        status = 1;
      }
    } else if (!Committed(CommitFileAtomically(std::filesystem::path(file), *bytes),
                          BattleFileErrorTitle(config.name), reporter)) {
      status = 1;
    }
    KeepUntilExit(std::move(config));
  }
  return status;
}

// Writes `bytes` to `target`, or to `out` for "-"; false after the reason was printed.
bool WriteOutput(const std::string& target, const std::string& bytes, std::ostream& out,
                 std::ostream& err) {
  if (target == "-") {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (out) return true;
    err << "vk7: cannot write to standard output\n";
    return false;
  }
  if (CommitFileAtomically(std::filesystem::path(target), bytes) == CommitResult::Ok) return true;
  err << target << ": error: Cannot write the file!\n";
  return false;
}

int Overview(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  bool text = false;
  std::optional<std::string> output;
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--text") {
      text = true;
    } else if (args[i] == "-o") {
      if (i + 1 == args.size()) return Usage(err, "-o needs a file name, or - for standard output");
      output = args[++i];
    } else {
      rest.push_back(args[i]);
    }
  }
  const Arguments parsed = ParseArguments(rest);
  if (!parsed.problem.empty()) return Usage(err, parsed.problem);
  if (parsed.rest.size() != 1) return Usage(err, "overview needs one FILE");
  if (!text && !output) return Usage(err, "overview needs -o OUT.svg (or - for standard output)");
  const std::string& file = parsed.rest.front();

  ShipCatalog ships;
  SystemCatalog systems;
  if (parsed.gameDir && !LoadCatalogs(GameFolder(*parsed.gameDir), ships, systems, err)) return 1;
  CliReporter reporter(err, file);
  BattleConfig config;
  BattleFileReader reader(config, reporter);
  if (!reader.Read(BattleName(file), std::filesystem::path(file), true,
                   BattleFileReader::Access::ReadOnly)) {
    return 1;
  }
  std::optional<CheckResult> check;
  if (parsed.gameDir) check = CheckBattle(config, ships, systems);
  const BattleOverview overview = BuildOverview(config, check ? &*check : nullptr);
  const std::string bytes = text ? RenderOverviewText(overview) : RenderOverviewSvg(overview);
  return WriteOutput(output.value_or("-"), bytes, out, err) ? 0 : 1;
}

}  // namespace

int RunVk7(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return Usage(err, "missing command");
  const std::string& command = args.front();
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (command == "--help" || command == "-h" || command == "help") {
    out << kHelp;
    return 0;
  }
  if (command == "--version") {
    out << "vk7 " << VK7_VERSION << '\n';
    return 0;
  }
  if (command == "check") return Check(rest, err);
  if (command == "list") return List(rest, out, err);
  if (command == "format") return Format(rest, out, err);
  if (command == "overview") return Overview(rest, out, err);
  return Usage(err, "unknown command " + command);
}

}  // namespace vk7
