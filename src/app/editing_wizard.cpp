#include "app/editing_wizard.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "app/finish_box.h"
#include "app/recovery_writer.h"
#include "battle/atomic_file.h"
#include "battle/battle_file_reader.h"
#include "battle/battle_syntax.h"
#include "battle/windows_1252.h"
#include "content/safe_save.h"
#include "pages/check_results_page.h"
#include "pages/friends_enemies_page.h"
#include "pages/general_page.h"
#include "pages/neutrals_hulks_page.h"
#include "pages/systems_page.h"
#include "widgets/box_reporter.h"
#include "widgets/confirm_box.h"
#include "widgets/file_trash.h"
#include "widgets/message_box.h"

namespace vk7 {

EditingWizard::EditingWizard(QWidget* parent, const GameFolder& game, Catalogs& catalogs)
    : parent_(parent), game_(game), catalogs_(catalogs) {}

void EditingWizard::Resume(const std::filesystem::path& file, const RecoveredRun& run) {
  recoveryFile_ = file;
  resumed_ = run;
}

bool EditingWizard::Load(const std::string& name, bool isNew, Reporter& reporter) {
  runName_ = name;
  if (resumed_) {
    basePrint_ = resumed_->basePrint;
    config_ = resumed_->battle;
    return true;
  }
  // Taken before the read: a change made while the file is read is then seen too.
  basePrint_ = RecoveryFile::Fingerprint(game_.BattleFile(name));
  recoveryFile_ = RecoveryFile::NewFor(game_);
  if (isNew) {
    config_.name = name;
    return config_.InitNew();
  }
  BattleFileReader reader(config_, reporter);
  return reader.Read(name, game_.BattleFile(name), false);
}

bool EditingWizard::Run(std::string& name, bool isNew) {
  BoxReporter reporter(parent_);
  if (!Load(name, isNew, reporter)) return false;
  if (!catalogs_.Load(game_, reporter)) return false;
  const RecoveryWriter recovery(recoveryFile_, config_, {name, isNew, basePrint_, {}},
                                resumed_.has_value());

  int page = 1;
  for (;;) {
    switch (ShowPage(page)) {
      case PageResult::Cancel:
        return false;
      case PageResult::Next:
        page = std::min(page + 1, 4);
        break;
      case PageResult::Previous:
        page = std::max(page - 1, 1);
        break;
      case PageResult::Finish: {
        std::string saveName = name;
        bool replacing = false;
        // "Back", or a save that failed (its error was shown): the same page again, with
        // every edit still in place. "No" to replacing another program's version: the finish
        // box again. A new battle saved over an existing file replaces another battle, after the
        // warning that "Create Battle" showed.
        while (FinishBox::Ask(parent_, game_, saveName, replacing)) {
          if (!ConfirmOverChange(saveName, replacing)) continue;
          if (Save(saveName, replacing || isNew)) {
            name = saveName;
            return true;
          }
          break;
        }
        break;
      }
    }
  }
}

PageResult EditingWizard::ShowPage(int page) {
  switch (page) {
    case 1:
      return GeneralPage::Run(parent_, config_, catalogs_.ships);
    case 2:
      return SystemsPage::Run(parent_, config_, catalogs_.ships, catalogs_.systems, systemNumber_);
    case 3:
      return FriendsEnemiesPage::Run(parent_, config_, systemNumber_, catalogs_.ships,
                                     catalogs_.systems);
    default:
      return NeutralsHulksPage::Run(parent_, config_, systemNumber_, catalogs_.ships,
                                    catalogs_.systems);
  }
}

bool EditingWizard::ConfirmOverChange(const std::string& name, bool& replacing) {
  if (replacing || !SameFileName(name, runName_)) return true;
  // By content: a time stamp can stay the same over a change, or change without one.
  if (RecoveryFile::Fingerprint(game_.BattleFile(name)) == basePrint_) return true;
  if (!ConfirmBox::Ask(parent_,
                       "The battle file \"" + name +
                           ".vk7\" was changed by another program after it was opened. Replace "
                           "it with this version?",
                       "File Changed", true)) {
    return false;
  }
  replacing = true;
  return true;
}

bool EditingWizard::Save(const std::string& name, bool replacing) {
  BoxReporter reporter(parent_);
  const std::optional<std::string> bytes = SafeSave::Prepare(config_, name, reporter);
  if (!bytes) return false;
  const std::filesystem::path file = game_.BattleFile(name);
  // A battle the user chose to overwrite goes to the trash, where it can be got back.
  const std::optional<CommitResult> written =
      replacing ? FileTrash::Write(file, *bytes, ConfirmBox::ForGood(parent_, BattleFileName(name)))
                : CommitFileAtomically(file, *bytes);
  if (!written || !Committed(*written, BattleFileErrorTitle(name), reporter)) return false;
  const std::string padding(34, ' ');
  MessageBox::Show(parent_, padding + "Battle Configuration " + name + " saved." + padding, "Save");
  // Saved: from now on the battle goes by this name (until then the pages show its own). Not
  // before the box: the run's edits are on disk, and the rename is no edit to keep for recovery.
  config_.name = name;
  return true;
}

bool EditingWizard::Check(const std::string& name) {
  BoxReporter reporter(parent_);
  BattleFileReader reader(config_, reporter);
  // A check writes nothing, so a write-protected battle can be checked too.
  if (!reader.Read(name, game_.BattleFile(name), true, BattleFileReader::Access::ReadOnly)) {
    return false;
  }
  if (!catalogs_.Load(game_, reporter)) return false;
  CheckResultsPage::Run(parent_, config_, catalogs_.ships, catalogs_.systems, std::nullopt);
  return true;
}

}  // namespace vk7
