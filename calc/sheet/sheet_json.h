// A calculation sheet as JSON, UTF-8:
//   {"page", "variant", "inputs": [{"control", "label", "text", "value", "unit"}],
//    "setting": {"control", "text", "value"}, "working": {symbol: value},
//    "failed_count": {"computed", "used"},
//    "faults": [{"failures", "overvoltage", "signal", "picks_up", "marks": [codes]}],
//    "alarm": {"overvoltage_limit", "failed_count": {"computed", "used"}, "signal",
//              "setting"},
//    "fuseless": {"overvoltage", "signal"}, "results": {control: text},
//    "operating_voltage", "measured": {"initial_signal", "phase_signals": [A, B, C] or null,
//    "share_of_setting", "max_unit_voltage", "rebalanced_signal": number or null},
//    "warnings": [codes]}
// with failed_count, faults and alarm for fused variants, fuseless for fuseless ones,
// results and operating_voltage for page 1, measured once the page's bank was measured.
// The working values are those of Us or Iψ and CT, D, G, T and R the calculation has
// (none on page 1); a row's marks are among "k", "first_pickup", "last_within_kv" and
// "alarm". Numbers are JSON numbers, as few digits as give the value back exactly; a
// number that is not finite is null.
#pragma once

#include <string>

#include "calc/sheet/sheet.h"

namespace calc {

std::string SheetJson(const Sheet& sheet);

}  // namespace calc
