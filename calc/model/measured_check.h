// The measured bank against the page's last calculation: the initial unbalance signal a
// healthy bank already shows (S0), its share of the setting, the highest unit voltage,
// and the warnings when S0 trips the bank or may hide the fault the setting was made for.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "calc/model/measured_bank.h"
#include "calc/model/protection.h"
#include "calc/model/warnings.h"

namespace calc {

struct MeasuredCheck {
  double initial_signal = 0;                           // S0, in the page's unit (V or A)
  std::optional<std::array<double, 3>> phase_signals;  // differential and bridge pages
  double share_of_setting = 0;                         // S0 / setting
  double highest_unit_voltage = 0;                     // per unit of Uψ / N
  std::optional<double> rebalanced_signal;             // S0 once rebalanced
};

struct MeasuredAnalysis {
  std::optional<MeasuredCheck> check;  // none when the bank cannot stand in this calculation
  std::vector<SheetWarning>
      warnings;  // initial_unbalance_trips, ..._masks_fault, arrangement_impossible
};

// The signal of a bank in the page's unit: the network's relative signal times Us
// (voltage pages) or Iψ / CT (current pages).
double PageSignal(const ProtectionOutcome& outcome, double relative);

// `rebalanced`, when given, is the same bank rearranged.
MeasuredAnalysis CheckMeasuredBank(const ProtectionOutcome& outcome, const MeasuredBank& bank,
                                   const MeasuredBank* rebalanced = nullptr);

}  // namespace calc
