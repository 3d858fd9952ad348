// The four protection pages' "计算" buttons: each reads its page's boxes for its variant,
// has the model compute the setting, shows it in the page's result box and keeps the
// outcome for the calculation sheet.
#include "calc/pages/calculation_buttons.h"
#include "calc/pages/calculator_state.h"
#include "calc/pages/control_io.h"
#include "calc/pages/handlers.h"
#include "calc/pages/main_window.h"
#include "calc/pages/protection_boxes.h"
#include "runtime/core/events.h"

namespace calc {
namespace {

ProtectionTexts ReadTexts(const ProtectionPageBoxes& page, Variant variant) {
  ProtectionTexts texts;
  for (const InputBox& input : page.inputs)
    if (input.Serves(variant)) texts.*input.text = ReadText(input.box);
  return texts;
}

rt::HandlerResult CalculateSetting(uint32_t button) {
  const CalculationButton& kind = *FindCalculationButton(button);
  const ProtectionPageBoxes& page = BoxesOfPage(kind.page);
  ProtectionOutcome outcome =
      CalculateProtection(kind.page, kind.variant, ReadTexts(page, kind.variant));
  WriteText(page.result, outcome.setting_text);
  const uint32_t written[] = {page.result};
  Calculator()->Keep({button, std::time(nullptr), std::move(outcome)}, written);
  return std::nullopt;
}

}  // namespace

rt::HandlerResult OnOpenDeltaFuselessClicked(const rt::EventArgs&) {
  return CalculateSetting(按钮_开口无熔丝);
}
rt::HandlerResult OnOpenDeltaExternalFuseClicked(const rt::EventArgs&) {
  return CalculateSetting(按钮_开口外熔丝);
}
rt::HandlerResult OnOpenDeltaInternalFuseClicked(const rt::EventArgs&) {
  return CalculateSetting(按钮_开口内熔丝);
}
rt::HandlerResult OnDifferentialFuselessClicked(const rt::EventArgs&) {
  return CalculateSetting(按钮_差动无熔丝);
}
rt::HandlerResult OnDifferentialExternalFuseClicked(const rt::EventArgs&) {
  return CalculateSetting(按钮_差动外熔丝);
}
rt::HandlerResult OnDifferentialInternalFuseClicked(const rt::EventArgs&) {
  return CalculateSetting(按钮_差动内熔丝);
}
rt::HandlerResult OnNeutralLineFuselessClicked(const rt::EventArgs&) {
  return CalculateSetting(按钮_中性线电流无熔丝);
}
rt::HandlerResult OnNeutralLineExternalFuseClicked(const rt::EventArgs&) {
  return CalculateSetting(按钮_中性线电流外熔丝);
}
rt::HandlerResult OnNeutralLineInternalFuseClicked(const rt::EventArgs&) {
  return CalculateSetting(按钮_中性线电流内熔丝);
}
rt::HandlerResult OnBridgeFuselessClicked(const rt::EventArgs&) {
  return CalculateSetting(按钮_桥式差电流无熔丝);
}
rt::HandlerResult OnBridgeExternalFuseClicked(const rt::EventArgs&) {
  return CalculateSetting(按钮_桥式差电流外熔丝);
}
rt::HandlerResult OnBridgeInternalFuseClicked(const rt::EventArgs&) {
  return CalculateSetting(按钮_桥式差内熔丝);
}

}  // namespace calc
