// The balloon-tip component: invisible at run time, it keeps for each target control a
// list of tips (an area of the control, a text it owns) and shows a tip's text in a
// balloon while the pointer rests on its area: 600 ms after the pointer has come onto
// the tip, for 3000 ms at most, and only until the pointer leaves the tip or a mouse
// button is pressed; it shows again once the pointer has left and come back. The
// component watches the toolkit's events without taking any of them from the targets.
// Without a display it keeps its tips and shows nothing.
//
// Icon numbers are accepted and ignored: a tip's icon comes from the component's image
// list, and this component has none.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "runtime/core/value.h"

namespace rt {

class LiveControl;

// The set-tip method. Arguments: 0 the balloon-tip control (strict lookup), 1 the target
// control (lenient lookup), 2 the text, 3 the icon number (-1 none), 4 to 7 left, top,
// width and height of the area (all four given, or the area is the whole control).
// A tip with an equal area is replaced, another one appended. Result: Bool, false when
// the target has no live control.
void SetTip(Value* result, int argc, const Value* args);

// The text of the target's tip for the whole control, if it has one (GBK).
std::optional<std::string> WholeControlTip(LiveControl& balloon_tip, uint32_t window_id,
                                           uint32_t control_id);

}  // namespace rt
