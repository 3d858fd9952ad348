// The parts of a calculation sheet that depend on the page, filled in after the parts
// every sheet has (page, variant, time, inputs, setting, diagram, note).
#pragma once

#include <cstdint>

#include "calc/calculation_sheet.h"
#include "calc/click_record.h"

namespace calc {

// An input or result of the record with what stands beside its box.
SheetEntry EntryOf(const NotedBox& box);

// The fault table or the fuseless fault, the working values, warnings and formulas of a
// protection page.
void AddProtectionPart(Sheet& sheet, const ClickRecord& record);
// Page 1's results with their formulas, its operating voltage, warnings and formulas.
void AddCapacitorPart(Sheet& sheet, const ClickRecord& record);

}  // namespace calc
