// The warnings of a calculation sheet, each with its stable code and a message for the
// engineer. They stand on the sheet only: the pages show none.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "calc/calculation_sheet.h"
#include "calc/fault_table.h"

namespace calc {

// single_failure_exceeds_kv, picks_up_before_k, does_not_pick_up_at_k: what the fault
// table of a fused variant says of the setting.
std::vector<SheetWarning> FusedWarnings(const FaultModel& model, const std::vector<FaultRow>& rows);
// not_finite: the setting (on page 1, any result) is no finite number; the message names
// the inputs that are empty or zero.
std::optional<SheetWarning> NotFiniteWarning(const Sheet& sheet);
// bridge_layout: a bridge needs two branches of two halves each.
std::optional<SheetWarning> BridgeLayoutWarning(int32_t M, int32_t N);
// capacitor_overvoltage: the capacitors run above their rated voltage.
std::optional<SheetWarning> CapacitorOvervoltageWarning(double operating_voltage, double rated_voltage);

}  // namespace calc
