#include "calc/pages/control_io.h"

#include "calc/pages/main_window.h"
#include "runtime/core/heap.h"
#include "runtime/core/loaded_windows.h"
#include "runtime/core/property_access.h"

namespace calc {
namespace {

// A text or picture property as a runtime heap block, null when empty.
void* ReadBlock(uint32_t control_id, int32_t property) {
  const uint64_t bits = rt::GetProperty(kMainWindowId, control_id, property, -1);
  return reinterpret_cast<void*>(static_cast<uintptr_t>(bits));
}

// The control's first own property (an edit box's content, a caption, a draw panel's
// picture).
void* ReadContent(uint32_t control_id) { return ReadBlock(control_id, kContentProperty); }

}  // namespace

std::string ReadText(uint32_t control_id) {
  const rt::HeapText text(static_cast<char*>(ReadContent(control_id)));
  return std::string(text.view());
}

void WriteText(uint32_t control_id, const std::string& gbk_text) {
  const rt::Value text = rt::MakeText(gbk_text.c_str());
  rt::SetProperty(kMainWindowId, control_id, kContentProperty, -1, text.lo, text.hi);
}

int32_t ReadSelection(uint32_t control_id) {
  return ReadIntProperty(control_id, kSelectionProperty);
}

std::vector<std::string> ReadItems(uint32_t control_id) {
  const rt::HeapText text(static_cast<char*>(ReadBlock(control_id, kItemsProperty)));
  std::vector<std::string> items;
  if (text.view().empty()) return items;
  for (size_t start = 0;;) {
    const size_t end = text.view().find("\r\n", start);
    items.emplace_back(text.view().substr(start, end - start));
    if (end == std::string_view::npos) return items;
    start = end + 2;
  }
}

std::vector<uint8_t> ReadPicture(uint32_t control_id) {
  const rt::HeapBlock picture(ReadContent(control_id));
  return std::vector<uint8_t>(picture.bytes().begin(), picture.bytes().end());
}

std::string ControlName(uint32_t control_id) {
  rt::LoadedWindow* window = rt::FindLoadedWindow(kMainWindowId);
  rt::ControlState* control = window ? rt::FindControl(*window, control_id) : nullptr;
  return control ? control->record.name : std::string();
}

int32_t ReadIntProperty(uint32_t control_id, int32_t property) {
  return static_cast<int32_t>(rt::GetProperty(kMainWindowId, control_id, property, -1));
}

void WriteIntProperty(uint32_t control_id, int32_t property, int32_t value) {
  rt::SetProperty(kMainWindowId, control_id, property, -1, static_cast<uint32_t>(value), 0);
}

}  // namespace calc
