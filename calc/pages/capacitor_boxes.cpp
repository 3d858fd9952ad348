#include "calc/pages/capacitor_boxes.h"

#include <string_view>

namespace calc {

uint32_t CapacitorInputBoxOf(const InputReading& input) {
  if (input.choice) return kConnectionBox;
  for (const CapacitorInputBox& box : kCapacitorInputs)
    if (std::string_view(box.symbol) == input.symbol) return box.box;
  return 0;
}

}  // namespace calc
