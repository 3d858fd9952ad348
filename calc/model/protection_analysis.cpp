#include "calc/model/protection_analysis.h"

#include <cmath>

#include "runtime/core/number_format.h"

namespace calc {
namespace {

// The page's measure: the voltage pages' relay sees a voltage, the current pages' one a
// current on the transformer's secondary side.
struct Measure {
  const char* signal;  // "Uch" or "Ich"
  const char* unit;
};

Measure MeasureOf(CalculationPage page) {
  return MeasuresVoltage(page) ? Measure{"Uch", "V"} : Measure{"Ich", "A"};
}

std::string Text(double value) { return rt::FormatDouble(value); }

// The most failures one group can lose: the units of a phase on the voltage pages, of one
// half or one arm on the current pages, the elements of one element group.
int64_t MostFailures(const ProtectionOutcome& outcome) {
  const ProtectionValues& v = outcome.values;
  if (outcome.variant == Variant::kInternalFuses) return int64_t{v.m} - 1;
  return MeasuresVoltage(outcome.page) ? int64_t{v.M} - 1
                                       : static_cast<int64_t>(std::floor(v.M / 2.0)) - 1;
}

double FailureStep(const ProtectionOutcome& outcome) {
  const ProtectionValues& v = outcome.values;
  const PageConstants constants = ConstantsOf(outcome.page);
  return outcome.variant == Variant::kInternalFuses ? ElementStep(constants, v.M, v.N, v.n)
                                                    : UnitStep(constants, v.N);
}

FaultModel ModelOf(const ProtectionOutcome& outcome, const ProtectionStage& alarm) {
  FaultModel model;
  model.whole = WholeCount(outcome.values, outcome.variant);
  model.step = FailureStep(outcome);
  model.signal_factor = SignalFactor(outcome);
  model.setting = outcome.setting;
  model.Kv = outcome.values.Kv;
  model.K = outcome.values.K;
  model.alarm_K = alarm.K;
  model.most_failures = MostFailures(outcome);
  return model;
}

void AddBasis(SheetAnalysis& analysis, const ProtectionOutcome& outcome) {
  const ProtectionValues& v = outcome.values;
  if (MeasuresVoltage(outcome.page)) {
    analysis.working_values.push_back(
        {"Us", "电容器额定相电压折算到放电线圈二次侧", Text(v.Us), "V", v.Us});
  } else {
    analysis.working_values.push_back({"Iψ", "电容器额定相电流", Text(v.Iψ), "A", v.Iψ});
    analysis.working_values.push_back(
        {"CT", "电流互感器变比", rt::FormatInteger(v.CT), "", double(v.CT)});
  }
}

void AddFailedCount(SheetAnalysis& analysis, const ProtectionOutcome& outcome) {
  const ProtectionValues& v = outcome.values;
  const Measure measure = MeasureOf(outcome.page);
  const char* counted =
      outcome.variant == Variant::kInternalFuses ? "一个元件组内的故障元件数" : "故障电容器台数";
  analysis.failed_count = FailedCount{v.computed_K, v.K};
  analysis.working_values.push_back(
      {"K（取整前）", std::string("由 Kv 算得的") + counted, Text(v.computed_K), "", v.computed_K});
  analysis.working_values.push_back({"K", "取整后，至少为 1", Text(v.K), "", v.K});
  analysis.working_values.push_back(
      {measure.signal, std::string("K 个故障时的") + SignalName(outcome.page),
       Text(StoredSignal(outcome)), measure.unit, StoredSignal(outcome)});
}

void AddModelValues(SheetAnalysis& analysis, const ProtectionOutcome& outcome,
                    const FaultModel& model) {
  const bool internal = outcome.variant == Variant::kInternalFuses;
  analysis.working_values.push_back({internal ? "T" : "3MN",
                                     internal ? "三相元件总数 3MNmn" : "三相电容器总台数 3MN",
                                     Text(model.whole), "", model.whole});
  analysis.working_values.push_back({internal ? "R" : "D",
                                     StepFormula(outcome.page, outcome.variant), Text(model.step),
                                     "", model.step});
  analysis.working_values.push_back({"G", SignalFactorFormula(outcome.page),
                                     Text(model.signal_factor), MeasureOf(outcome.page).unit,
                                     model.signal_factor});
}

// The page's sensitivity factor as its box showed it.
NamedValue SensitivityFactor(const ProtectionOutcome& outcome, const Captions& captions) {
  std::vector<NamedValue> Klm = NamedInputsWith(outcome.inputs, captions.inputs, {"Klm"});
  return Klm.empty() ? NamedValue{"Klm", "", outcome.values.Klm} : Klm.front();
}

void AddFaultTable(SheetAnalysis& analysis, const ProtectionOutcome& outcome,
                   const Captions& captions) {
  AddFailedCount(analysis, outcome);
  analysis.trip = StageOf(outcome);
  analysis.alarm = AlarmStage(outcome);
  const FaultModel model = ModelOf(outcome, *analysis.alarm);
  AddModelValues(analysis, outcome, model);
  analysis.faults = FaultRows(model);
  for (SheetWarning& warning :
       FusedWarnings(model, analysis.faults, SensitivityFactor(outcome, captions)))
    analysis.warnings.push_back(std::move(warning));
}

void AddFuselessFault(SheetAnalysis& analysis, const ProtectionOutcome& outcome) {
  const ProtectionValues& v = outcome.values;
  const Measure measure = MeasureOf(outcome.page);
  const double step = UnitStep(ConstantsOf(outcome.page), v.N);
  analysis.working_values.push_back(
      {measure.signal, std::string("一台电容器内部 β 击穿时的") + SignalName(outcome.page),
       Text(StoredSignal(outcome)), measure.unit, StoredSignal(outcome)});
  analysis.working_values.push_back(
      {"D", StepFormula(outcome.page, outcome.variant), Text(step), "", step});
  analysis.fuseless = FuselessFault{FuselessOvervoltage(WholeCount(v, outcome.variant), step, v.β),
                                    StoredSignal(outcome)};
}

// What was typed wrong: counts and ratios, β as a percentage, U2 in volts.
void AddInputWarnings(SheetAnalysis& analysis, const ProtectionOutcome& outcome,
                      const Captions& captions) {
  const auto with = [&](std::initializer_list<std::string_view> symbols) {
    return NamedInputsWith(outcome.inputs, captions.inputs, symbols);
  };
  AddWarning(analysis.warnings, CountNotPositiveWarning(with({"CT", "M", "N", "m", "n"})));
  for (const NamedValue& β : with({"β"})) AddWarning(analysis.warnings, BetaOutOfRangeWarning(β));
  const std::vector<NamedValue> coil = with({"U1", "U2"});
  if (coil.size() == 2) AddWarning(analysis.warnings, CoilVoltageSuspectWarning(coil[0], coil[1]));
}

void AddWarnings(SheetAnalysis& analysis, const ProtectionOutcome& outcome,
                 const Captions& captions) {
  const NamedValue setting = {captions.results.empty() ? "" : captions.results[0],
                              outcome.setting_text, outcome.setting};
  AddWarning(analysis.warnings,
             NotFiniteWarning({setting}, NamedInputs(outcome.inputs, captions.inputs)));
  if (outcome.page == CalculationPage::kBridgePage)
    AddWarning(analysis.warnings, BridgeLayoutWarning(outcome.values.M, outcome.values.N));
  AddInputWarnings(analysis, outcome, captions);
  AddWarning(analysis.warnings, SettingNotPositiveWarning({setting}));
}

}  // namespace

SheetAnalysis AnalyseProtection(const ProtectionOutcome& outcome, const Captions& captions) {
  SheetAnalysis analysis;
  AddBasis(analysis, outcome);
  if (IsFused(outcome.variant)) {
    AddFaultTable(analysis, outcome, captions);
  } else {
    AddFuselessFault(analysis, outcome);
  }
  AddWarnings(analysis, outcome, captions);
  analysis.formulas = ProtectionFormulas(outcome.page, outcome.variant);
  return analysis;
}

}  // namespace calc
