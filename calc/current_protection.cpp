// Current settings of the neutral-line unbalanced current and the bridge differential
// current protection: one calculation for both pages, with each page's own controls and
// its two constants F and C.
#include "calc/control_io.h"
#include "calc/handlers.h"
#include "calc/main_window.h"
#include "calc/protection_values.h"

namespace calc {
namespace {

using namespace protection;

struct CurrentPage {
  uint32_t phase_current, ct_ratio, units_parallel, units_series;
  uint32_t beta, fuseless_klm;
  uint32_t external_kv, external_klm;
  uint32_t internal_kv, internal_klm, elements_parallel, elements_series;
  uint32_t result;
  double F, C;
};

constexpr CurrentPage kNeutralLine = {
    编辑框_电容相电流, 编辑框_零序CT比, 编辑框_M5, 编辑框_N5,
    编辑框_B2,         编辑框_Klm7,
    编辑框_Kv5,        编辑框_Klm8,
    编辑框_Kv6,        编辑框_Klm9,     编辑框_M6, 编辑框_N6,
    编辑框_Idz,        kNeutralLineConstants.F, kNeutralLineConstants.C};

constexpr CurrentPage kBridge = {
    编辑框_电容相电流1, 编辑框_零序CT比1, 编辑框_M7, 编辑框_N7,
    编辑框_B3,          编辑框_Klm10,
    编辑框_Kv7,         编辑框_Klm11,
    编辑框_Kv8,         编辑框_Klm12,     编辑框_M8, 编辑框_N8,
    编辑框_Idz1,        kBridgeConstants.F, kBridgeConstants.C};

void ReadCommonInputs(const CurrentPage& page) {
  Iψ = ReadNumber(page.phase_current);
  CT = ReadTruncated(page.ct_ratio);
  M = ReadInteger(page.units_parallel);
  N = ReadInteger(page.units_series);
}

void WriteSetting(const CurrentPage& page) { WriteNumber(page.result, Ich / double(Klm)); }

void Fuseless(const CurrentPage& page) {
  ReadCommonInputs(page);
  β = ReadNumber(page.beta);
  Klm = ReadNumber(page.fuseless_klm);
  double p = β * page.F;
  double q = (double(M) * N * 3) - β * (((double(M) * N * 3) - (double(N) * 6)) + page.C);
  Ich = RoundToSingle(((p / q) * Iψ) / CT);
  WriteSetting(page);
}

// K failed units for which the fuses leave the sound ones at Kv times their voltage.
void ExternalFuses(const CurrentPage& page) {
  ReadCommonInputs(page);
  Kv = ReadNumber(page.external_kv);
  Klm = ReadNumber(page.external_klm);
  K = RoundToSingle((double(M) * N * (double(Kv) - 1) * 3) / (Kv * ((double(N) * 6) - page.C)));
  RoundFailedCountToWhole();
  Ich = RoundToSingle(
      (((K * page.F) / ((double(M) * N * 3) - K * ((double(N) * 6) - page.C))) * Iψ) / CT);
  WriteSetting(page);
}

// K failed elements inside the units, with m × n elements a unit.
void InternalFuses(const CurrentPage& page) {
  ReadCommonInputs(page);
  Kv = ReadNumber(page.internal_kv);
  Klm = ReadNumber(page.internal_klm);
  m = ReadTruncated(page.elements_parallel);
  n = ReadTruncated(page.elements_series);
  double r = (((double(M) * N * n * 3) - (double(M) * N * 3)) + (double(N) * 6)) - page.C;
  K = RoundToSingle((double(M) * N * m * n * (double(Kv) - 1) * 3) / (Kv * r));
  RoundFailedCountToWhole();
  double r_again = (((double(N) * M * n * 3) - (double(M) * N * 3)) + (double(N) * 6)) - page.C;
  Ich = RoundToSingle((((K * page.F) / ((double(M) * N * m * n * 3) - K * r_again)) * Iψ) / CT);
  WriteSetting(page);
}

}  // namespace

rt::HandlerResult OnNeutralLineFuselessClicked(const rt::EventArgs&) { return Calculate(Fuseless, kNeutralLine); }
rt::HandlerResult OnNeutralLineExternalFuseClicked(const rt::EventArgs&) { return Calculate(ExternalFuses, kNeutralLine); }
rt::HandlerResult OnNeutralLineInternalFuseClicked(const rt::EventArgs&) { return Calculate(InternalFuses, kNeutralLine); }
rt::HandlerResult OnBridgeFuselessClicked(const rt::EventArgs&) { return Calculate(Fuseless, kBridge); }
rt::HandlerResult OnBridgeExternalFuseClicked(const rt::EventArgs&) { return Calculate(ExternalFuses, kBridge); }
rt::HandlerResult OnBridgeInternalFuseClicked(const rt::EventArgs&) { return Calculate(InternalFuses, kBridge); }

}  // namespace calc
