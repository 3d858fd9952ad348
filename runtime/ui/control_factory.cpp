#include "runtime/ui/control_factory.h"

#include <FL/Fl_Group.H>

namespace rt {
namespace {

struct Creator {
  LoadedWindow& window;
  ControlState& state;

  std::unique_ptr<LiveControl> operator()(forms::WindowUnit u) { return CreateWindowControl(window, state, std::move(u)); }
  std::unique_ptr<LiveControl> operator()(forms::LabelUnit u) { return CreateLabel(window, state, std::move(u)); }
  std::unique_ptr<LiveControl> operator()(forms::EditBoxUnit u) { return CreateEditBox(window, state, std::move(u)); }
  std::unique_ptr<LiveControl> operator()(forms::GroupBoxUnit u) { return CreateGroupBox(window, state, std::move(u)); }
  std::unique_ptr<LiveControl> operator()(forms::ButtonUnit u) { return CreateButton(window, state, std::move(u)); }
  std::unique_ptr<LiveControl> operator()(forms::DrawPanelUnit u) { return CreateDrawPanel(window, state, std::move(u)); }
  std::unique_ptr<LiveControl> operator()(forms::ComboBoxUnit u) { return CreateComboBox(window, state, std::move(u)); }
  std::unique_ptr<LiveControl> operator()(forms::TabUnit u) { return CreateTabControl(window, state, std::move(u)); }
  std::unique_ptr<LiveControl> operator()(forms::TimerUnit u) { return CreateTimer(window, state, std::move(u)); }
  std::unique_ptr<LiveControl> operator()(forms::BalloonTipUnit u) { return CreateBalloonTip(window, state, u); }
};

}  // namespace

std::unique_ptr<LiveControl> CreateLiveControl(LoadedWindow& window, ControlState& state) {
  std::optional<forms::UnitData> unit =
      forms::ParseUnitData(state.record.type_code, state.record.unit_data);
  if (!unit) return nullptr;
  // New widgets must not attach themselves to whatever group was built last.
  Fl_Group::current(nullptr);
  return std::visit(Creator{window, state}, std::move(*unit));
}

}  // namespace rt
