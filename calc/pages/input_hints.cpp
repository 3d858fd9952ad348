// Hints for the voltage inputs: the first time the pointer moves over one of these boxes
// (or, for the capacitor voltage, the box gains the focus) its hint is attached to the
// balloon tip, which shows it from then on while the pointer rests on the box.
#include "calc/pages/handlers.h"
#include "calc/pages/main_window.h"
#include "forms/template.h"
#include "runtime/core/property_access.h"
#include "runtime/ui/tips/balloon_tip.h"

namespace calc {
namespace {

const char kCapacitorVoltageHint[] =
    "输入电容组的额定电压值，如11/√3，则输入其比值：6.35,6.6/√3,则输入：3.81";
const char kCapacitorVoltageFocusHint[] = "输入电容器的额定电压值，如11/√3，则输入其比值：6.35";
const char kPhaseVoltageHint[] =
    "输入电容组的额定相电压值kV，如11/√3，则输入其比值：6.35,6.6/√3,则输入：3.81";
const char kCoilPrimaryHint[] =
    "输入放电线圈的一次侧额定相电压值kV，如11/√3，则输入其比值：6.35,6.6/√3,则输入：3.81";
// 0.1/√3 is 0.0577: an example of 0.064 would have the engineer set Udz 10.9 % too high.
const char kCoilSecondaryHint[] =
    "输入放电线圈的二次侧额定相电压值kV，如0.1/√3，则输入其比值：0.0577,0.1/3,则输入：0.033";

// Attaches the hint to the box as its tip for the whole control, with no icon. Answering
// nothing leaves the box's own handling of the pointer (selecting by dragging) alone.
rt::HandlerResult AttachHint(uint32_t box, const char* hint) {
  const rt::Value arguments[] = {
      rt::MakeControlReference(kMainWindowId, 气球提示框1, forms::kBalloonTipType),
      rt::MakeControlReference(kMainWindowId, box, forms::kEditBoxType),
      rt::MakeText(hint),
      rt::MakeInt(-1),
  };
  rt::CallMethod(rt::SetTip, 4, arguments);
  return std::nullopt;
}

}  // namespace

rt::HandlerResult OnCapacitorVoltageMouseMoved(const rt::EventArgs&) {
  return AttachHint(编辑框_电容电压, kCapacitorVoltageHint);
}
rt::HandlerResult OnCapacitorVoltageGotFocus(const rt::EventArgs&) {
  return AttachHint(编辑框_电容电压, kCapacitorVoltageFocusHint);
}
rt::HandlerResult OnOpenDeltaPhaseVoltageMouseMoved(const rt::EventArgs&) {
  return AttachHint(编辑框_电容电压1, kPhaseVoltageHint);
}
rt::HandlerResult OnOpenDeltaCoilPrimaryMouseMoved(const rt::EventArgs&) {
  return AttachHint(编辑框_线圈一次, kCoilPrimaryHint);
}
rt::HandlerResult OnOpenDeltaCoilSecondaryMouseMoved(const rt::EventArgs&) {
  return AttachHint(编辑框_线圈二次, kCoilSecondaryHint);
}
rt::HandlerResult OnDifferentialPhaseVoltageMouseMoved(const rt::EventArgs&) {
  return AttachHint(编辑框_电容电压2, kPhaseVoltageHint);
}
rt::HandlerResult OnDifferentialCoilPrimaryMouseMoved(const rt::EventArgs&) {
  return AttachHint(编辑框_线圈一次1, kCoilPrimaryHint);
}
rt::HandlerResult OnDifferentialCoilSecondaryMouseMoved(const rt::EventArgs&) {
  return AttachHint(编辑框_线圈二次1, kCoilSecondaryHint);
}

}  // namespace calc
