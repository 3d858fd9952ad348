// The protection pages' part of a calculation sheet: the fault table of a fused variant
// (or the fault of a fuseless unit) from the working values the click stored.
#include <cmath>

#include "calc/sheet_formulas.h"
#include "calc/sheet_parts.h"
#include "calc/sheet_warnings.h"
#include "runtime/core/number_format.h"

namespace calc {
namespace {

using protection::WorkingValues;

// The page's measure: the voltage pages' relay sees a voltage, the current pages' one a
// current on the transformer's secondary side.
struct Measure {
  bool voltage;
  protection::CurrentPageConstants constants;
  const char* signal;  // "Uch" or "Ich"
  const char* unit;
};

Measure MeasureOf(SheetPage page) {
  bool voltage = MeasuresVoltage(page);
  return {voltage, ConstantsOf(page), voltage ? "Uch" : "Ich", voltage ? "V" : "A"};
}

std::string Text(double value) { return rt::FormatDouble(value); }

double StoredSignal(const Measure& measure, const WorkingValues& w) { return measure.voltage ? w.Uch : w.Ich; }

// D: what one failed unit takes from 3MN.
double UnitStep(const Measure& measure, const WorkingValues& w) {
  return measure.voltage ? 3.0 * w.N - 2 : 6.0 * w.N - measure.constants.C;
}

std::string UnitStepFormula(const Measure& measure) {
  return measure.voltage ? "3N - 2" : "6N - " + Text(measure.constants.C);
}

// R: what one failed element takes from T, evaluated as the page does.
double ElementStep(const Measure& measure, const WorkingValues& w) {
  const double series = measure.voltage ? double(w.N) * 3 : double(w.N) * 6;
  return (((double(w.M) * w.N * w.n * 3) - (double(w.M) * w.N * 3)) + series) -
         (measure.voltage ? 2 : measure.constants.C);
}

std::string ElementStepFormula(const Measure& measure) {
  return measure.voltage ? "3N(M(n - 1) + 1) - 2" : "3N(M(n - 1) + 2) - " + Text(measure.constants.C);
}

// G: the signal of one failure over a whole of one.
double SignalFactor(const Measure& measure, const WorkingValues& w) {
  return measure.voltage ? 3.0 * w.Us : measure.constants.F * w.Iψ / w.CT;
}

// The most failures one group can lose: the units of a phase on the voltage pages, of one
// half or one arm on the current pages, the elements of one element group.
int64_t MostFailures(const Measure& measure, Variant variant, const WorkingValues& w) {
  if (variant == Variant::kInternalFuses) return int64_t{w.m} - 1;
  return measure.voltage ? int64_t{w.M} - 1 : static_cast<int64_t>(std::floor(w.M / 2.0)) - 1;
}

FaultModel ModelOf(const Measure& measure, Variant variant, const WorkingValues& w) {
  FaultModel model;
  const bool internal = variant == Variant::kInternalFuses;
  model.whole = internal ? 3.0 * w.M * w.N * w.m * w.n : 3.0 * w.M * w.N;
  model.step = internal ? ElementStep(measure, w) : UnitStep(measure, w);
  model.signal_factor = SignalFactor(measure, w);
  model.setting = StoredSignal(measure, w) / double(w.Klm);
  model.Kv = w.Kv;
  model.K = w.K;
  model.most_failures = MostFailures(measure, variant, w);
  return model;
}

void AddBasis(Sheet& sheet, const Measure& measure, const WorkingValues& w) {
  if (measure.voltage) {
    sheet.working_values.push_back({"Us", "电容器额定相电压折算到放电线圈二次侧", Text(w.Us), "V"});
  } else {
    sheet.working_values.push_back({"Iψ", "电容器额定相电流", Text(w.Iψ), "A"});
    sheet.working_values.push_back({"CT", "电流互感器变比", rt::FormatInteger(w.CT), ""});
  }
}

void AddFailedCount(Sheet& sheet, const Measure& measure, const WorkingValues& w) {
  const char* counted = sheet.variant == Variant::kInternalFuses ? "一个元件组内的故障元件数" : "故障电容器台数";
  sheet.failed_count = FailedCount{w.computed_K, w.K};
  sheet.working_values.push_back({"K（取整前）", std::string("由 Kv 算得的") + counted, Text(w.computed_K), ""});
  sheet.working_values.push_back({"K", "取整后，至少为 1", Text(w.K), ""});
  sheet.working_values.push_back({measure.signal, std::string("K 个故障时的") + SignalName(sheet.page),
                                  Text(StoredSignal(measure, w)), measure.unit});
}

void AddModelValues(Sheet& sheet, const Measure& measure, const FaultModel& model) {
  const bool internal = sheet.variant == Variant::kInternalFuses;
  const std::string step_formula = internal ? ElementStepFormula(measure) : UnitStepFormula(measure);
  sheet.working_values.push_back(
      {internal ? "T" : "3MN", internal ? "三相元件总数 3MNmn" : "三相电容器总台数 3MN", Text(model.whole), ""});
  sheet.working_values.push_back({internal ? "R" : "D", step_formula, Text(model.step), ""});
  sheet.working_values.push_back(
      {"G", measure.voltage ? "3·Us" : Text(measure.constants.F) + "·Iψ / CT", Text(model.signal_factor), measure.unit});
}

void AddFaultTable(Sheet& sheet, const Measure& measure, const WorkingValues& w) {
  AddFailedCount(sheet, measure, w);
  const FaultModel model = ModelOf(measure, sheet.variant, w);
  AddModelValues(sheet, measure, model);
  sheet.faults = FaultRows(model);
  for (SheetWarning& warning : FusedWarnings(model, sheet.faults)) sheet.warnings.push_back(std::move(warning));
}

void AddFuselessFault(Sheet& sheet, const Measure& measure, const WorkingValues& w) {
  const double step = UnitStep(measure, w);
  sheet.working_values.push_back({measure.signal, std::string("一台电容器内部 β 击穿时的") + SignalName(sheet.page),
                                  Text(StoredSignal(measure, w)), measure.unit});
  sheet.working_values.push_back({"D", UnitStepFormula(measure), Text(step), ""});
  sheet.fuseless = FuselessFault{FuselessOvervoltage(3.0 * w.M * w.N, step, w.β), StoredSignal(measure, w)};
}

}  // namespace

void AddProtectionPart(Sheet& sheet, const ClickRecord& record) {
  const Measure measure = MeasureOf(sheet.page);
  const WorkingValues& w = record.working;
  AddBasis(sheet, measure, w);
  if (IsFused(sheet.variant)) {
    AddFaultTable(sheet, measure, w);
  } else {
    AddFuselessFault(sheet, measure, w);
  }
  if (std::optional<SheetWarning> warning = NotFiniteWarning(sheet)) sheet.warnings.push_back(*warning);
  if (sheet.page == SheetPage::kBridgePage)
    if (std::optional<SheetWarning> warning = BridgeLayoutWarning(w.M, w.N)) sheet.warnings.push_back(*warning);
  sheet.formulas = ProtectionFormulas(sheet.page, sheet.variant);
}

}  // namespace calc
