// A calculation sheet as JSON, UTF-8:
//   {"page", "variant", "inputs": [{"control", "label", "text", "value", "unit"}],
//    "setting": {"control", "text", "value"}, "failed_count": {"computed", "used"},
//    "faults": [{"failures", "overvoltage", "signal", "picks_up"}],
//    "fuseless": {"overvoltage", "signal"}, "results": {control: text},
//    "operating_voltage", "warnings": [codes]}
// with failed_count and faults for fused variants, fuseless for fuseless ones, results
// and operating_voltage for page 1. Numbers are JSON numbers, as few digits as give the
// value back exactly; a number that is not finite is null.
#pragma once

#include <string>

#include "calc/sheet/sheet.h"

namespace calc {

std::string SheetJson(const Sheet& sheet);

}  // namespace calc
