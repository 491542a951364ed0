#pragma once

#include <QStringList>
#include <string>
#include <vector>

class QListWidget;

namespace vk7 {

// Row texts of the core as list rows, converted at the widget boundary. Lists are filled in
// one go: a catalog may hold thousands of classes.
QStringList ToRows(const std::vector<std::string>& rows);

// The selected row of a single-selection list, or -1.
int SelectedRow(const QListWidget& list);

}  // namespace vk7
