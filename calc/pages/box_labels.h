// What stands beside each input and result box of the calculation pages: the label with
// its caption and the label with its unit.
#pragma once

#include <cstdint>

namespace calc {

struct BoxLabels {
  uint32_t box;
  uint32_t caption;  // the label before the box
  uint32_t unit;     // the unit label after it; 0 when the box has none
};

// Null for a box that is neither an input nor a result of a calculation page.
const BoxLabels* LabelsOf(uint32_t box);

}  // namespace calc
