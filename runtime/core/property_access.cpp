#include "runtime/core/property_access.h"

#include <algorithm>

#include "runtime/core/error_report.h"
#include "runtime/core/heap.h"
#include "runtime/core/live_control.h"
#include "runtime/core/loaded_windows.h"

namespace rt {
namespace {

constexpr int32_t kCoordinateLimit = 32627;

ControlState& LookUp(uint32_t window_id, uint32_t control_id) {
  LoadedWindow* window = FindLoadedWindow(window_id);
  if (!window) ReportError("未载入欲访问窗口组件所在的窗口", 0);
  ControlState* control = FindRecord(*window, control_id);
  if (!control) ReportError("指定窗口或窗口组件不存在或尚未载入", 0);
  return *control;
}

LiveControl& LiveForTypeProperty(ControlState& control) {
  if (!control.live) ReportError("指定窗口尚未载入", 0);
  return *control.live;
}

uint64_t AddressBits(const void* p) {
  return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p));
}

const void* AddressFrom(uint32_t low, uint32_t high) {
  return reinterpret_cast<const void*>(static_cast<uintptr_t>((uint64_t{high} << 32) | low));
}

ControlRect StoredRect(const forms::ControlRecord& r) { return {r.left, r.top, r.width, r.height}; }

ControlRect CurrentRectOf(ControlState& control) {
  if (control.live) {
    if (std::optional<ControlRect> rect = control.live->CurrentRect()) return *rect;
  }
  return StoredRect(control.record);
}

bool FlagSet(const ControlState& control, uint32_t flag) {
  return (control.record.flags & flag) != 0;
}

uint64_t ReadCommon(ControlState& control, int32_t property) {
  switch (property) {
    case kLeft: return static_cast<uint32_t>(CurrentRectOf(control).left);
    case kTop: return static_cast<uint32_t>(CurrentRectOf(control).top);
    case kWidth: return static_cast<uint32_t>(CurrentRectOf(control).width);
    case kHeight: return static_cast<uint32_t>(CurrentRectOf(control).height);
    case kTag: return AddressBits(NewText(control.record.tag));
    case kVisibleProperty: {
      std::optional<bool> live = control.live ? control.live->CurrentlyVisible() : std::nullopt;
      return live ? *live : FlagSet(control, forms::kVisible);
    }
    case kDisabledProperty: {
      std::optional<bool> live = control.live ? control.live->CurrentlyDisabled() : std::nullopt;
      return live ? *live : FlagSet(control, forms::kDisabled);
    }
    default: {
      const std::vector<uint8_t>& pointer = control.record.mouse_pointer;
      return AddressBits(NewBytes(pointer.data(), static_cast<uint32_t>(pointer.size())));
    }
  }
}

void SetFlag(ControlState& control, uint32_t flag, bool on) {
  if (on) {
    control.record.flags |= flag;
  } else {
    control.record.flags &= ~flag;
  }
}

void WriteGeometry(ControlState& control, int32_t property, int32_t value) {
  ControlRect rect = CurrentRectOf(control);
  if (property == kLeft || property == kTop) {
    value = std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
    (property == kLeft ? rect.left : rect.top) = value;
    (property == kLeft ? control.record.left : control.record.top) = value;
  } else {
    value = std::clamp(value, 0, kCoordinateLimit);
    (property == kWidth ? rect.width : rect.height) = value;
    (property == kWidth ? control.record.width : control.record.height) = value;
  }
  if (control.live) control.live->ApplyRect(rect);
}

void WriteCommon(ControlState& control, int32_t property, uint32_t low, uint32_t high) {
  switch (property) {
    case kLeft:
    case kTop:
    case kWidth:
    case kHeight: WriteGeometry(control, property, static_cast<int32_t>(low)); return;
    case kTag: {
      auto* text = static_cast<const char*>(AddressFrom(low, high));
      control.record.tag = text ? text : "";
      return;
    }
    case kVisibleProperty:
      SetFlag(control, forms::kVisible, low != 0);
      if (control.live) control.live->ApplyVisible(low != 0);
      return;
    case kDisabledProperty:
      SetFlag(control, forms::kDisabled, low != 0);
      if (control.live) control.live->ApplyDisabled(low != 0);
      return;
    default: {
      const void* block = AddressFrom(low, high);
      const uint8_t* data = BytesData(block);
      control.record.mouse_pointer.assign(data, data + BytesCount(block));
      return;
    }
  }
}

PropertyForm FormOrReport(const LiveControl& live, int index) {
  std::optional<PropertyForm> form = live.FormOf(index);
  if (!form) ReportError("窗口组件不具有所指定的属性", 0);
  return *form;
}

uint64_t ReadTyped(LiveControl& live, int index) {
  PropertyForm form = FormOrReport(live, index);
  PropertyData data = live.ReadProperty(index);
  switch (form) {
    case PropertyForm::kText: return AddressBits(NewText(data.text));
    case PropertyForm::kBytes:
      return AddressBits(NewBytes(data.bytes.data(), static_cast<uint32_t>(data.bytes.size())));
    case PropertyForm::kLogical: return data.number == 1 ? 1 : 0;
    case PropertyForm::kLong: return static_cast<uint64_t>(data.number);
    default: return static_cast<uint32_t>(data.number);
  }
}

void WriteTyped(LiveControl& live, int index, uint32_t low, uint32_t high) {
  PropertyData data;
  switch (FormOrReport(live, index)) {
    case PropertyForm::kText: {
      auto* text = static_cast<const char*>(AddressFrom(low, high));
      data.text = text ? text : "";
      break;
    }
    case PropertyForm::kBytes: {
      const void* block = AddressFrom(low, high);
      const uint8_t* bytes = BytesData(block);
      data.bytes.assign(bytes, bytes + BytesCount(block));
      break;
    }
    case PropertyForm::kLogical: data.number = low != 0 ? 1 : 0; break;
    case PropertyForm::kChoice: data.number = std::max(static_cast<int32_t>(low), 0); break;
    case PropertyForm::kLong:
      data.number = static_cast<int64_t>((uint64_t{high} << 32) | low);
      break;
    case PropertyForm::kColour: data.number = low; break;
    case PropertyForm::kInteger: data.number = static_cast<int32_t>(low); break;
  }
  live.WriteProperty(index, data);
}

}  // namespace

uint64_t GetProperty(uint32_t window_id, uint32_t control_id, int32_t property, int32_t) {
  ControlState& control = LookUp(window_id, control_id);
  if (property >= 0 && property < kFirstTypeProperty) return ReadCommon(control, property);
  return ReadTyped(LiveForTypeProperty(control), property - kFirstTypeProperty);
}

void SetProperty(uint32_t window_id, uint32_t control_id, int32_t property, int32_t,
                 uint32_t value_low, uint32_t value_high) {
  ControlState& control = LookUp(window_id, control_id);
  if (property >= 0 && property < kFirstTypeProperty) {
    WriteCommon(control, property, value_low, value_high);
    return;
  }
  WriteTyped(LiveForTypeProperty(control), property - kFirstTypeProperty, value_low, value_high);
}

Value CallMethod(Method method, int argc, const Value* args) {
  return CallCommand(method, argc, args);
}

LiveControl* LookupLiveLenient(uint32_t window_id, uint32_t control_id) {
  LoadedWindow* window = FindLoadedWindow(window_id);
  if (!window) return nullptr;
  ControlState* control = FindRecord(*window, control_id);
  return control ? control->live.get() : nullptr;
}

LiveControl& LookupLiveStrict(const Value& reference) {
  LiveControl* live = LookupLiveLenient(reference.lo, reference.hi);
  if (!live) ReportError("指定窗口或窗口组件不存在或尚未载入", 0);
  return *live;
}

Value MakeControlReference(uint32_t window_id, uint32_t control_id, uint32_t type_code) {
  return {window_id, control_id, type_code};
}

}  // namespace rt
