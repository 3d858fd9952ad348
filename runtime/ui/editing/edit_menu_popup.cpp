#include "runtime/ui/editing/edit_menu_popup.h"

#include <FL/Fl_Menu_Item.H>

#include <string>
#include <vector>

#include "runtime/platform/gbk.h"
#include "runtime/ui/controls/look.h"

namespace rt {
namespace {

struct StandardEntry {
  const char* caption;
  EditCommand command;
};

constexpr StandardEntry kStandardEntries[] = {
    {"撤销", EditCommand::kUndo},   {"剪切", EditCommand::kCut},
    {"复制", EditCommand::kCopy},   {"粘贴", EditCommand::kPaste},
    {"删除", EditCommand::kDelete}, {"全选", EditCommand::kSelectAll},
};

// A read-only field offers only copying and selecting, as the platform's does.
bool Offers(EditCommand command, const EditFieldFacts& facts) {
  bool writable = !facts.read_only;
  switch (command) {
    case EditCommand::kUndo: return writable && facts.can_undo;
    case EditCommand::kCut:
    case EditCommand::kDelete: return writable && facts.has_selection;
    case EditCommand::kCopy: return facts.has_selection;
    case EditCommand::kPaste: return writable && facts.clipboard_has_text;
    case EditCommand::kSelectAll: return !facts.all_selected;
  }
  return false;
}

struct MenuRow {
  std::string caption;  // UTF-8
  bool enabled;
  bool divider_after = false;
};

std::vector<MenuRow> EditMenuRows(const EditFieldFacts& facts,
                                  std::span<const EditMenuEntry> added) {
  std::vector<MenuRow> rows;
  for (const StandardEntry& entry : kStandardEntries) {
    if (entry.command == EditCommand::kSelectAll) rows.back().divider_after = true;
    rows.push_back({GbkToUtf8(entry.caption), Offers(entry.command, facts)});
  }
  if (!added.empty()) rows.back().divider_after = true;
  for (const EditMenuEntry& entry : added)
    rows.push_back({GbkToUtf8(entry.caption), !entry.enabled || entry.enabled()});
  return rows;
}

// The toolkit's items over the rows, which must outlive them; an item's user data is its
// place in the menu.
std::vector<Fl_Menu_Item> ToolkitItems(const std::vector<MenuRow>& rows) {
  ToolkitFont font = ToToolkitFont(std::nullopt);
  std::vector<Fl_Menu_Item> items(rows.size() + 1, Fl_Menu_Item{});  // the last ends the menu
  for (size_t i = 0; i < rows.size(); ++i) {
    items[i].text = rows[i].caption.c_str();
    items[i].user_data_ = reinterpret_cast<void*>(i);
    items[i].flags =
        (rows[i].enabled ? 0 : FL_MENU_INACTIVE) | (rows[i].divider_after ? FL_MENU_DIVIDER : 0);
    items[i].labelfont_ = font.face;
    items[i].labelsize_ = font.size;
  }
  return items;
}

}  // namespace

EditMenuChoice PopUpEditMenu(const EditFieldFacts& facts, std::span<const EditMenuEntry> added,
                             int x, int y) {
  std::vector<MenuRow> rows = EditMenuRows(facts, added);
  std::vector<Fl_Menu_Item> items = ToolkitItems(rows);
  const Fl_Menu_Item* picked = items.front().popup(x, y);
  EditMenuChoice choice;
  if (!picked) return choice;
  auto index = reinterpret_cast<size_t>(picked->user_data());
  if (index < std::size(kStandardEntries)) {
    choice.command = kStandardEntries[index].command;
  } else {
    choice.added = &added[index - std::size(kStandardEntries)];
  }
  return choice;
}

}  // namespace rt
