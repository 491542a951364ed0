#include "pages/dialog_lines_box_logic.h"

#include <new>
#include <utility>

#include "content/dialog_text.h"

namespace vk7 {

bool StoreDialogLists(std::initializer_list<EditedDialogList> edits, Reporter& reporter) {
  // Built aside first: running out of memory half-way must leave every list as it was.
  try {
    DialogNotes notes;
    std::vector<std::vector<DialogLine>> rebuilt(edits.size());
    auto next = rebuilt.begin();
    for (const EditedDialogList& edit : edits) RebuildDialogList(edit.text, *next++, notes);
    ShowDialogNoteWarnings(notes, reporter);
    next = rebuilt.begin();
    for (const EditedDialogList& edit : edits) edit.list = std::move(*next++);
  } catch (const std::bad_alloc&) {
    reporter.Error("Error", "Out of memory!");
    return false;
  }
  return true;
}

}  // namespace vk7
