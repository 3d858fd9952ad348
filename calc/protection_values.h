// The working values shared by the four protection pages. Each click sets every value it
// uses before using it; the widths decide the digits shown, so they are as the pages have
// always kept them: single precision for the voltages, currents and factors, 32-bit
// integers for the counts and the CT ratio.
#pragma once

#include <cstdint>

namespace calc::protection {

extern float Uψ, U1, U2;  // capacitor phase voltage, discharge coil primary and secondary
extern float Iψ;          // capacitor phase current
extern float β, Kv, Klm;  // the variant's factors
extern float Us;          // rated phase voltage on the coil's secondary side, in volts
extern float computed_K;  // K as computed, before the whole-number rule
extern float K;           // failed units or elements, a whole number
extern float Uch;         // open-delta or differential voltage at that fault
extern float Ich;         // unbalanced current at that fault
extern int32_t M, N;      // units in parallel and in series per phase
extern int32_t m, n;      // elements in parallel and in series inside a unit
extern int32_t CT;        // current transformer ratio

// The whole-number rule for K: below 1 (by more than 1e-7) or not a number gives 1,
// otherwise the integer part, held in single precision. The value before it stays in
// computed_K.
void RoundFailedCountToWhole();

// All of the values above at one moment, as a click leaves them.
struct WorkingValues {
  float Uψ, U1, U2, Iψ, β, Kv, Klm, Us, computed_K, K, Uch, Ich;
  int32_t M, N, m, n, CT;
};
WorkingValues CurrentWorkingValues();

// The two constants of the current pages: the factor F of the unbalanced current and the
// constant C of the units' arrangement.
struct CurrentPageConstants {
  double F, C;
};
inline constexpr CurrentPageConstants kNeutralLineConstants = {1.5, 5};
inline constexpr CurrentPageConstants kBridgeConstants = {3, 8};

}  // namespace calc::protection
