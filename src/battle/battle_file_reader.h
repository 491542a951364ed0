#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "battle/battle_config.h"
#include "battle/reporter.h"
#include "battle/text_line_file.h"

namespace vk7 {

inline constexpr const char* kForeignFileWarning =
    "This configuration was not created by the Velkor editor. You can proceed without problems, "
    "but you may lose most of your hand-written comments when saving the configuration file!";

// Reads one ".vk7" battle file into a freshly constructed BattleConfig. Strict: the first
// error is shown through the reporter (title "Error in battle file NAME.vk7") and ends the
// read. Afterwards the configuration is complete, or, after a failure, only fit to be
// discarded.
class BattleFileReader {
 public:
  BattleFileReader(BattleConfig& config, Reporter& reporter);

  // How the file is opened: for reading and writing (a battle that will be saved again, so a
  // write-protected one is refused), or for reading only (a file that is only copied).
  enum class Access { ReadWrite, ReadOnly };

  // Reads `file` as the battle `name`. With `skipRemarks` the leading comments are not
  // collected and no warning is shown for files the editor did not write.
  bool Read(const std::string& name, const std::filesystem::path& file, bool skipRemarks,
            Access access = Access::ReadWrite);
  // The same from an opened line source (in-memory text, for instance).
  bool ReadFrom(const std::string& name, TextLineFile& source, bool skipRemarks);

  // Called when a system's section has ended and passed its checks, with the system and its
  // position in the list. The system no longer changes afterwards, so a caller that only
  // compares may take its lists away there; lists it empties with their room kept (clear)
  // are given to the next system.
  void OnSectionEnd(std::function<void(StarSystem&, std::size_t)> hook) {
    sectionEnd_ = std::move(hook);
  }

  // The number of the line being read, or last read.
  std::uint32_t LineNumber() const { return lineNumber_; }

  // The keywords of the format, resolved once per line.
  enum class Keyword;

 private:
  bool ReadLines(TextLineFile& source, bool skipRemarks);
  bool HandleLine(std::string_view keyword, std::string_view params);
  void CollectRemark(std::string_view line);
  bool CheckSectionEnd();
  void PrepareNames(const TextLineFile& source, std::uint64_t expected);
  void AddShipName(std::string_view name, std::uint32_t list, std::size_t index);
  struct NameRecord;
  std::string_view NameAt(const NameRecord& record) const;
  bool FailOnRepeatedName();
  void CountLists(TextLineFile& source);
  void ReserveLists(StarSystem& system, std::size_t index);

  bool Fail(const std::string& message, bool withLine);
  bool FailAtLine(const char* message) { return Fail(message, true); }
  bool CommonCheck(std::string_view param);
  bool RequireSystem();

  bool ReadShip(Keyword keyword, std::string_view params);
  bool ReadSystem(std::string_view params);
  bool ReadPosition(Keyword keyword, std::string_view params);
  bool ReadStardate(std::string_view params);
  bool ReadBattleMode(std::string_view params);
  bool ReadOption(Keyword keyword, std::string_view params);
  bool ReadTitle(std::string_view params);
  bool ReadTitleLine(std::string_view params);
  bool ReadDialog(DialogEvent event, std::string_view params);
  bool ReadNeutralBehavior(std::string_view params);
  bool ReadWarpDisable(std::string_view params);
  bool ReadAction(Keyword keyword, std::string_view params);

  BattleConfig& config_;
  Reporter& reporter_;
  StarSystem* current_ = nullptr;
  std::uint32_t lineNumber_ = 0;
  bool collectingRemarks_ = true;
  std::function<void(StarSystem&, std::size_t)> sectionEnd_;
  // Own ship names read so far, for the clash test. Each is recorded with its hash (which
  // holds its length too), its line and a reference to where it stays: in the source when that
  // is in memory, else in the model (list and position), unless a section hook may take the
  // lists away; only then is it copied into large blocks. The clash test runs on the whole
  // record before any error is shown and at the end of the file, and reports the first line
  // that repeats a name, exactly as a test at every ship line would; it works bucket by bucket
  // in cache-sized tables, as a single table of all names would cost a cache miss per ship.
  struct NameRecord {
    std::uint32_t hashAndSize;  // 24 bits of the hash above the length (at most 255)
    std::uint32_t line;
    std::uint32_t ref;
  };
  enum class NameStore { Source, Model, Blocks };
  std::vector<NameRecord> names_;
  std::size_t namesChecked_ = 0;
  NameStore nameStore_ = NameStore::Blocks;
  const char* nameSource_ = nullptr;
  std::vector<std::unique_ptr<char[]>> nameBlocks_;
  std::size_t nameBlockUsed_ = 0;
  // How many ships each list will get (friends, enemies, neutrals, hulks per system) and how
  // many lines each dialog, counted ahead in a quick pass over the file so that the lists are
  // allocated once at their final size (growing them would copy every ship and touch twice
  // the memory). Only a hint: a miscount merely lets a list grow.
  std::array<std::array<std::uint32_t, 4>, kMaxSystems> counts_{};
  std::array<std::array<std::uint32_t, kDialogEventCount>, kMaxSystems> dialogCounts_{};
  // Lists emptied by the section hook, kept for the next system.
  std::array<std::vector<ShipEntry>, 4> spareShips_;
  std::array<std::vector<DialogLine>, kDialogEventCount> spareDialogs_;
  std::uint32_t escortCount_ = 0;
};

}  // namespace vk7
