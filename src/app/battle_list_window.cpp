#include "app/battle_list_window.h"

#include <QLockFile>
#include <QStringList>
#include <filesystem>
#include <system_error>

#include "app/battle_importer.h"
#include "app/editing_wizard.h"
#include "app/overview_window.h"
#include "app/recovery_file.h"
#include "battle/battle_syntax.h"
#include "battle/native_file.h"
#include "battle/string_helpers.h"
#include "content/battle_name.h"
#include "ui_battle_list_window.h"
#include "widgets/box_reporter.h"
#include "widgets/confirm_box.h"
#include "widgets/cp1252.h"
#include "widgets/create_box.h"
#include "widgets/delete_box.h"
#include "widgets/error_box.h"
#include "widgets/file_trash.h"
#include "widgets/list_rows.h"
#include "widgets/message_box.h"
#include "widgets/modal_seam.h"
#include "widgets/native_path.h"
#include "widgets/overwrite_box.h"
#include "widgets/save_under_box.h"

namespace vk7 {

BattleListWindow::BattleListWindow(QWidget* parent, const GameFolder& game, Catalogs& catalogs)
    : QDialog(parent),
      ui_(std::make_unique<Ui::BattleListWindow>()),
      game_(game),
      catalogs_(catalogs) {
  ui_->setupUi(this);
  connect(ui_->battleList, &QListWidget::itemSelectionChanged, this,
          &BattleListWindow::UpdateButtons);
  connect(ui_->battleList, &QListWidget::itemDoubleClicked, this, &BattleListWindow::EditBattle);
  connect(ui_->createButton, &QPushButton::clicked, this, &BattleListWindow::CreateBattle);
  connect(ui_->editButton, &QPushButton::clicked, this, &BattleListWindow::EditBattle);
  connect(ui_->deleteButton, &QPushButton::clicked, this, &BattleListWindow::DeleteBattle);
  connect(ui_->renameButton, &QPushButton::clicked, this, &BattleListWindow::RenameBattle);
  connect(ui_->checkButton, &QPushButton::clicked, this, &BattleListWindow::CheckBattle);
  connect(ui_->overviewButton, &QPushButton::clicked, this, &BattleListWindow::ShowOverview);
  connect(ui_->importButton, &QPushButton::clicked, this, &BattleListWindow::ImportBattle);
  connect(ui_->upButton, &QPushButton::clicked, this, &BattleListWindow::MoveUp);
  connect(ui_->downButton, &QPushButton::clicked, this, &BattleListWindow::MoveDown);
  connect(ui_->closeButton, &QPushButton::clicked, this, &BattleListWindow::reject);
}

BattleListWindow::~BattleListWindow() = default;

void BattleListWindow::Run(QWidget* parent, const GameFolder& game, Catalogs& catalogs) {
  BattleListWindow window(parent, game, catalogs);
  if (!window.LoadIndex()) return;
  window.OfferRecovery();
  ModalSeam::Current().Exec(window);
}

bool BattleListWindow::LoadIndex() {
  BoxReporter reporter(this);
  if (!index_.Load(game_, reporter)) return false;
  Refill(std::nullopt);
  return true;
}

void BattleListWindow::OfferRecovery() {
  for (const std::filesystem::path& file : RecoveryFile::Waiting(game_)) {
    // Held from the question to the end of the run: another editor started meanwhile neither
    // offers the same edits nor sends them to the trash.
    QLockFile lock(FromPath(file) + ".lock");
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0) && lock.error() == QLockFile::LockFailedError) continue;
    BoxReporter reporter(this);
    const std::optional<RecoveredRun> run = RecoveryFile::Read(file);
    if (!run) {
      RecoveryFile::SetAside(file, reporter);
      continue;
    }
    if (!ConfirmBox::Ask(this,
                         "The editor was closed while the battle \"" + run->name +
                             "\" was being edited. Open the unsaved edits again?",
                         "Recover Battle")) {
      FileTrash::Discard(file, ConfirmBox::ForGood(this, file.filename().string()));
      continue;
    }
    std::string name = run->name;
    EditingWizard wizard(this, game_, catalogs_);
    wizard.Resume(file, *run);
    // As the run began: a new battle saved over an existing file sends that one to the trash,
    // as it would have before the crash.
    if (wizard.Run(name, run->isNew)) {
      index_.Add(Trim(name));
      ListChanged(Selected());
    }
  }
}

std::optional<std::size_t> BattleListWindow::Selected() const {
  const int row = ui_->battleList->currentRow();
  if (row < 0 || ui_->battleList->selectedItems().isEmpty()) return std::nullopt;
  return static_cast<std::size_t>(row);
}

void BattleListWindow::Refill(std::optional<std::size_t> select) {
  ui_->battleList->clear();
  ui_->battleList->addItems(ToRows(index_.Entries()));
  if (select && *select < index_.Entries().size()) {
    ui_->battleList->setCurrentRow(static_cast<int>(*select));
  }
  UpdateButtons();
}

void BattleListWindow::ListChanged(std::optional<std::size_t> select) {
  // On disk at once, so that a crash or a kill cannot leave a saved battle out of the game.
  // The merge may bring in others' changes: the selected battle is found again by name.
  const std::optional<std::string> name = select && *select < index_.Entries().size()
                                              ? std::optional(index_.Entries()[*select])
                                              : std::nullopt;
  BoxReporter reporter(this);
  index_.Save(reporter);
  Refill(name ? index_.Contains(*name) : std::nullopt);
}

void BattleListWindow::UpdateButtons() {
  const bool selected = Selected().has_value();
  for (QPushButton* button :
       {ui_->editButton, ui_->deleteButton, ui_->renameButton, ui_->checkButton,
        ui_->overviewButton, ui_->upButton, ui_->downButton}) {
    button->setEnabled(selected);
  }
}

void BattleListWindow::CreateBattle() {
  const auto selected = Selected();
  const std::string initial = selected ? index_.Entries()[*selected] : std::string();
  const std::optional<std::string> entered = CreateBox::Ask(this, initial);
  if (!entered) return;
  BoxReporter reporter(this);
  std::optional<std::string> name = TypedBattleName(*entered, reporter);
  if (!name) return;
  if (OpensForUpdate(game_.BattleFile(*name))) {
    MessageBox::Show(this,
                     "A configuration with the same name exists already. As soon as you save the "
                     "new configuration the existing one will be overwritten. But you can still "
                     "cancel or save it under a different name.",
                     "Warning");
  }
  EditingWizard wizard(this, game_, catalogs_);
  if (wizard.Run(*name, true)) {
    index_.Add(Trim(*name));
    ListChanged(selected);
  }
}

void BattleListWindow::EditBattle() {
  const auto selected = Selected();
  if (!selected) return;
  std::string name = index_.Entries()[*selected];
  EditingWizard wizard(this, game_, catalogs_);
  if (wizard.Run(name, false)) {
    index_.Add(Trim(name));
    ListChanged(selected);
  }
}

void BattleListWindow::DeleteBattle() {
  const auto selected = Selected();
  if (!selected) return;
  const std::string name = index_.Entries()[*selected];
  if (!DeleteBox::Ask(this, name)) return;
  switch (
      FileTrash::Discard(game_.BattleFile(name), ConfirmBox::ForGood(this, BattleFileName(name)))) {
    case FileTrash::Outcome::Kept:
      return;
    case FileTrash::Outcome::Failed:
      ErrorBox::Show(this, "Cannot delete the file!", "Error");
      return;
    case FileTrash::Outcome::Done:
      break;
  }
  index_.RemoveAt(*selected);
  ListChanged(std::nullopt);
}

void BattleListWindow::RenameBattle() {
  const auto selected = Selected();
  if (!selected) return;
  const std::string oldName = Trim(index_.Entries()[*selected]);
  const std::optional<std::string> entered =
      SaveUnderBox::Ask(this, oldName, std::string("Rename Battle"));
  if (!entered) return;
  BoxReporter reporter(this);
  const std::optional<std::string> typed = TypedBattleName(*entered, reporter, oldName);
  if (!typed) return;
  const std::string& newName = *typed;
  const std::filesystem::path target = game_.BattleFile(newName);
  std::error_code ec;
  // Asked whatever the target's permissions; a write-protected one is then refused, as Windows
  // refuses to move a file onto a read-only one. A folder is no battle to ask about: the move
  // refuses it.
  if (std::filesystem::exists(target, ec) && !std::filesystem::is_directory(target, ec)) {
    if (!OverwriteBox::Ask(this, newName)) return;
    if (FileTrash::IsWriteProtected(target)) {
      ErrorBox::Show(this, "Cannot rename the file!", "Error");
      return;
    }
  }
  const FileTrash::Outcome moved = FileTrash::Replace(
      game_.BattleFile(oldName), target, ConfirmBox::ForGood(this, BattleFileName(newName)));
  if (moved == FileTrash::Outcome::Kept) return;
  if (moved == FileTrash::Outcome::Failed) {
    ErrorBox::Show(this, "Cannot rename the file!", "Error");
    return;
  }
  ListChanged(index_.RenameAt(*selected, newName));
}

void BattleListWindow::CheckBattle() {
  const auto selected = Selected();
  if (!selected) return;
  EditingWizard wizard(this, game_, catalogs_);
  wizard.Check(index_.Entries()[*selected]);
}

void BattleListWindow::ShowOverview() {
  const auto selected = Selected();
  if (!selected) return;
  OverviewWindow::Run(this, game_, catalogs_, index_.Entries()[*selected]);
}

void BattleListWindow::ImportBattle() {
  BattleImporter importer(this, game_, catalogs_, index_);
  if (importer.Import()) {
    index_.MarkChanged();
    ListChanged(Selected());
  }
}

void BattleListWindow::MoveUp() {
  const auto selected = Selected();
  if (!selected) return;
  if (const auto moved = index_.MoveUp(*selected)) ListChanged(moved);
}

void BattleListWindow::MoveDown() {
  const auto selected = Selected();
  if (!selected) return;
  if (const auto moved = index_.MoveDown(*selected)) ListChanged(moved);
}

void BattleListWindow::reject() {
  BoxReporter reporter(this);
  // A list that could not be written stays on screen, where it is not lost.
  if (!index_.Save(reporter)) return;
  QDialog::reject();
}

}  // namespace vk7
