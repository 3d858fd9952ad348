// The edit menu that the right button opens on an edit field: the standard entries in
// the states of the platform's edit control, then the entries the program added.
#pragma once

#include <optional>
#include <span>

#include "runtime/ui/editing/edit_menu.h"

namespace rt {

enum class EditCommand { kUndo, kCut, kCopy, kPaste, kDelete, kSelectAll };

// What decides which standard entries are offered.
struct EditFieldFacts {
  bool read_only = false;
  bool has_selection = false;
  bool all_selected = false;  // also with an empty text
  bool can_undo = false;
  bool clipboard_has_text = false;
};

// One of the two is set when the user picked an entry; neither when the menu was closed
// without a pick.
struct EditMenuChoice {
  std::optional<EditCommand> command;
  const EditMenuEntry* added = nullptr;
};

// Pops the menu up with its top left corner at (x, y) in the current window and waits
// until it closes.
EditMenuChoice PopUpEditMenu(const EditFieldFacts& facts, std::span<const EditMenuEntry> added,
                             int x, int y);

}  // namespace rt
