// The fault table behind a fused variant's setting: for F = 0, 1, 2, ... failed units (or
// elements of one element group), the overvoltage on what remains and the unbalance
// signal the relay sees, against the setting. Everything in double precision from the
// values the calculation stored.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calc/model/formula_text.h"

namespace calc {

// A bank's response to F failures: V(F) = whole / (whole − F·step) and
// S(F) = G·F / (whole − F·step).
struct FaultModel {
  double whole = 0;               // 3MN, or T = 3MNmn with internal fuses
  double step = 0;                // D, or R with internal fuses
  double signal_factor = 0;       // G
  double setting = 0;             // Uch / Klm or Ich / Klm
  double Kv = 0;                  // the overvoltage the sound ones may bear
  double K = 0;                   // the failures the setting was computed for
  std::optional<double> alarm_K;  // those the alarm stage was computed for
  int64_t most_failures = 0;      // what the group can lose before it is gone
};

struct FaultRow {
  int failures = 0;
  double overvoltage = 0;
  double signal = 0;
  bool picks_up = false;
  bool at_k = false;            // F = K
  bool first_pickup = false;    // the first row that picks up
  bool last_within_kv = false;  // the last row with V(F) ≤ Kv
  bool alarm = false;           // F = K of the alarm stage
};

// The table never runs past F = 99, so it holds at most 100 rows.
constexpr int kLastTableFailures = 99;

double Overvoltage(const FaultModel& model, double failures);
double Signal(const FaultModel& model, double failures);
// Their texts, for failed units (whole 3MN, step D) and for failed elements (T, R).
extern const FormulaText kUnitOvervoltageText, kUnitSignalText;
extern const FormulaText kElementOvervoltageText, kElementSignalText;

// Whether a signal reaches the setting. The setting comes from a single-precision Uch or
// Ich, so at Klm = 1 the signal at K may fall short of it by that rounding alone (a few
// parts in 10^8); that much is allowed, so that the row F = K picks up whenever Klm is 1
// or more. Nothing reaches a setting that is not a number.
bool ReachesSetting(double signal, double setting);
bool FallsShortOfSetting(double signal, double setting);

// Rows from F = 0 up to the larger of K + 2, the alarm stage's K and the first F with
// V(F) > Kv, never past most_failures nor F = 99; a row whose denominator is not positive
// is left out.
std::vector<FaultRow> FaultRows(const FaultModel& model);

// A number of the fault table as the sheet shows it: five significant digits.
std::string TableNumber(double value);

// A fuseless unit with the share β of its sections broken down: the overvoltage on its
// sound sections, 3MN / (3MN(1 − β) + D·β).
double FuselessOvervoltage(double three_mn, double step, double β);
extern const FormulaText kFuselessOvervoltageText;

}  // namespace calc
