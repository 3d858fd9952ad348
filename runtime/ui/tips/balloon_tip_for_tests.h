// What the balloon tip offers tests alone: the tip a point of a control would show.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace rt {

class LiveControl;

// The text (GBK) that the pointer at (x, y), relative to the target's top left corner,
// would show: that of the first of the target's tips whose area holds the point.
std::optional<std::string> TipTextAt(LiveControl& balloon_tip, uint32_t window_id,
                                     uint32_t control_id, int x, int y);

}  // namespace rt
