#include "calc/model/capacitor.h"

#include <cmath>
#include <optional>

#include "calc/model/numbers.h"

namespace calc {
namespace {

using enum CapacitorResult;

constexpr int32_t kStar = 0;
constexpr int32_t kDelta = 1;

double Root3() { return SquareRoot(3.0); }

// A result from the working values and the results written before it; none where the
// page empties the box.
using Evaluation = std::optional<double> (*)(CapacitorValues& v,
                                             const std::vector<ResultValue>& written);

// One result: its box's symbol, its formula as the sheet prints it for a star and for a
// delta bank (null when the same), and the code that evaluates it.
struct Step {
  CapacitorResult result;
  const char* symbol;
  const char* star_formula;
  const char* delta_formula;
  Evaluation evaluate;
};

// The rated current, kept in single precision for the in-delta current and the settings.
std::optional<double> RatedCurrent(CapacitorValues& v, const std::vector<ResultValue>&) {
  const double rated =
      v.connection == kStar ? (double{v.QN} / v.UN) / 3 : (double{v.QN} / v.UN) / Root3();
  v.rated_current = RoundToSingle(rated);
  return rated;
}

std::optional<double> InDeltaCurrent(CapacitorValues& v, const std::vector<ResultValue>&) {
  if (v.connection != kDelta) return std::nullopt;
  return v.rated_current / Root3();
}

double ReactanceBase(const CapacitorValues& v) {
  return (double{v.UN} * v.UN) / (double{v.QN} / 3);
}

std::optional<double> CapacitiveReactance(CapacitorValues& v, const std::vector<ResultValue>&) {
  return ReactanceBase(v) * 1000;
}

std::optional<double> InductiveReactance(CapacitorValues& v, const std::vector<ResultValue>&) {
  return ((ReactanceBase(v) * v.Kr) * 1000) / 100;
}

std::optional<double> Output(CapacitorValues& v, const std::vector<ResultValue>&) {
  const double r = 1 - (double{v.Kr} / 100);
  return v.connection == kStar ? (((((double{v.QN} * v.Usys) / Root3()) * v.Usys) / Root3()) /
                                  (double{v.UN} * v.UN)) /
                                     r
                               : (((double{v.QN} * v.Usys) * v.Usys) / (double{v.UN} * v.UN)) / r;
}

// From the output as shown (13 digits), read back in single precision.
std::optional<double> OperatingCurrent(CapacitorValues& v,
                                       const std::vector<ResultValue>& written) {
  const float shown_output = NumberOf(written[size_t(kOutput)].text);
  return (double{shown_output} / v.Usys) / Root3();
}

std::optional<double> TuningFrequency(CapacitorValues& v, const std::vector<ResultValue>&) {
  return v.f * SquareRoot((1 / double{v.Kr}) * 100);
}

double Tangent(float cosφ) { return SquareRoot(1 - double{cosφ} * cosφ) / cosφ; }

std::optional<double> Compensation(CapacitorValues& v, const std::vector<ResultValue>&) {
  return v.P * (Tangent(v.cosφ1) - Tangent(v.cosφ2));
}

double SecondaryCurrent(const CapacitorValues& v) { return double{v.rated_current} / v.nCT; }

std::optional<double> InstantaneousSetting(CapacitorValues& v, const std::vector<ResultValue>&) {
  return SecondaryCurrent(v) * 3;
}

std::optional<double> DelayedSetting(CapacitorValues& v, const std::vector<ResultValue>&) {
  return SecondaryCurrent(v) * 1.5;
}

std::optional<double> InstantaneousDifferentialSetting(CapacitorValues& v,
                                                       const std::vector<ResultValue>&) {
  return (SecondaryCurrent(v) * Root3()) * 3;
}

std::optional<double> DelayedDifferentialSetting(CapacitorValues& v,
                                                 const std::vector<ResultValue>&) {
  return (SecondaryCurrent(v) * Root3()) * 1.5;
}

constexpr Step kSteps[] = {
    {kRatedCurrent, "IN", "IN = QN / (3·UN)", "IN = QN / (√3·UN)", RatedCurrent},
    {kInDeltaCurrent, "", "星形接线时不适用，为空", "IN / √3", InDeltaCurrent},
    {kCapacitiveReactance, "Xc", "Xc = 1000·UN·UN / (QN / 3)", nullptr, CapacitiveReactance},
    {kInductiveReactance, "XL", "XL = Xc·Kr / 100", nullptr, InductiveReactance},
    {kOutput, "Qout", "Qout = QN·Usys·Usys / (3·UN·UN·(1 - Kr/100))",
     "Qout = QN·Usys·Usys / (UN·UN·(1 - Kr/100))", Output},
    {kOperatingCurrent, "Irun", "Irun = Qout / (√3·Usys)，Qout 取所示的值", nullptr,
     OperatingCurrent},
    {kTuningFrequency, "ft", "ft = f·√(100 / Kr)", nullptr, TuningFrequency},
    {kCompensation, "Qcomp", "Qcomp = P·(tanφ1 - tanφ2)，tanφ = √(1 - cosφ·cosφ) / cosφ", nullptr,
     Compensation},
    {kInstantaneousSetting, "", "3·IN / nCT", nullptr, InstantaneousSetting},
    {kDelayedSetting, "", "1.5·IN / nCT", nullptr, DelayedSetting},
    {kInstantaneousDifferentialSetting, "", "3√3·IN / nCT", nullptr,
     InstantaneousDifferentialSetting},
    {kDelayedDifferentialSetting, "", "1.5√3·IN / nCT", nullptr, DelayedDifferentialSetting},
};
static_assert(std::size(kSteps) == kCapacitorResultCount);

void ReadInputs(CapacitorTexts& texts, CapacitorOutcome& outcome) {
  outcome.inputs.reserve(10);
  CapacitorValues& v = outcome.values;
  InputReader read(outcome.inputs);
  v.UN = read.Number("UN", std::move(texts.UN));
  v.QN = read.Number("QN", std::move(texts.QN));
  v.Kr = read.Number("Kr", std::move(texts.Kr));
  v.Usys = read.Number("Usys", std::move(texts.Usys));
  v.f = read.Integer("f", std::move(texts.f));
  v.nCT = read.Integer("nCT", std::move(texts.nCT));
  v.cosφ1 = read.Number("cosφ1", std::move(texts.cosφ1));
  v.cosφ2 = read.Number("cosφ2", std::move(texts.cosφ2));
  v.P = read.Number("P", std::move(texts.P));
  v.connection = texts.connection;
  read.Choice(std::move(texts.connection_text), texts.connection);
  outcome.connection_items = std::move(texts.connection_items);
}

bool IsStar(const CapacitorValues& v) { return v.connection == kStar; }

// Uc = Usys / (√3·(1 − Kr/100)) for star, Usys / (1 − Kr/100) for delta, in kV.
double OperatingVoltage(const CapacitorValues& v) {
  const double reactor = 1 - double{v.Kr} / 100;
  return IsStar(v) ? v.Usys / (std::sqrt(3.0) * reactor) : v.Usys / reactor;
}

const char* OperatingVoltageFormula(const CapacitorValues& v) {
  return IsStar(v) ? "Uc = Usys / (√3·(1 - Kr/100))" : "Uc = Usys / (1 - Kr/100)";
}

std::vector<NamedValue> Named(const std::vector<ResultValue>& results,
                              const std::vector<std::string>& captions) {
  std::vector<NamedValue> named;
  for (size_t i = 0; i < results.size(); ++i)
    named.push_back({i < captions.size() ? captions[i] : "", results[i].text, results[i].value});
  return named;
}

bool IsProtectionSetting(CapacitorResult result) {
  return result >= kInstantaneousSetting && result <= kDelayedDifferentialSetting;
}

// What was typed wrong: the CT ratio, a connection none of the box's items, and the four
// protection settings that come out not above zero.
void AddInputWarnings(SheetAnalysis& analysis, const CapacitorOutcome& outcome,
                      const Captions& captions) {
  AddWarning(analysis.warnings,
             CountNotPositiveWarning(NamedInputsWith(outcome.inputs, captions.inputs, {"nCT"})));
  const std::vector<NamedValue> results = Named(outcome.results, captions.results);
  std::vector<NamedValue> settings;
  for (size_t i = 0; i < results.size(); ++i)
    if (IsProtectionSetting(outcome.results[i].result)) settings.push_back(results[i]);
  AddWarning(analysis.warnings, SettingNotPositiveWarning(settings));
  const NamedValue connection = NamedInputs(outcome.inputs, captions.inputs).back();
  AddWarning(analysis.warnings, ConnectionTextIgnoredWarning(connection, outcome.connection_items,
                                                             outcome.values.connection));
}

}  // namespace

CapacitorOutcome CalculateCapacitorParameters(CapacitorTexts texts) {
  CapacitorOutcome outcome;
  ReadInputs(texts, outcome);
  outcome.results.reserve(kCapacitorResultCount);
  for (const Step& step : kSteps) {
    const std::optional<double> value = step.evaluate(outcome.values, outcome.results);
    const char* formula =
        IsStar(outcome.values) || !step.delta_formula ? step.star_formula : step.delta_formula;
    outcome.results.push_back({step.result, step.symbol, value.value_or(NAN),
                               value ? ShownText(*value) : std::string(), formula});
  }
  return outcome;
}

SheetAnalysis AnalyseCapacitorParameters(const CapacitorOutcome& outcome,
                                         const Captions& captions) {
  SheetAnalysis analysis;
  analysis.operating_voltage = OperatingVoltage(outcome.values);
  AddWarning(analysis.warnings, NotFiniteWarning(Named(outcome.results, captions.results),
                                                 NamedInputs(outcome.inputs, captions.inputs)));
  AddWarning(analysis.warnings,
             CapacitorOvervoltageWarning(*analysis.operating_voltage, outcome.values.UN));
  AddInputWarnings(analysis, outcome, captions);
  analysis.formulas = {OperatingVoltageFormula(outcome.values)};
  return analysis;
}

}  // namespace calc
