#include "pages/systems_page.h"

#include <QApplication>
#include <QFontMetrics>
#include <QListWidget>
#include <QPainter>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QTextOption>

#include "content/dialog_text.h"
#include "content/finish_validation.h"
#include "pages/check_results_page.h"
#include "pages/systems_page_logic.h"
#include "ui_systems_page.h"
#include "widgets/box_reporter.h"
#include "widgets/cancel_box.h"
#include "widgets/cp1252.h"
#include "widgets/delete_box.h"
#include "widgets/list_rows.h"
#include "widgets/modal_seam.h"
#include "widgets/replace_box.h"

namespace vk7 {

namespace {

// Where the counts of a "Systems" row start: 60 dialog units, a dialog unit being a quarter
// of the font's average character width.
constexpr int kTabStopDialogUnits = 60;

int TabStopPixels(const QFont& font) {
  static const QString kAlphabet =
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  const QFontMetrics metrics(font);
  const int average = (metrics.horizontalAdvance(kAlphabet) + 26) / 52;
  return kTabStopDialogUnits * average / 4;
}

// Draws row texts with their tabs expanded to stops every `TabStopPixels`, so that the
// counts after a system's name line up in one column (Qt's own stops are far apart).
class TabStopDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    const QString text = item.text;
    item.text.clear();
    const QWidget* widget = item.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    // Background, selection and focus as usual; the text by hand.
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget)
                           .adjusted(margin, 0, -margin, 0);
    const QPalette::ColorGroup group = !(item.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (item.state & QStyle::State_Active) ? QPalette::Normal
                                                                             : QPalette::Inactive;
    const QPalette::ColorRole role =
        (item.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
    QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
    layout.setWrapMode(QTextOption::NoWrap);
    layout.setTabStopDistance(TabStopPixels(item.font));
    painter->save();
    painter->setFont(item.font);
    painter->setPen(item.palette.color(group, role));
    painter->drawText(QRectF(area), text, layout);
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    const QWidget* widget = item.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QFontMetrics metrics(item.font);
    const int width =
        metrics.size(Qt::TextSingleLine | Qt::TextExpandTabs, item.text, TabStopPixels(item.font))
            .width();
    size.setWidth(width + 2 * margin);
    return size;
  }
};

}  // namespace

SystemsPage::SystemsPage(QWidget* parent, BattleConfig& config, const ShipCatalog& ships,
                         const SystemCatalog& systems)
    : QDialog(parent),
      ui_(std::make_unique<Ui::SystemsPage>()),
      config_(config),
      ships_(ships),
      systems_(systems) {
  ui_->setupUi(this);
  ui_->systemsList->setItemDelegate(new TabStopDelegate(ui_->systemsList));

  const SystemsPageView view = OpenSystemsPage(config);
  setWindowTitle(FromCp1252(view.title));
  ui_->systemsList->addItems(ToRows(view.systemRows));
  std::vector<std::string> catalogRows;
  systems.FillSystemList(catalogRows);
  ui_->availableSystemsList->addItems(ToRows(catalogRows));
  UpdateButtons();

  connect(ui_->availableSystemsList, &QListWidget::itemSelectionChanged, this,
          &SystemsPage::UpdateButtons);
  connect(ui_->systemsList, &QListWidget::itemSelectionChanged, this, &SystemsPage::UpdateButtons);
  connect(ui_->addButton, &QPushButton::clicked, this, &SystemsPage::Add);
  connect(ui_->replaceButton, &QPushButton::clicked, this, &SystemsPage::Replace);
  connect(ui_->removeButton, &QPushButton::clicked, this, &SystemsPage::Remove);
  connect(ui_->editButton, &QPushButton::clicked, this, &SystemsPage::Edit);
  connect(ui_->nextButton, &QPushButton::clicked, this, &SystemsPage::Edit);
  connect(ui_->systemsList, &QListWidget::itemDoubleClicked, this, &SystemsPage::Edit);
  connect(ui_->upButton, &QPushButton::clicked, this, [this] { Move(true); });
  connect(ui_->downButton, &QPushButton::clicked, this, [this] { Move(false); });
  connect(ui_->checkButton, &QPushButton::clicked, this,
          [this] { CheckResultsPage::Run(this, config_, ships_, systems_, std::nullopt); });
  connect(ui_->previousButton, &QPushButton::clicked, this,
          [this] { done(static_cast<int>(PageResult::Previous)); });
  connect(ui_->finishButton, &QPushButton::clicked, this, &SystemsPage::Finish);
  connect(ui_->cancelButton, &QPushButton::clicked, this, &SystemsPage::reject);
}

SystemsPage::~SystemsPage() = default;

void SystemsPage::UpdateButtons() {
  const SystemsPageButtons buttons = SystemsPageEnables(
      config_, SelectedRow(*ui_->availableSystemsList) >= 0, SelectedRow(*ui_->systemsList) >= 0);
  ui_->addButton->setEnabled(buttons.add);
  ui_->replaceButton->setEnabled(buttons.replace);
  ui_->removeButton->setEnabled(buttons.remove);
  ui_->editButton->setEnabled(buttons.edit);
  ui_->upButton->setEnabled(buttons.up);
  ui_->downButton->setEnabled(buttons.down);
  ui_->nextButton->setEnabled(buttons.next);
  ui_->finishButton->setEnabled(buttons.finish);
}

void SystemsPage::ShowSystemRow(int row) {
  ui_->systemsList->item(row)->setText(
      FromCp1252(FormatStarSystem(config_.systems[static_cast<std::size_t>(row)])));
}

void SystemsPage::Add() {
  const int row = SelectedRow(*ui_->availableSystemsList);
  if (row < 0) return;
  BoxReporter reporter(this);
  if (!AddSystem(config_, systems_, static_cast<std::size_t>(row), reporter)) return;
  ui_->systemsList->addItem(FromCp1252(FormatStarSystem(config_.systems.back())));
  UpdateButtons();
}

void SystemsPage::Replace() {
  const int catalogRow = SelectedRow(*ui_->availableSystemsList);
  const int systemRow = SelectedRow(*ui_->systemsList);
  if (catalogRow < 0 || systemRow < 0) return;
  BoxReporter reporter(this);
  std::optional<SystemReplacement> replacement =
      PrepareSystemReplacement(config_, systems_, static_cast<std::size_t>(catalogRow),
                               static_cast<std::size_t>(systemRow), reporter);
  if (!replacement) return;
  if (!ReplaceBox::Ask(this, replacement->question, replacement->note)) return;
  ReplaceSystem(config_, std::move(*replacement));
  ShowSystemRow(systemRow);
}

void SystemsPage::Remove() {
  const int row = SelectedRow(*ui_->systemsList);
  if (row < 0) return;
  const auto index = static_cast<std::size_t>(row);
  if (!DeleteBox::Ask(this, RemoveSystemQuestion(config_, index))) return;
  if (!RemoveSystem(config_, index)) return;
  delete ui_->systemsList->takeItem(row);
  // The view may hand the selection on to a neighbour; nothing stays selected here.
  ui_->systemsList->clearSelection();
  UpdateButtons();
}

void SystemsPage::Edit() {
  const int row = SelectedRow(*ui_->systemsList);
  if (row < 0) return;
  chosen_ = row + 1;
  done(static_cast<int>(PageResult::Next));
}

void SystemsPage::Move(bool up) {
  const int row = SelectedRow(*ui_->systemsList);
  if (row < 0) return;
  const auto index = static_cast<std::size_t>(row);
  const std::optional<std::size_t> moved =
      up ? MoveSystemUp(config_, index) : MoveSystemDown(config_, index);
  if (!moved) return;
  const int newRow = static_cast<int>(*moved);
  ShowSystemRow(row);
  ShowSystemRow(newRow);
  ui_->systemsList->setCurrentRow(newRow, QItemSelectionModel::ClearAndSelect);
}

void SystemsPage::Finish() {
  BoxReporter reporter(this);
  if (CheckFinishAndForceAiMode(config_, reporter)) done(static_cast<int>(PageResult::Finish));
}

void SystemsPage::reject() {
  if (CancelBox::Ask(this)) done(static_cast<int>(PageResult::Cancel));
}

PageResult SystemsPage::Run(QWidget* parent, BattleConfig& config, const ShipCatalog& ships,
                            const SystemCatalog& systems, int& systemNumber) {
  SystemsPage page(parent, config, ships, systems);
  const int result = ModalSeam::Current().Exec(page);
  // Anything but a page's own result (a dialog torn down from outside) counts as cancelled.
  if (result == static_cast<int>(PageResult::Next) && page.ChosenSystem() > 0) {
    systemNumber = page.ChosenSystem();
    return PageResult::Next;
  }
  if (result == static_cast<int>(PageResult::Previous)) return PageResult::Previous;
  if (result == static_cast<int>(PageResult::Finish)) return PageResult::Finish;
  return PageResult::Cancel;
}

}  // namespace vk7
