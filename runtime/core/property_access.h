// Property access by window, control and property number, and control method calls. The
// program names controls only this way; it never holds a widget.
#pragma once

#include <cstdint>

#include "runtime/core/value.h"

namespace rt {

class LiveControl;

// Common properties of every control type; type-specific ones follow from 8 on.
enum CommonProperty : int32_t {
  kLeft = 0,
  kTop = 1,
  kWidth = 2,
  kHeight = 3,
  kTag = 4,
  kVisibleProperty = 5,
  kDisabledProperty = 6,
  kMousePointer = 7,
  kFirstTypeProperty = 8,
};

// Reads a property as a 64-bit pair (data low in the low half). Texts and byte arrays
// come back as new runtime-heap blocks whose address fills both halves; the caller frees
// them. `part` selects a sub-item of a compound property; -1 is the whole property.
uint64_t GetProperty(uint32_t window_id, uint32_t control_id, int32_t property, int32_t part);

// Writes a property. For texts and byte arrays the two value words together hold the
// address (null allowed); the caller keeps ownership.
void SetProperty(uint32_t window_id, uint32_t control_id, int32_t property, int32_t part,
                 uint32_t value_low, uint32_t value_high);

// A control method: receives the result record and the arguments, argument 0 being the
// control reference (data low the WindowId, data high the ControlId, type word the type
// code). Called with the same zeroed-result protocol as CallCommand.
using Method = Command;
Value CallMethod(Method method, int argc, const Value* args);

// The live control a reference names: the strict lookup reports "指定窗口或窗口组件不存在
// 或尚未载入" when there is none, the lenient one returns null.
LiveControl& LookupLiveStrict(const Value& reference);
LiveControl* LookupLiveLenient(uint32_t window_id, uint32_t control_id);

// A control reference for method calls.
Value MakeControlReference(uint32_t window_id, uint32_t control_id, uint32_t type_code);

}  // namespace rt
