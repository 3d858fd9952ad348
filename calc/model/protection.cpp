#include "calc/model/protection.h"

#include <cassert>
#include <cmath>
#include <span>

#include "calc/model/fault_table.h"
#include "calc/model/formula_text.h"
#include "calc/model/numbers.h"
#include "runtime/core/number_format.h"

namespace calc {
namespace {

using enum Variant;

constexpr FormulaText kSecondaryVoltage = {"Us = Uψ / (U1 / U2) × 1000", nullptr};

float SecondaryVoltage(const ProtectionValues& v) {
  const double ratio = double(v.U1) / v.U2;
  return RoundToSingle((v.Uψ / ratio) * 1000);
}

void ReadCommonInputs(CalculationPage page, ProtectionTexts& texts, InputReader& read,
                      ProtectionValues& v) {
  if (MeasuresVoltage(page)) {
    v.Uψ = read.Number("Uψ", std::move(texts.Uψ));
    v.U1 = read.Number("U1", std::move(texts.U1));
    v.U2 = read.Number("U2", std::move(texts.U2));
  } else {
    v.Iψ = read.Number("Iψ", std::move(texts.Iψ));
    v.CT = read.Truncated("CT", std::move(texts.CT));
  }
  v.M = read.Integer("M", std::move(texts.M));
  v.N = read.Integer("N", std::move(texts.N));
  if (MeasuresVoltage(page)) v.Us = SecondaryVoltage(v);
}

// A fault's signal from its ratio to the page's measure, held in single precision: the
// voltage pages' relay sees it times Us, the current pages' one times Iψ / CT.
void StoreSignal(const ProtectionOutcome& outcome, double ratio, ProtectionValues& v) {
  if (MeasuresVoltage(outcome.page)) {
    v.Uch = RoundToSingle(ratio * v.Us);
  } else {
    v.Ich = RoundToSingle((ratio * v.Iψ) / v.CT);
  }
}

void RoundFailedCountToWhole(ProtectionValues& v) {
  v.computed_K = v.K;
  v.K = WholeFailedCount(v.K);
}

constexpr FormulaText kFuselessSignal = {"Uch = 3β·Us / (3MN - β·(3N(M - 1) + 2))",
                                         "Ich = {F}β·Iψ / (CT·(3MN - β·(3MN - 6N + {C})))"};

double FuselessRatio(const PageConstants& c, const ProtectionValues& v) {
  const double p = v.β * c.f;
  const double q =
      (double(v.M) * v.N * 3) - v.β * (((double(v.M) * v.N * 3) - (double(v.N) * c.a)) + c.b);
  return p / q;
}

void Fuseless(ProtectionTexts& texts, InputReader& read, ProtectionOutcome& outcome) {
  ProtectionValues& v = outcome.values;
  v.β = read.Number("β", std::move(texts.β));
  v.Klm = read.Number("Klm", std::move(texts.Klm));
  StoreSignal(outcome, FuselessRatio(ConstantsOf(outcome.page), v), v);
}

constexpr FormulaText kExternalFailedCount = {"K = 取整[3MN(Kv - 1) / (Kv(3N - 2))]，且 K ≥ 1",
                                              "K = 取整[3MN(Kv - 1) / (Kv(6N - {C}))]，且 K ≥ 1"};

// K failed units for which the fuses leave the sound ones at Kv times their voltage.
float ExternalFailedCount(const PageConstants& c, const ProtectionValues& v) {
  return RoundToSingle((double(v.M) * v.N * (double(v.Kv) - 1) * 3) / (v.Kv * UnitStep(c, v.N)));
}

constexpr FormulaText kExternalSignal = {"Uch = 3K·Us / (3MN - K(3N - 2))",
                                         "Ich = {F}K·Iψ / (CT·(3MN - K(6N - {C})))"};

double ExternalRatio(const PageConstants& c, const ProtectionValues& v) {
  return (v.K * c.f) / ((double(v.M) * v.N * 3) - v.K * UnitStep(c, v.N));
}

void ExternalFuses(ProtectionTexts& texts, InputReader& read, ProtectionOutcome& outcome) {
  ProtectionValues& v = outcome.values;
  v.Kv = read.Number("Kv", std::move(texts.Kv));
  v.Klm = read.Number("Klm", std::move(texts.Klm));
}

constexpr FormulaText kElementStep = {"R = 3N(M(n - 1) + 1) - 2，T = 3MNmn",
                                      "R = 3N(M(n - 1) + 2) - {C}，T = 3MNmn"};
constexpr FormulaText kInternalFailedCount = {"K = 取整[T(Kv - 1) / (Kv·R)]，且 K ≥ 1",
                                              "K = 取整[T(Kv - 1) / (Kv·R)]，且 K ≥ 1"};

// K failed elements inside the units, with m × n elements a unit.
float InternalFailedCount(const PageConstants& c, const ProtectionValues& v) {
  return RoundToSingle((double(v.M) * v.N * v.m * v.n * (double(v.Kv) - 1) * 3) /
                       (v.Kv * ElementStep(c, v.M, v.N, v.n)));
}

constexpr FormulaText kInternalSignal = {"Uch = 3K·Us / (T - K·R)",
                                         "Ich = {F}K·Iψ / (CT·(T - K·R))"};

double InternalRatio(const PageConstants& c, const ProtectionValues& v) {
  return (v.K * c.f) / ((double(v.M) * v.N * v.m * v.n * 3) - v.K * ElementStep(c, v.M, v.N, v.n));
}

void InternalFuses(ProtectionTexts& texts, InputReader& read, ProtectionOutcome& outcome) {
  ProtectionValues& v = outcome.values;
  v.Kv = read.Number("Kv", std::move(texts.Kv));
  v.Klm = read.Number("Klm", std::move(texts.Klm));
  v.m = read.Truncated("m", std::move(texts.m));
  v.n = read.Truncated("n", std::move(texts.n));
}

// A fused variant's K from the overvoltage limit in v.Kv, and the signal at K failures:
// the trip at the typed Kv and the alarm at 1.05 both come from here.
void FailedCountAndSignal(ProtectionOutcome& outcome) {
  ProtectionValues& v = outcome.values;
  const PageConstants c = ConstantsOf(outcome.page);
  const bool internal = outcome.variant == kInternalFuses;
  v.K = internal ? InternalFailedCount(c, v) : ExternalFailedCount(c, v);
  RoundFailedCountToWhole(v);
  StoreSignal(outcome, internal ? InternalRatio(c, v) : ExternalRatio(c, v), v);
}

constexpr FormulaText kSetting = {"Udz = Uch / Klm", "Idz = Ich / Klm"};

double Setting(const ProtectionOutcome& outcome) {
  return StoredSignal(outcome) / double(outcome.values.Klm);
}

constexpr FormulaText kUnitStep = {"D = 3N - 2", "D = 6N - {C}"};
constexpr FormulaText kUnitStepAndFactor = {"D = 3N - 2，G = 3·Us",
                                            "D = 6N - {C}，G = {F}·Iψ / CT"};
constexpr FormulaText kSignalFactor = {"G = 3·Us", "G = {F}·Iψ / CT"};

// Each variant's formulas in the order the sheet prints them.
using FormulaList = std::span<const FormulaText* const>;
constexpr const FormulaText* kFuselessFormulas[] = {&kSecondaryVoltage, &kFuselessSignal, &kSetting,
                                                    &kUnitStep, &kFuselessOvervoltageText};
constexpr const FormulaText* kExternalFormulas[] = {
    &kSecondaryVoltage,  &kExternalFailedCount, &kExternalSignal, &kSetting,
    &kUnitStepAndFactor, &kUnitOvervoltageText, &kUnitSignalText};
constexpr const FormulaText* kInternalFormulas[] = {
    &kSecondaryVoltage, &kElementStep,  &kInternalFailedCount,    &kInternalSignal,
    &kSetting,          &kSignalFactor, &kElementOvervoltageText, &kElementSignalText};

FormulaList FormulasOf(Variant variant) {
  switch (variant) {
    case kFuseless: return kFuselessFormulas;
    case kExternalFuses: return kExternalFormulas;
    case kInternalFuses: return kInternalFormulas;
    case kCapacitorParameters: break;
  }
  return {};
}

void ReplaceAll(std::string& text, std::string_view placeholder, const std::string& by) {
  for (size_t at = text.find(placeholder); at != std::string::npos;
       at = text.find(placeholder, at + by.size()))
    text.replace(at, placeholder.size(), by);
}

// The formula's text for the page, its constants written in; empty where it has none.
std::string Written(const FormulaText& formula, CalculationPage page) {
  const char* text = MeasuresVoltage(page) ? formula.voltage : formula.current;
  if (!text) return {};
  const PageConstants constants = ConstantsOf(page);
  std::string written = text;
  ReplaceAll(written, "{F}", rt::FormatDouble(constants.f));
  ReplaceAll(written, "{C}", rt::FormatDouble(constants.b));
  ReplaceAll(written, "{S}", SignalName(page));
  return written;
}

// "3N - 2" of "D = 3N - 2，G = 3·Us": what the first formula of the text sets its
// symbol to.
std::string RightHandSide(const std::string& formulas) {
  const size_t start = formulas.find(" = ") + 3;
  return formulas.substr(start, formulas.find("，", start) - start);
}

}  // namespace

ProtectionOutcome CalculateProtection(CalculationPage page, Variant variant,
                                      ProtectionTexts texts) {
  ProtectionOutcome outcome;
  outcome.inputs.reserve(8);
  outcome.page = page;
  outcome.variant = variant;
  InputReader read(outcome.inputs);
  ReadCommonInputs(page, texts, read, outcome.values);
  switch (variant) {
    case kFuseless: Fuseless(texts, read, outcome); break;
    case kExternalFuses: ExternalFuses(texts, read, outcome); break;
    case kInternalFuses: InternalFuses(texts, read, outcome); break;
    case kCapacitorParameters: break;
  }
  if (IsFused(variant)) FailedCountAndSignal(outcome);
  outcome.setting = Setting(outcome);
  outcome.setting_text = ShownText(outcome.setting);
  return outcome;
}

ProtectionStage StageOf(const ProtectionOutcome& outcome) {
  assert(IsFused(outcome.variant));
  const ProtectionValues& v = outcome.values;
  return {v.Kv, v.computed_K, v.K, StoredSignal(outcome), outcome.setting};
}

ProtectionStage AlarmStage(const ProtectionOutcome& trip) {
  ProtectionOutcome alarm;
  alarm.page = trip.page;
  alarm.variant = trip.variant;
  alarm.values = trip.values;
  alarm.values.Kv = NumberOf(kAlarmOvervoltageLimit);
  FailedCountAndSignal(alarm);
  alarm.setting = Setting(alarm);
  return StageOf(alarm);
}

float StoredSignal(const ProtectionOutcome& outcome) {
  return MeasuresVoltage(outcome.page) ? outcome.values.Uch : outcome.values.Ich;
}

float WholeFailedCount(float computed) {
  if (double(computed) - 1 < -0.0000001 || std::isnan(computed)) return 1;
  return RoundToSingle(WholePart(computed));
}

double UnitStep(const PageConstants& constants, int32_t N) {
  return (double(N) * constants.a) - constants.b;
}

double ElementStep(const PageConstants& constants, int32_t M, int32_t N, int32_t n) {
  return (((double(M) * N * n * 3) - (double(M) * N * 3)) + (double(N) * constants.a)) -
         constants.b;
}

double WholeCount(const ProtectionValues& v, Variant variant) {
  return variant == kInternalFuses ? 3.0 * v.M * v.N * v.m * v.n : 3.0 * v.M * v.N;
}

double SignalFactor(const ProtectionOutcome& outcome) {
  const ProtectionValues& v = outcome.values;
  return MeasuresVoltage(outcome.page) ? 3.0 * v.Us : ConstantsOf(outcome.page).f * v.Iψ / v.CT;
}

std::vector<std::string> ProtectionFormulas(CalculationPage page, Variant variant) {
  std::vector<std::string> formulas;
  for (const FormulaText* formula : FormulasOf(variant))
    if (std::string written = Written(*formula, page); !written.empty())
      formulas.push_back(std::move(written));
  return formulas;
}

std::string StepFormula(CalculationPage page, Variant variant) {
  return RightHandSide(Written(variant == kInternalFuses ? kElementStep : kUnitStep, page));
}

std::string SettingSymbol(CalculationPage page) {
  const std::string setting = Written(kSetting, page);
  return setting.substr(0, setting.find(" = "));
}

std::string SignalFactorFormula(CalculationPage page) {
  return RightHandSide(Written(kSignalFactor, page));
}

}  // namespace calc
