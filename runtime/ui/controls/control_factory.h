// Creates the live control of a record from its type and unit data.
#pragma once

#include <memory>

#include "forms/unit_data.h"
#include "runtime/ui/controls/toolkit_control.h"

namespace rt {

// Null when the unit data cannot be read (an unknown type, a version the type does not
// know, malformed bytes): the window cannot be shown then.
std::unique_ptr<LiveControl> CreateLiveControl(LoadedWindow& window, ControlState& state);

// The live control of one control type, made from its unit data: each type's file has
// its own.
template <class Unit>
std::unique_ptr<LiveControl> CreateControl(LoadedWindow& window, ControlState& state, Unit unit);

}  // namespace rt
