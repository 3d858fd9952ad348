// Where each protection page keeps its inputs and its result: the box of every input the
// model reads, by the symbol the model gives it, for the variants that read it.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "calc/model/protection.h"

namespace calc {

struct InputBox {
  const char* symbol;
  std::string ProtectionTexts::*text;
  uint32_t box;
  unsigned variants;  // a bit for each Variant that reads the box

  bool Serves(Variant variant) const { return variants & (1u << static_cast<unsigned>(variant)); }
};

struct ProtectionPageBoxes {
  CalculationPage page;
  std::span<const InputBox> inputs;
  uint32_t result;
};

const ProtectionPageBoxes& BoxesOfPage(CalculationPage page);
// The box of the input the model names so, for the variant; 0 when there is none.
uint32_t InputBoxOf(const ProtectionPageBoxes& page, Variant variant, std::string_view symbol);

}  // namespace calc
