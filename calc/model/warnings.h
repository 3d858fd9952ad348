// The warnings of a calculation sheet, each with its stable code and a message for the
// engineer. They stand on the sheet only: the pages show none.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calc/model/fault_table.h"

namespace calc {

struct SheetWarning {
  std::string code;     // stable: "single_failure_exceeds_kv", ...
  std::string message;  // for the engineer
};

// An input or a result as a message names it: the caption beside its box, its text and
// the value held.
struct NamedValue {
  std::string caption;
  std::string text;
  double value = 0;
  bool choice = false;  // a picked item, not a number
};

// single_failure_exceeds_kv, picks_up_before_k, does_not_pick_up_at_k: what the fault
// table of a fused variant says of the setting.
std::vector<SheetWarning> FusedWarnings(const FaultModel& model, const std::vector<FaultRow>& rows);
// not_finite: a result (on the protection pages, the setting) is no finite number; the
// message names the inputs that are empty or zero.
std::optional<SheetWarning> NotFiniteWarning(const std::vector<NamedValue>& results,
                                             const std::vector<NamedValue>& inputs);
// bridge_layout: a bridge needs two branches of two halves each.
std::optional<SheetWarning> BridgeLayoutWarning(int32_t M, int32_t N);
// capacitor_overvoltage: the capacitors run above their rated voltage.
std::optional<SheetWarning> CapacitorOvervoltageWarning(double operating_voltage,
                                                        double rated_voltage);

}  // namespace calc
