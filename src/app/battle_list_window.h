#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <string>

#include "app/catalogs.h"
#include "battle/game_folder.h"
#include "content/battle_index.h"

namespace Ui {
class BattleListWindow;
}

namespace vk7 {

// STARTBOX, "Available Battles": the battle list and every command on whole battles. The
// list is written back to vk7.txt, only when it changed, when the window closes.
class BattleListWindow : public QDialog {
  Q_OBJECT

 public:
  BattleListWindow(QWidget* parent, const GameFolder& game, Catalogs& catalogs);
  ~BattleListWindow() override;

  // Loads the battle list and shows the window; nothing is shown when the list cannot be
  // loaded (its error was).
  static void Run(QWidget* parent, const GameFolder& game, Catalogs& catalogs);

  bool LoadIndex();
  // Offers each battle whose editing run ended without a save or a cancel (the editor was
  // killed, crashed or lost power) and runs it again on "Yes".
  void OfferRecovery();
  const BattleIndex& Index() const { return index_; }

  void CreateBattle();
  void EditBattle();
  void DeleteBattle();
  void RenameBattle();
  void CheckBattle();
  // The whole selected battle in one picture, read as the check reads it.
  void ShowOverview();
  void ImportBattle();
  void MoveUp();
  void MoveDown();

 protected:
  void reject() override;

 private:
  std::optional<std::size_t> Selected() const;
  void Refill(std::optional<std::size_t> select);
  // After a change to the list: writes it and shows it, with `select` still selected.
  void ListChanged(std::optional<std::size_t> select);
  void UpdateButtons();

  std::unique_ptr<Ui::BattleListWindow> ui_;
  const GameFolder& game_;
  Catalogs& catalogs_;
  BattleIndex index_;
};

}  // namespace vk7
