#pragma once

#include <QDialog>
#include <QListWidget>
#include <QTest>
#include <string>

#include "battle/battle_config.h"
#include "battle/recording_reporter.h"
#include "battle/text_line_file.h"
#include "content/ship_catalog.h"
#include "content/system_catalog.h"
#include "gui_support/scripted_seam.h"

// Battles, catalogs and list handling shared by the page tests; kept apart from the flow
// tests' helpers of the same names.
namespace vk7::test {
inline namespace pages {

template <typename Catalog>
Catalog CatalogFrom(const std::string& text) {
  TextLineFile source;
  source.OpenMemory(text);
  Catalog catalog;
  catalog.Read(source);
  return catalog;
}

inline ShipEntry Ship(const std::string& shipClass, const char* name = nullptr) {
  return ShipEntry{shipClass, name != nullptr ? name : "", true, name != nullptr};
}

inline StarSystem System(const std::string& name) {
  StarSystem system;
  system.name = name;
  system.nameDefined = true;
  return system;
}

inline DialogLine Line(const std::string& speaker, const std::string& text,
                       const std::string& voice = "") {
  return DialogLine{speaker, text, voice, true, true, true};
}

inline RecordingReporter::Entry ErrorEntry(const std::string& text) {
  return {true, "Error", text, std::nullopt};
}
inline RecordingReporter::Entry WarningEntry(const std::string& text) {
  return {false, "Warning", text, std::nullopt};
}

// An error box: its title and message, answered with "Cancel".
inline ScriptedSeam::Action Refused(const QString& text) {
  return [text](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), "Error");
    EXPECT_EQ(MessageText(box), text);
    Click(box, "Cancel");
  };
}

inline QStringList Rows(const QListWidget& list) {
  QStringList rows;
  for (int i = 0; i < list.count(); ++i) rows << list.item(i)->text();
  return rows;
}

inline void SelectRow(QListWidget& list, int row) {
  list.setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

inline int SelectedRow(const QListWidget& list) {
  const auto selected = list.selectedItems();
  return selected.isEmpty() ? -1 : list.row(selected.front());
}

inline QPoint RowCenter(QListWidget& list, int row) {
  list.scrollToItem(list.item(row));
  return list.visualItemRect(list.item(row)).center();
}

inline void ClickRow(QListWidget& list, int row) {
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, RowCenter(list, row));
}

// What the window system delivers for a double click: press, release, double click, release.
inline void DoubleClickRow(QListWidget& list, int row) {
  const QPoint at = RowCenter(list, row);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
  QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, at);
}

// Cancel, Escape and the close box, each of which must ask before the page goes.
inline void Leave(QDialog& page, int way) {
  if (way == 0) Click(page, "Cancel");
  if (way == 1) QTest::keyClick(&page, Qt::Key_Escape);
  if (way == 2) page.close();
}

}  // namespace pages
}  // namespace vk7::test
