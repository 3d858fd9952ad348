// What each "计算" button calculates: its page, its variant, and where the page shows what
// the sheet of that calculation needs (the variant's group box, the circuit diagram).
#pragma once

#include <cstdint>

#include "calc/model/kinds.h"

namespace calc {

struct CalculationButton {
  uint32_t button;
  CalculationPage page;
  Variant variant;
  uint32_t variant_group;  // the group box captioned with the variant; 0 on page 1
  uint32_t diagram;        // the page's picture (on page 1 the star connection's)
};

// Null for a control that is no "计算" button.
const CalculationButton* FindCalculationButton(uint32_t button);
// The button of the page's variant; null for a variant the page has not.
const CalculationButton* CalculationButtonOf(CalculationPage page, Variant variant);

}  // namespace calc
