#include "runtime/core/events.h"

#include "forms/template.h"
#include "runtime/core/error_report.h"
#include "runtime/core/frame.h"
#include "runtime/core/loaded_windows.h"
#include "runtime/core/runtime_state.h"

namespace rt {
namespace {

bool TypeRaisesEvents(uint32_t type_code) {
  switch (type_code) {
    case forms::kWindowType:
    case forms::kMenuItemType:
    case forms::kEditBoxType:
    case forms::kDrawPanelType:
    case forms::kGroupBoxType:
    case forms::kLabelType:
    case forms::kButtonType:
    case forms::kComboBoxType:
    case forms::kTabType:
    case forms::kTimerType:
    case forms::kBalloonTipType: return true;
    default: return false;
  }
}

// A control may name another control of its type whose bindings it uses. The chain is
// followed while the linked control exists and has the same type; a chain that loops
// stops once every record has been visited.
const ControlState& FollowEventOwner(LoadedWindow& window, const ControlState& start) {
  const ControlState* current = &start;
  for (size_t steps = 0; steps < window.controls.size(); ++steps) {
    uint32_t owner_id = current->record.event_owner;
    if (owner_id == 0) break;
    const ControlState* owner = FindControl(window, owner_id);
    if (!owner || owner->record.type_code != current->record.type_code) break;
    current = owner;
  }
  return *current;
}

// References were checked against the handler table when the template was loaded.
Handler BoundHandler(const ControlState& control, int32_t event) {
  for (const forms::Binding& binding : control.record.bindings) {
    if (binding.event != event) continue;
    if (binding.handler == forms::kNoHandler) return nullptr;
    return CurrentProgram().handlers[binding.handler];
  }
  return nullptr;
}

}  // namespace

HandlerResult RaiseEvent(uint32_t window_id, uint32_t control_id, int32_t event,
                         const EventArgs& args) {
  if (EventsSuppressed()) return std::nullopt;
  LoadedWindow* window = FindLoadedWindow(window_id);
  if (!window) ReportError("未找到引发事件的窗口", 0);
  ControlState* control = FindRecord(*window, control_id);
  if (!control) ReportError("未找到引发事件的窗口组件", 0);
  const ControlState& owner = FollowEventOwner(*window, *control);
  if (!TypeRaisesEvents(owner.record.type_code)) ReportError("引发事件的窗口组件无效", 0);
  Handler handler = BoundHandler(owner, event);
  if (!handler) return std::nullopt;

  EventSource& current = Runtime().current_event_source;
  const EventSource previous = current;
  current = {window_id, control_id};
  HandlerResult answer = handler(args);
  Runtime().current_event_source = previous;
  return answer;
}

bool HandlerBound(uint32_t window_id, uint32_t control_id, int32_t event) {
  LoadedWindow* window = FindLoadedWindow(window_id);
  ControlState* control = window ? FindRecord(*window, control_id) : nullptr;
  return control && BoundHandler(FollowEventOwner(*window, *control), event);
}

EventSource CurrentEventSource() { return Runtime().current_event_source; }

}  // namespace rt
