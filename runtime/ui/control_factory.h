// Creates the live control of a record from its type and unit data.
#pragma once

#include <memory>

#include "forms/unit_data.h"
#include "runtime/ui/toolkit_control.h"

namespace rt {

// Null when the unit data cannot be read (an unknown type, a version the type does not
// know, malformed bytes): the window cannot be shown then.
std::unique_ptr<LiveControl> CreateLiveControl(LoadedWindow& window, ControlState& state);

std::unique_ptr<LiveControl> CreateWindowControl(LoadedWindow&, ControlState&, forms::WindowUnit);
std::unique_ptr<LiveControl> CreateLabel(LoadedWindow&, ControlState&, forms::LabelUnit);
std::unique_ptr<LiveControl> CreateEditBox(LoadedWindow&, ControlState&, forms::EditBoxUnit);
std::unique_ptr<LiveControl> CreateGroupBox(LoadedWindow&, ControlState&, forms::GroupBoxUnit);
std::unique_ptr<LiveControl> CreateButton(LoadedWindow&, ControlState&, forms::ButtonUnit);
std::unique_ptr<LiveControl> CreateDrawPanel(LoadedWindow&, ControlState&, forms::DrawPanelUnit);
std::unique_ptr<LiveControl> CreateComboBox(LoadedWindow&, ControlState&, forms::ComboBoxUnit);
std::unique_ptr<LiveControl> CreateTabControl(LoadedWindow&, ControlState&, forms::TabUnit);
std::unique_ptr<LiveControl> CreateTimer(LoadedWindow&, ControlState&, forms::TimerUnit);
std::unique_ptr<LiveControl> CreateBalloonTip(LoadedWindow&, ControlState&, forms::BalloonTipUnit);

}  // namespace rt
