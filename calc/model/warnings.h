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

// Adds the warning, if there is one, at the end of the list.
void AddWarning(std::vector<SheetWarning>& warnings, std::optional<SheetWarning> warning);

// single_failure_exceeds_kv, picks_up_before_k, does_not_pick_up_at_k: what the fault
// table of a fused variant says of the setting. Klm is blamed only when it is below 1.
std::vector<SheetWarning> FusedWarnings(const FaultModel& model, const std::vector<FaultRow>& rows,
                                        const NamedValue& Klm);
// not_finite: a result (on the protection pages, the setting) is no finite number; the
// message names the inputs that are empty or zero.
std::optional<SheetWarning> NotFiniteWarning(const std::vector<NamedValue>& results,
                                             const std::vector<NamedValue>& inputs);
// bridge_layout: a bridge needs two branches of two halves each.
std::optional<SheetWarning> BridgeLayoutWarning(int32_t M, int32_t N);
// capacitor_overvoltage: the capacitors run above their rated voltage.
std::optional<SheetWarning> CapacitorOvervoltageWarning(double operating_voltage,
                                                        double rated_voltage);

// The inputs engineers most often get wrong; each message names the boxes concerned.
// count_not_positive: counts (M, N, m, n) or a transformer ratio blank, zero or negative.
std::optional<SheetWarning> CountNotPositiveWarning(const std::vector<NamedValue>& counts);
// beta_out_of_range: β is a fraction; 50 typed for 50 % makes the setting negative.
std::optional<SheetWarning> BetaOutOfRangeWarning(const NamedValue& β);
// coil_voltage_suspect: U2 above 1 kV, or above a given U1: a secondary typed in volts.
std::optional<SheetWarning> CoilVoltageSuspectWarning(const NamedValue& U1, const NamedValue& U2);
// setting_not_positive: settings that are finite numbers but not above zero.
std::optional<SheetWarning> SettingNotPositiveWarning(const std::vector<NamedValue>& settings);
// connection_text_ignored: the connection box shows a text none of its items has; the
// formulas used the item picked (`picked`, -1 for none).
std::optional<SheetWarning> ConnectionTextIgnoredWarning(const NamedValue& connection,
                                                         const std::vector<std::string>& items,
                                                         int32_t picked);

}  // namespace calc
