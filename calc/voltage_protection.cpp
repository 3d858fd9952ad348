// Voltage settings of the open-delta and the voltage differential protection: the two
// pages compute alike and differ only in their controls.
#include "calc/control_io.h"
#include "calc/handlers.h"
#include "calc/main_window.h"
#include "calc/protection_values.h"

namespace calc {
namespace {

using namespace protection;

struct VoltagePage {
  uint32_t phase_voltage, coil_primary, coil_secondary, units_parallel, units_series;
  uint32_t beta, fuseless_klm;
  uint32_t external_kv, external_klm;
  uint32_t internal_kv, internal_klm, elements_parallel, elements_series;
  uint32_t result;
};

constexpr VoltagePage kOpenDelta = {
    编辑框_电容电压1, 编辑框_线圈一次, 编辑框_线圈二次, 编辑框_M1, 编辑框_N1,
    编辑框_B,         编辑框_Klm3,
    编辑框_Kv1,       编辑框_Klm1,
    编辑框_Kv2,       编辑框_Klm2,     编辑框_M2,       编辑框_N2,
    编辑框_Udz};

constexpr VoltagePage kDifferential = {
    编辑框_电容电压2, 编辑框_线圈一次1, 编辑框_线圈二次1, 编辑框_M3, 编辑框_N3,
    编辑框_B1,        编辑框_Klm4,
    编辑框_Kv3,       编辑框_Klm5,
    编辑框_Kv4,       编辑框_Klm6,      编辑框_M4,        编辑框_N4,
    编辑框_Udz1};

void ReadCommonInputs(const VoltagePage& page) {
  Uψ = ReadNumber(page.phase_voltage);
  U1 = ReadNumber(page.coil_primary);
  U2 = ReadNumber(page.coil_secondary);
  M = ReadInteger(page.units_parallel);
  N = ReadInteger(page.units_series);
  double ratio = double(U1) / U2;
  Us = RoundToSingle((Uψ / ratio) * 1000);
}

void WriteSetting(const VoltagePage& page) { WriteNumber(page.result, Uch / double(Klm)); }

void Fuseless(const VoltagePage& page) {
  ReadCommonInputs(page);
  β = ReadNumber(page.beta);
  Klm = ReadNumber(page.fuseless_klm);
  double p = double(β) * 3;
  double q = (double(M) * N * 3) - β * (((double(M) * N * 3) - (double(N) * 3)) + 2);
  Uch = RoundToSingle((p / q) * Us);
  WriteSetting(page);
}

// K failed units for which the fuses leave the sound ones at Kv times their voltage.
void ExternalFuses(const VoltagePage& page) {
  ReadCommonInputs(page);
  Kv = ReadNumber(page.external_kv);
  Klm = ReadNumber(page.external_klm);
  K = RoundToSingle((double(M) * N * (double(Kv) - 1) * 3) / (Kv * ((double(N) * 3) - 2)));
  RoundFailedCountToWhole();
  Uch = RoundToSingle(((K * 3.0) / ((double(M) * N * 3) - K * ((double(N) * 3) - 2))) * Us);
  WriteSetting(page);
}

// K failed elements inside the units, with m × n elements a unit.
void InternalFuses(const VoltagePage& page) {
  ReadCommonInputs(page);
  Kv = ReadNumber(page.internal_kv);
  Klm = ReadNumber(page.internal_klm);
  m = ReadTruncated(page.elements_parallel);
  n = ReadTruncated(page.elements_series);
  double r = (((double(M) * N * n * 3) - (double(M) * N * 3)) + (double(N) * 3)) - 2;
  K = RoundToSingle((double(M) * N * m * n * (double(Kv) - 1) * 3) / (Kv * r));
  RoundFailedCountToWhole();
  double r_again = (((double(N) * M * n * 3) - (double(M) * N * 3)) + (double(N) * 3)) - 2;
  Uch = RoundToSingle(((K * 3.0) / ((double(M) * N * m * n * 3) - K * r_again)) * Us);
  WriteSetting(page);
}

}  // namespace

rt::HandlerResult OnOpenDeltaFuselessClicked(const rt::EventArgs&) { return Calculate(Fuseless, kOpenDelta); }
rt::HandlerResult OnOpenDeltaExternalFuseClicked(const rt::EventArgs&) { return Calculate(ExternalFuses, kOpenDelta); }
rt::HandlerResult OnOpenDeltaInternalFuseClicked(const rt::EventArgs&) { return Calculate(InternalFuses, kOpenDelta); }
rt::HandlerResult OnDifferentialFuselessClicked(const rt::EventArgs&) { return Calculate(Fuseless, kDifferential); }
rt::HandlerResult OnDifferentialExternalFuseClicked(const rt::EventArgs&) { return Calculate(ExternalFuses, kDifferential); }
rt::HandlerResult OnDifferentialInternalFuseClicked(const rt::EventArgs&) { return Calculate(InternalFuses, kDifferential); }

}  // namespace calc
