#include "calc/calculation_kinds.h"

#include <algorithm>
#include <iterator>

#include "calc/main_window.h"

namespace calc {
namespace {

using enum SheetPage;
using enum Variant;

constexpr CalculationKind kKinds[] = {
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

const CalculationKind* KindOfButton(uint32_t button) {
  const auto* found = std::find_if(std::begin(kKinds), std::end(kKinds),
                                   [button](const CalculationKind& kind) { return kind.button == button; });
  return found == std::end(kKinds) ? nullptr : found;
}

// The tab control offers its page titles to nobody but its tabs, so they stand here.
const char* PageTitle(SheetPage page) {
  switch (page) {
    case kCapacitorPage: return "电容参数计算";
    case kOpenDeltaPage: return "开口三角电压计算";
    case kDifferentialPage: return "电压差动计算";
    case kNeutralLinePage: return "不平衡电流计算";
    case kBridgePage: return "桥式差电流计算";
  }
  return "";
}

const char* SignalName(SheetPage page) {
  switch (page) {
    case kCapacitorPage: return "";
    case kOpenDeltaPage: return "开口三角电压";
    case kDifferentialPage: return "差电压";
    case kNeutralLinePage: return "中性线不平衡电流";
    case kBridgePage: return "桥差电流";
  }
  return "";
}

bool MeasuresVoltage(SheetPage page) { return page == kOpenDeltaPage || page == kDifferentialPage; }

protection::CurrentPageConstants ConstantsOf(SheetPage page) {
  return page == kBridgePage ? protection::kBridgeConstants : protection::kNeutralLineConstants;
}

bool IsFused(Variant variant) { return variant == kExternalFuses || variant == kInternalFuses; }

}  // namespace calc
