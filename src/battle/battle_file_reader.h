#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "battle/battle_config.h"
#include "battle/battle_words.h"
#include "battle/list_presizer.h"
#include "battle/reporter.h"
#include "battle/ship_name_register.h"
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
  // position in the list. Its ship and dialog lists are emptied afterwards, their room given
  // to the next system: a reading that only checks or compares keeps one system's ships.
  void OnSectionEnd(std::function<void(StarSystem&, std::size_t)> hook) {
    sectionEnd_ = std::move(hook);
  }

 private:
  // Sizes the lists and the name register for `source`, then reads it.
  bool ReadSized(TextLineFile& source, bool skipRemarks);
  bool ReadLines(TextLineFile& source, bool skipRemarks);
  bool HandleLine(std::string_view keyword, std::string_view params);
  void CollectRemark(std::string_view line);
  bool CheckSectionEnd();
  bool FailOnRepeatedName();

  bool Fail(const std::string& message, bool withLine);
  bool FailAtLine(const char* message) { return Fail(message, true); }
  bool CommonCheck(std::string_view param);
  bool RequireSystem();

  bool ReadTitle(std::string_view params);
  bool ReadTitleLine(std::string_view params);
  bool ReadShip(ShipRole role, std::string_view params);
  bool ReadOption(Keyword keyword, std::string_view params);
  bool ReadSystem(std::string_view params);
  bool ReadStardate(std::string_view params);
  bool ReadPosition(ShipRole role, std::string_view params);
  bool ReadAction(ShipRole role, std::string_view params);
  bool ReadNeutralBehavior(std::string_view params);
  bool ReadDialog(DialogEvent event, std::string_view params);
  bool ReadWarpDisable(std::string_view params);
  bool ReadBattleMode(std::string_view params);

  BattleConfig& config_;
  Reporter& reporter_;
  StarSystem* current_ = nullptr;
  std::uint32_t lineNumber_{};  // set when the values begin
  bool collectingRemarks_ = true;
  std::function<void(StarSystem&, std::size_t)> sectionEnd_;
  ShipNameRegister names_;
  ListPresizer presizer_;
};

}  // namespace vk7
