// The four protection pages' calculations: from the texts typed into a page's boxes to
// the setting its result box shows, with every working value at the width the page holds
// it (single precision for the voltages, currents, factors and K; 32-bit integers for the
// counts and the CT ratio), evaluated in double precision in the pages' own order.
// The open-delta and the voltage-differential page compute alike; the neutral-line and
// the bridge page too, but for their constants; the two pairs differ in the constants of
// kinds.h and in what scales the signal (Us, or Iψ / CT).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "calc/model/input_reading.h"
#include "calc/model/kinds.h"

namespace calc {

// The texts of a page's boxes as typed (GBK). A calculation reads those its page and
// variant use: Uψ, U1 and U2 on the voltage pages, Iψ and CT on the current pages, then
// M and N, then β and Klm (fuseless), Kv and Klm (fused), m and n (internal fuses).
struct ProtectionTexts {
  std::string Uψ, U1, U2, Iψ, CT;
  std::string M, N;
  std::string β, Kv, Klm;
  std::string m, n;
};

// The working values as a click leaves them; those the variant does not use stay 0.
struct ProtectionValues {
  float Uψ = 0, U1 = 0, U2 = 0, Iψ = 0;
  float β = 0, Kv = 0, Klm = 0;
  float Us = 0;            // rated phase voltage on the coil's secondary side, in volts
  float computed_K = 0;    // K before the whole-number rule
  float K = 0;             // failed units or elements, a whole number
  float Uch = 0, Ich = 0;  // the signal at that fault
  int32_t M = 0, N = 0, m = 0, n = 0, CT = 0;
};

struct ProtectionOutcome {
  CalculationPage page{};
  Variant variant{};
  std::vector<InputReading> inputs;  // in the order the page reads them
  ProtectionValues values;
  double setting = 0;        // Udz or Idz, before it became text
  std::string setting_text;  // as the result box shows it
};

ProtectionOutcome CalculateProtection(CalculationPage page, Variant variant, ProtectionTexts texts);

// The alarm stage of a fused variant: a delayed signal once the sound units or elements
// reach 105 % of their rated voltage, ahead of the trip at Kv. The limit is held as the
// page holds a typed Kv.
inline constexpr char kAlarmOvervoltageLimit[] = "1.05";

// A stage of a fused variant's protection: the page's own rule for K with the stage's
// overvoltage limit in place of Kv, the signal at K failures and the setting from it.
struct ProtectionStage {
  float Kv = 0;          // the overvoltage limit, as held
  float computed_K = 0;  // K before the whole-number rule
  float K = 0;
  float signal = 0;  // Uch or Ich, as stored
  double setting = 0;
};

// The stage a fused outcome computed: the trip stage, at the typed Kv, of a click.
ProtectionStage StageOf(const ProtectionOutcome& outcome);
// The alarm stage of a fused outcome, from the values its click read.
ProtectionStage AlarmStage(const ProtectionOutcome& trip);

// The whole-number rule for K: below 1 (by more than 1e-7) or not a number gives 1,
// otherwise the integer part, held in single precision.
float WholeFailedCount(float computed);

// The signal at the fault the setting was computed for: Uch or Ich, as stored.
float StoredSignal(const ProtectionOutcome& outcome);

// What a bank of the page loses with each failure, and the signal a failure makes; the
// fault table and the sheet use the very terms the page computes with.
// D: what one failed unit takes from 3MN.
double UnitStep(const PageConstants& constants, int32_t N);
// R: what one failed element takes from T = 3MNmn.
double ElementStep(const PageConstants& constants, int32_t M, int32_t N, int32_t n);
// 3MN, or T = 3MNmn with internal fuses, as the fault table counts them. The pages' own
// formulas multiply in their order (M × N × 3), which rounds alike up to 2^53 units.
double WholeCount(const ProtectionValues& values, Variant variant);
// G: the signal of one failure over a whole of one, 3·Us or F·Iψ / CT.
double SignalFactor(const ProtectionOutcome& outcome);

// The variant's formulas as the sheet prints them, in the symbols beside the boxes, the
// page's constants written in.
std::vector<std::string> ProtectionFormulas(CalculationPage page, Variant variant);

// "Udz" or "Idz", as the formulas name the setting.
std::string SettingSymbol(CalculationPage page);
// What the step of a failure and the factor G stand for, "3N - 2", "3·Us", as the
// variant's formulas write them.
std::string StepFormula(CalculationPage page, Variant variant);
std::string SignalFactorFormula(CalculationPage page);

}  // namespace calc
