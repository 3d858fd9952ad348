#include "calc/model/kinds.h"

namespace calc {

using enum CalculationPage;

// The tab control offers its page titles to nobody but its tabs, so they stand here.
const char* PageTitle(CalculationPage page) {
  switch (page) {
    case kCapacitorPage: return "电容参数计算";
    case kOpenDeltaPage: return "开口三角电压计算";
    case kDifferentialPage: return "电压差动计算";
    case kNeutralLinePage: return "不平衡电流计算";
    case kBridgePage: return "桥式差电流计算";
  }
  return "";
}

const char* SignalName(CalculationPage page) {
  switch (page) {
    case kCapacitorPage: return "";
    case kOpenDeltaPage: return "开口三角电压";
    case kDifferentialPage: return "差电压";
    case kNeutralLinePage: return "中性线不平衡电流";
    case kBridgePage: return "桥差电流";
  }
  return "";
}

bool MeasuresVoltage(CalculationPage page) {
  return page == kOpenDeltaPage || page == kDifferentialPage;
}

bool IsFused(Variant variant) {
  return variant == Variant::kExternalFuses || variant == Variant::kInternalFuses;
}

PageConstants ConstantsOf(CalculationPage page) {
  switch (page) {
    case kNeutralLinePage: return {6, 5, 1.5};
    case kBridgePage: return {6, 8, 3};
    default: return {3, 2, 3};
  }
}

}  // namespace calc
