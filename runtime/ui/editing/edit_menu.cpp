#include "runtime/ui/editing/edit_menu.h"

#include <map>
#include <utility>
#include <vector>

#include "runtime/core/loaded_windows.h"
#include "runtime/ui/loop/toolkit_state.h"

namespace rt {
namespace {

std::map<std::pair<uint32_t, uint32_t>, std::vector<EditMenuEntry>>& AddedEntries() {
  return Toolkit().edit_menu_entries;
}

bool IsEditBox(uint32_t window_id, uint32_t control_id) {
  LoadedWindow* window = FindLoadedWindow(window_id);
  ControlState* control = window ? FindControl(*window, control_id) : nullptr;
  return control && control->record.type_code == forms::kEditBoxType;
}

}  // namespace

bool AddEditMenuEntry(uint32_t window_id, uint32_t control_id, EditMenuEntry entry) {
  if (!IsEditBox(window_id, control_id)) return false;
  AddedEntries()[{window_id, control_id}].push_back(std::move(entry));
  return true;
}

std::span<const EditMenuEntry> AddedEditMenuEntries(uint32_t window_id, uint32_t control_id) {
  auto it = AddedEntries().find({window_id, control_id});
  if (it == AddedEntries().end()) return {};
  return it->second;
}

}  // namespace rt
