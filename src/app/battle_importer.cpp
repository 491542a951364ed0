#include "app/battle_importer.h"

#include <optional>
#include <system_error>

#include "battle/atomic_file.h"
#include "battle/battle_config.h"
#include "battle/battle_file_reader.h"
#include "battle/battle_syntax.h"
#include "battle/native_file.h"
#include "battle/string_helpers.h"
#include "battle/text_line_file.h"
#include "battle/windows_1252.h"
#include "content/battle_name.h"
#include "pages/check_results_page.h"
#include "widgets/box_reporter.h"
#include "widgets/confirm_box.h"
#include "widgets/error_box.h"
#include "widgets/file_trash.h"
#include "widgets/message_box.h"
#include "widgets/modal_seam.h"
#include "widgets/native_path.h"
#include "widgets/overwrite_box.h"

namespace vk7 {

namespace {

// Whether two folders are the same one; spelled differently, or through a link, too.
bool SameFolder(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ec;
  if (std::filesystem::equivalent(a, b, ec)) return true;
  return EqualsIgnoreCase(std::filesystem::absolute(a, ec).lexically_normal().string(),
                          std::filesystem::absolute(b, ec).lexically_normal().string());
}

}  // namespace

BattleImporter::BattleImporter(QWidget* parent, const GameFolder& game, Catalogs& catalogs,
                               BattleIndex& index)
    : parent_(parent), game_(game), catalogs_(catalogs), index_(index) {}

bool BattleImporter::Import() {
  folder_ = game_.ScriptsDir();
  for (;;) {
    const QString chosen = ModalSeam::Current().ChooseOpenFile(
        parent_, "Import Battle", FromPath(folder_), "Velkor Files (*.vk7)");
    if (chosen.isEmpty()) return false;
    const std::filesystem::path file = ToPath(chosen);
    folder_ = file.parent_path();
    if (ImportFile(file)) return true;
  }
}

bool BattleImporter::ImportFile(const std::filesystem::path& file) {
  folder_ = file.parent_path();
  const std::filesystem::path fileName = file.filename();
  const std::optional<std::string> ending = Cp1252FileName(fileName.extension());
  if (!ending || !EqualsIgnoreCase(*ending, kBattleFileExtension) || fileName.stem().empty())
    return false;
  // The name on disk is UTF-8 (UTF-16 on Windows); the battle's name is Windows-1252.
  const std::optional<std::string> name = Cp1252FileName(fileName.stem());
  if (!name) {
    ErrorBox::Show(parent_,
                   "The name of this file holds characters that a battle name cannot hold: "
                   "battle names are written in the Western European character set "
                   "(Windows-1252). Rename the file and import it again.",
                   "Error");
    return false;
  }
  const std::string& battleName = *name;
  BoxReporter reporter(parent_);
  if (!CheckBattleName(battleName, reporter)) return false;
  const bool inScripts = SameFolder(folder_, game_.ScriptsDir());
  if (inScripts && index_.Contains(battleName)) {
    ErrorBox::Show(parent_, "This battle is already included in your battle list!", "Error");
    return false;
  }
  BattleConfig config;
  BattleFileReader reader(config, reporter);
  // Only read and copied: a write-protected file (from a CD or an archive) imports too.
  if (!reader.Read(battleName, file, true, BattleFileReader::Access::ReadOnly)) return false;
  if (!catalogs_.Load(game_, reporter)) return false;
  if (CheckResultsPage::Run(parent_, config, catalogs_.ships, catalogs_.systems,
                            std::string("Import Battle Check Results")) &&
      !ConfirmBox::Ask(parent_,
                       "The check revealed propably missing objects in this battle. Do you want "
                       "to import it anyway?")) {
    return false;
  }
  if (!inScripts && !CopyIntoScripts(file, battleName)) return false;
  index_.Add(battleName);
  MessageBox::Show(parent_, "The battle " + battleName + " has successfully been imported!",
                   "Import Battle");
  return true;
}

bool BattleImporter::CopyIntoScripts(const std::filesystem::path& source,
                                     const std::string& battleName) {
  // Named as the game looks for it ("name.vk7"), or as the existing file of that battle.
  const std::filesystem::path target = game_.BattleFile(battleName);
  if (OpensForUpdate(target) && !OverwriteBox::Ask(parent_, battleName)) return false;
  TextLineFile input;
  if (!input.OpenForReadOnly(source)) {
    ErrorBox::Show(parent_, "Cannot open file!", "Error");
    return false;
  }
  std::string bytes;
  std::string line;
  while (input.ReadLine(line)) bytes.append(line).append("\r\n");
  input.Close();
  // A battle the user chose to overwrite goes to the trash, where it can be got back.
  BoxReporter reporter(parent_);
  const std::optional<CommitResult> written =
      FileTrash::Write(target, bytes, ConfirmBox::ForGood(parent_, BattleFileName(battleName)));
  return written && Committed(*written, "Error", reporter);
}

}  // namespace vk7
