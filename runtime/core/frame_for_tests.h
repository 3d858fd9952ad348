// What the frame offers tests alone: the idle routines that support libraries would
// register, and the suppression lowered again, which the program itself never does.
#pragma once

#include <cstdint>

namespace rt {

// A routine that runs whenever the message loop has nothing to do, for as long as the
// window exists.
void AddIdleRoutine(uint32_t window_id, void (*routine)(void*), void* argument);

// Undoes one RaiseSuppression.
void LowerSuppression();

}  // namespace rt
