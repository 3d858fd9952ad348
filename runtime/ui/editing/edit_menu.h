// Entries that the program adds to the edit menu of particular edit boxes. The right
// button opens that menu on any edit box: 撤销, 剪切, 复制, 粘贴, 删除 and 全选 in the
// states of the platform's edit control, then the entries added for that box.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace rt {

struct EditMenuEntry {
  std::string caption;            // GBK
  std::function<bool()> enabled;  // asked each time the menu opens: greyed while false
                                  // (none: always offered)
  std::function<void()> action;   // runs once the menu has closed on this entry
};

// Adds `entry` below the standard entries of the box's menu, after a separator, in the
// order added; it lasts as long as the program. False (and nothing added) when the window
// is not loaded or the control is not one of its edit boxes.
bool AddEditMenuEntry(uint32_t window_id, uint32_t control_id, EditMenuEntry entry);

// The entries added to the box's menu, in order.
std::span<const EditMenuEntry> AddedEditMenuEntries(uint32_t window_id, uint32_t control_id);

}  // namespace rt
