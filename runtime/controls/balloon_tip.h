// The balloon-tip component: invisible at run time, it keeps for each target control a
// list of tips (an area of the control, an optional icon, a text it owns) and shows a
// tip while the pointer rests on its area.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "runtime/value.h"

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
