#include "tests/model/worked_banks.h"

namespace testing_support {

calc::ProtectionTexts WorkedBank(calc::CalculationPage page, calc::Variant variant) {
  const bool voltage = calc::MeasuresVoltage(page);
  return {"6.35",
          "6.35",
          "0.1",
          "288.7",
          "40",
          voltage ? "10" : "8",
          voltage ? "1" : "2",
          "0.5",
          variant == calc::Variant::kInternalFuses ? "1.15" : "1.1",
          "1.3",
          "14",
          "4"};
}

}  // namespace testing_support
