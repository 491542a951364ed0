#include "cli/vk7_tool.h"

#include <filesystem>
#include <optional>

#include "battle/battle_config.h"
#include "battle/battle_file_reader.h"
#include "battle/game_folder.h"
#include "battle/string_helpers.h"
#include "battle/windows_1252.h"
#include "cli/cli_reporter.h"
#include "content/battle_checker.h"
#include "content/battle_index.h"
#include "content/finish_validation.h"
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

// The battle name of a file: its file name without the ".vk7" extension.
std::string BattleName(const std::string& file) {
  std::string name = std::filesystem::path(file).filename().string();
  if (name.size() > 4 && EqualsIgnoreCase(name.substr(name.size() - 4), ".vk7")) {
    name.resize(name.size() - 4);
  }
  return name;
}

// Opens `file` as the editor opens a battle for editing: remarks collected.
bool ReadForEditing(const std::string& file, BattleConfig& config, Reporter& reporter) {
  BattleFileReader reader(config, reporter);
  return reader.Read(BattleName(file), std::filesystem::path(file), false);
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

void PrintCheck(const CheckResult& result, CliReporter& reporter) {
  for (const std::string& row : result.shipDetails) reporter.Message("Check Results", row);
  for (const std::string& row : result.planetDetails) reporter.Message("Check Results", row);
  for (const std::string& name : result.missingSystems) {
    reporter.Message("Check Results", "System " + name + " is not in vk7sys.txt");
  }
}

int Check(const std::vector<std::string>& args, std::ostream& err) {
  const Arguments parsed = ParseArguments(args);
  if (!parsed.problem.empty()) return Usage(err, parsed.problem);
  if (parsed.rest.empty()) return Usage(err, "check needs at least one FILE");
  ShipCatalog ships;
  SystemCatalog systems;
  if (parsed.gameDir) {
    const GameFolder game(*parsed.gameDir);
    CliReporter shipsReporter(err, ShipCatalog::kFileName);
    CliReporter systemsReporter(err, SystemCatalog::kFileName);
    if (!ships.Load(game, shipsReporter) || !systems.Load(game, systemsReporter)) return 1;
  }
  int status = 0;
  for (const std::string& file : parsed.rest) {
    CliReporter reporter(err, file);
    BattleConfig config;
    if (!ReadForEditing(file, config, reporter)) {
      status = 1;
    } else if (parsed.gameDir) {
      const CheckResult result = CheckBattle(config, ships, systems);
      PrintCheck(result, reporter);
      if (result.anyMissing) status = 1;
    }
  }
  return status;
}

int List(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Arguments parsed = ParseArguments(args);
  if (!parsed.problem.empty()) return Usage(err, parsed.problem);
  if (!parsed.gameDir) return Usage(err, "list needs --game-dir DIR");
  if (!parsed.rest.empty()) return Usage(err, "list takes no FILE");
  BattleIndex index;
  CliReporter reporter(err, BattleIndex::kFileName);
  if (!index.Load(GameFolder(*parsed.gameDir), reporter)) return 1;
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
                                     Reporter& reporter) {
  if (!ReadForEditing(file, config, reporter)) return std::nullopt;
  if (!ValidateFinish(config, reporter)) return std::nullopt;
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
    const std::optional<std::string> bytes = Formatted(file, config, reporter);
    if (!bytes) {
      status = 1;
    } else if (!inPlace) {
      out.write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
      out.flush();
      if (!out) {
        err << "vk7: cannot write to standard output\n";
        status = 1;
      }
    } else if (!SafeSave::Save(config, config.name, std::filesystem::path(file), reporter)) {
      status = 1;
    }
  }
  return status;
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
  return Usage(err, "unknown command " + command);
}

}  // namespace vk7
