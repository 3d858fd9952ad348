// What stands beside each input and result box of the calculation pages: the label with
// its caption, the label with its unit, and the symbol the formulas use for the box.
#pragma once

#include <cstdint>

namespace calc {

struct BoxLabels {
  uint32_t box;
  uint32_t caption;    // the label before the box
  uint32_t unit;       // the unit label after it; 0 when the box has none
  const char* symbol;  // empty when the formulas do not name it
};

// Null for a box that is neither an input nor a result of a calculation page.
const BoxLabels* LabelsOf(uint32_t box);

}  // namespace calc
