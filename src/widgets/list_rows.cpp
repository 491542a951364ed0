#include "widgets/list_rows.h"

#include <QListWidget>

#include "widgets/cp1252.h"

namespace vk7 {

QStringList ToRows(const std::vector<std::string>& rows) {
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(rows.size()));
  for (const std::string& row : rows) texts.append(FromCp1252(row));
  return texts;
}

int SelectedRow(const QListWidget& list) {
  const QList<QListWidgetItem*> selected = list.selectedItems();
  return selected.isEmpty() ? -1 : list.row(selected.front());
}

}  // namespace vk7
