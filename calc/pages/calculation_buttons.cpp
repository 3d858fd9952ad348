#include "calc/pages/calculation_buttons.h"

#include <algorithm>
#include <iterator>

#include "calc/pages/main_window.h"

namespace calc {
namespace {

using enum CalculationPage;
using enum Variant;

constexpr CalculationButton kButtons[] = {
    {按钮_电容器计算, kCapacitorPage, kCapacitorParameters, 0, 画板_星接},
    {按钮_开口无熔丝, kOpenDeltaPage, kFuseless, 分组框4, 画板1},
    {按钮_开口外熔丝, kOpenDeltaPage, kExternalFuses, 分组框5, 画板1},
    {按钮_开口内熔丝, kOpenDeltaPage, kInternalFuses, 分组框6, 画板1},
    {按钮_差动无熔丝, kDifferentialPage, kFuseless, 分组框9, 画板2},
    {按钮_差动外熔丝, kDifferentialPage, kExternalFuses, 分组框10, 画板2},
    {按钮_差动内熔丝, kDifferentialPage, kInternalFuses, 分组框11, 画板2},
    {按钮_中性线电流无熔丝, kNeutralLinePage, kFuseless, 分组框14, 画板3},
    {按钮_中性线电流外熔丝, kNeutralLinePage, kExternalFuses, 分组框15, 画板3},
    {按钮_中性线电流内熔丝, kNeutralLinePage, kInternalFuses, 分组框16, 画板3},
    {按钮_桥式差电流无熔丝, kBridgePage, kFuseless, 分组框19, 画板4},
    {按钮_桥式差电流外熔丝, kBridgePage, kExternalFuses, 分组框20, 画板4},
    {按钮_桥式差内熔丝, kBridgePage, kInternalFuses, 分组框21, 画板4},
};

}  // namespace

const CalculationButton* FindCalculationButton(uint32_t button) {
  const auto* found =
      std::find_if(std::begin(kButtons), std::end(kButtons),
                   [button](const CalculationButton& kind) { return kind.button == button; });
  return found == std::end(kButtons) ? nullptr : found;
}

const CalculationButton* CalculationButtonOf(CalculationPage page, Variant variant) {
  const auto* found = std::find_if(std::begin(kButtons), std::end(kButtons),
                                   [page, variant](const CalculationButton& kind) {
                                     return kind.page == page && kind.variant == variant;
                                   });
  return found == std::end(kButtons) ? nullptr : found;
}

}  // namespace calc
