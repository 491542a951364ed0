#pragma once

#include <QDialog>
#include <vector>

#include "battle/battle_config.h"
#include "content/ship_catalog.h"
#include "content/system_catalog.h"
#include "pages/page_result.h"
#include "pages/system_ships_page_logic.h"

class QListWidget;
class QPushButton;

namespace vk7 {

// What SYSTEMBOX1 and SYSTEMBOX2 have in common: the catalog, two ship lists of one system
// with their "Add -->" / "Remove <--" buttons, ship naming by double click, "Positions",
// "<-- Previous", "Finish" and "Cancel". A page closes with its PageResult as result code.
class SystemShipsPage : public QDialog {
  Q_OBJECT

 public:
  // "Cancel", Escape and the close box all ask before the page closes.
  void reject() override;

 protected:
  // The controls of a page's template, handed over once it is set up.
  struct Controls {
    QListWidget* available;
    QListWidget* upper;
    QListWidget* lower;
    QPushButton* upperAdd;
    QPushButton* upperRemove;
    QPushButton* lowerAdd;
    QPushButton* lowerRemove;
    QPushButton* positions;
    QPushButton* previous;
    QPushButton* finish;
    QPushButton* cancel;
    // The buttons that open a detail page of the system (positions included).
    std::vector<QPushButton*> details;
  };

  SystemShipsPage(QWidget* parent, BattleConfig& config, int systemNumber, SystemShipsKind kind,
                  const ShipCatalog& ships, const SystemCatalog& systems);

  // Fills the lists from the model and wires the common controls.
  void Open(const Controls& controls);
  void Leave(PageResult result);
  // The page's system; nullptr when the page opened without one.
  StarSystem* System() const { return SystemAt(config_, systemNumber_); }

  BattleConfig& config_;

  // Runs `page` and turns its result code back into the PageResult.
  static PageResult RunPage(QDialog& page);

 private:
  struct Side {
    QListWidget* list;
    QPushButton* add;
    QPushButton* remove;
    const ShipsSide* model;
  };

  void UpdateButtons();
  void Add(const Side& side);
  void Remove(const Side& side);
  void Name(const Side& side);
  void Finish();
  void OpenPositions();
  std::vector<ShipEntry>* ShipsOf(const Side& side) const;

  const SystemCatalog& systems_;
  int systemNumber_;
  SystemShipsKind kind_;
  const ShipCatalog& ships_;
  QListWidget* available_ = nullptr;
  Side upper_{};
  Side lower_{};
  std::vector<QPushButton*> details_;
};

}  // namespace vk7
