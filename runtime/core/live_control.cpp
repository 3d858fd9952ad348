#include "runtime/core/live_control.h"

namespace rt {

LiveControl::LiveControl(LoadedWindow& window, ControlState& state)
    : window_(&window), state_(&state) {}

LiveControl::~LiveControl() = default;

std::optional<PropertyForm> LiveControl::FormOf(int) const { return std::nullopt; }

PropertyData LiveControl::ReadProperty(int) const { return {}; }

void LiveControl::WriteProperty(int, const PropertyData&) {}

std::string LiveControl::DisplayedText() const { return {}; }

HandlerResult LiveControl::Raise(int32_t event, const EventArgs& args) const {
  return RaiseEvent(window_->window_id, control_id(), event, args);
}

}  // namespace rt
