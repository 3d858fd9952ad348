#include "runtime/ui/controls/control_factory.h"

#include <FL/Fl_Group.H>

namespace rt {

std::unique_ptr<LiveControl> CreateLiveControl(LoadedWindow& window, ControlState& state) {
  std::optional<forms::UnitData> unit =
      forms::ParseUnitData(state.record.type_code, state.record.unit_data);
  if (!unit) return nullptr;
  // New widgets must not attach themselves to whatever group was built last.
  Fl_Group::current(nullptr);
  auto create = [&](auto parsed) { return CreateControl(window, state, std::move(parsed)); };
  return std::visit(create, std::move(*unit));
}

}  // namespace rt
