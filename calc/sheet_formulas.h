// The formulas of each calculation in closed form, as the sheet prints them, in the
// symbols that stand beside the boxes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "calc/calculation_kinds.h"

namespace calc {

// A protection variant's formulas, the page's constants written in.
std::vector<std::string> ProtectionFormulas(SheetPage page, Variant variant);
// The formula of a result box of page 1, for the connection of the click.
std::string ResultFormula(uint32_t box, bool star);
std::string OperatingVoltageFormula(bool star);

}  // namespace calc
