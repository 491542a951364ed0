#pragma once

#include <initializer_list>
#include <string_view>
#include <vector>

#include "battle/battle_config.h"
#include "battle/reporter.h"

// What the "Ok" of the dialog-lines boxes does with their edits, free of any toolkit.
namespace vk7 {

// One edit of a box: its text (CR LF or LF line ends) and the list it rebuilds.
struct EditedDialogList {
  std::string_view text;
  std::vector<DialogLine>& list;
};

// Rebuilds every list from its text with one set of notes, shows their warnings and stores
// the lists together. False, with "Out of memory!" shown and no list touched, when memory
// runs out.
bool StoreDialogLists(std::initializer_list<EditedDialogList> edits, Reporter& reporter);

}  // namespace vk7
