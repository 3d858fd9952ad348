// What a calculation sheet says of a calculation beyond its inputs and results: the
// working values with their meaning, the fault table and the alarm stage (fused variants)
// or the fault of a fuseless unit, page 1's operating voltage and result formulas, the
// warnings and the formulas in closed form. Texts are GBK.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calc/model/fault_table.h"
#include "calc/model/protection.h"
#include "calc/model/warnings.h"

namespace calc {

// A working value of the calculation, with its text in the result boxes' form.
struct WorkingValue {
  std::string symbol;
  std::string meaning;
  std::string text;
  std::string unit;
  double value = 0;  // as held
};

struct FailedCount {
  double computed = 0;  // K before the whole-number rule
  double used = 0;      // K after it
};

// The one fault of a fuseless bank: β of one unit broken down.
struct FuselessFault {
  double overvoltage = 0;  // on the sound sections of that unit
  double signal = 0;       // Uch or Ich
};

struct SheetAnalysis {
  std::vector<WorkingValue> working_values;
  std::optional<FailedCount> failed_count;
  std::vector<FaultRow> faults;
  std::optional<FuselessFault> fuseless;
  std::optional<ProtectionStage> trip, alarm;  // fused variants
  std::optional<double>
      operating_voltage;  // page 1: the capacitors' voltage behind the reactor, kV
  std::vector<SheetWarning> warnings;
  std::vector<std::string> formulas;
};

// The captions beside the boxes, for the warnings that name them: one per input of the
// outcome, in its order, and one per result (on the protection pages, the setting).
struct Captions {
  std::vector<std::string> inputs;
  std::vector<std::string> results;
};

}  // namespace calc
