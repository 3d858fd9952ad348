#include "runtime/core/loaded_windows.h"

#include <optional>

#include "runtime/core/error_report.h"
#include "runtime/core/frame.h"
#include "runtime/core/live_control.h"
#include "runtime/core/runtime_state.h"

namespace rt {
namespace {

// Every handler reference names no handler or one of the program's handlers.
bool HandlerReferencesResolve(const forms::Template& tmpl) {
  const size_t count = CurrentProgram().handlers.size();
  auto resolves = [count](uint32_t handler) {
    return handler == forms::kNoHandler || handler < count;
  };
  for (const forms::WindowEntry& window : tmpl.windows) {
    for (const forms::ControlRecord& record : window.records) {
      if (record.menu_item && !resolves(record.menu_item->handler)) return false;
      for (const forms::Binding& binding : record.bindings) {
        if (!resolves(binding.handler)) return false;
      }
    }
  }
  return true;
}

}  // namespace

ControlState::ControlState() = default;
ControlState::ControlState(forms::ControlRecord r) : record(std::move(r)) {}
ControlState::ControlState(ControlState&&) noexcept = default;
ControlState& ControlState::operator=(ControlState&&) noexcept = default;
ControlState::~ControlState() = default;

std::vector<LoadedWindow>& LoadedWindows() { return Runtime().loaded_windows; }

void LoadWindowTemplate(std::span<const uint8_t> block) {
  std::optional<forms::Template> parsed = forms::ParseTemplate(block);
  if (!parsed || !HandlerReferencesResolve(*parsed)) ReportError("载入窗口模板数据段出错!", 0);
  ReleaseLoadedWindows();
  std::optional<forms::Template>& loaded = Runtime().loaded_template;
  loaded = std::move(parsed);
  for (const forms::WindowEntry& entry : loaded->windows) {
    LoadedWindow window;
    window.window_id = entry.window_id;
    window.entry = &entry;
    for (const forms::ControlRecord& record : entry.records) window.controls.emplace_back(record);
    LoadedWindows().push_back(std::move(window));
  }
}

void ReleaseLoadedWindows() {
  // Live controls go first: they may refer to their window's records while destroyed.
  for (LoadedWindow& window : LoadedWindows()) {
    for (auto it = window.controls.rbegin(); it != window.controls.rend(); ++it) it->live.reset();
  }
  LoadedWindows().clear();
  Runtime().loaded_template.reset();
}

LoadedWindow* FindLoadedWindow(uint32_t window_id) {
  for (LoadedWindow& window : LoadedWindows()) {
    if (window.window_id == window_id) return &window;
  }
  return nullptr;
}

ControlState* FindControl(LoadedWindow& window, uint32_t control_id) {
  for (ControlState& control : window.controls) {
    if (control.record.control_id == control_id) return &control;
  }
  return nullptr;
}

ControlState* FindControlByName(LoadedWindow& window, std::string_view gbk_name) {
  for (ControlState& control : window.controls) {
    if (control.record.name == gbk_name) return &control;
  }
  return nullptr;
}

ControlState* FindRecord(LoadedWindow& window, uint32_t control_id) {
  if (IsWindowRecordId(control_id)) return window.controls.empty() ? nullptr : &window.controls[0];
  return FindControl(window, control_id);
}

bool IsWindowRecordId(uint32_t control_id) {
  return (control_id >> 28) == 0 && ((control_id >> 24) & 0xF) == 6;
}

}  // namespace rt
