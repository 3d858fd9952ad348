#include "calc/model/fault_table.h"

#include <algorithm>
#include <cmath>

#include "runtime/core/number_format.h"

namespace calc {
namespace {

constexpr int kTableDigits = 5;

// Half an ulp of a single-precision value, doubled for the rounding of the double steps.
constexpr double kSingleRounding = 0x1p-23;

double Allowance(double setting) {
  return std::isfinite(setting) ? std::fabs(setting) * kSingleRounding : 0;
}

double Denominator(const FaultModel& model, double failures) {
  return model.whole - failures * model.step;
}

void MarkRows(std::vector<FaultRow>& rows, const FaultModel& model) {
  auto first_pickup =
      std::find_if(rows.begin(), rows.end(), [](const FaultRow& row) { return row.picks_up; });
  if (first_pickup != rows.end()) first_pickup->first_pickup = true;
  auto last_within = std::find_if(rows.rbegin(), rows.rend(),
                                  [&](const FaultRow& row) { return row.overvoltage <= model.Kv; });
  if (last_within != rows.rend()) last_within->last_within_kv = true;
  for (FaultRow& row : rows) {
    row.at_k = row.failures == model.K;
    row.alarm = row.failures == model.alarm_K;
  }
}

}  // namespace

const FormulaText kUnitOvervoltageText = {
    "V(F) = 3MN / (3MN - F·D)：F 台电容器故障切除后完好电容器的过电压倍数",
    "V(F) = 3MN / (3MN - F·D)：F 台电容器故障切除后完好电容器的过电压倍数（故障在同一半或同一臂）"};
const FormulaText kElementOvervoltageText = {
    "V(F) = T / (T - F·R)：一个元件组内 F 个元件故障切除后其余元件的过电压倍数",
    "V(F) = T / (T - F·R)：一个元件组内 F 个元件故障切除后其余元件的过电压倍数"};

double Overvoltage(const FaultModel& model, double failures) {
  return model.whole / Denominator(model, failures);
}

const FormulaText kUnitSignalText = {"S(F) = G·F / (3MN - F·D)：{S}，S(F) ≥ Udz 时动作",
                                     "S(F) = G·F / (3MN - F·D)：{S}，S(F) ≥ Idz 时动作"};
const FormulaText kElementSignalText = {"S(F) = G·F / (T - F·R)：{S}，S(F) ≥ Udz 时动作",
                                        "S(F) = G·F / (T - F·R)：{S}，S(F) ≥ Idz 时动作"};

double Signal(const FaultModel& model, double failures) {
  return model.signal_factor * failures / Denominator(model, failures);
}

bool ReachesSetting(double signal, double setting) {
  return signal >= setting - Allowance(setting);
}

bool FallsShortOfSetting(double signal, double setting) {
  return signal < setting - Allowance(setting);
}

std::vector<FaultRow> FaultRows(const FaultModel& model) {
  std::vector<FaultRow> rows;
  bool exceeded = false;
  const int64_t last = std::min<int64_t>(kLastTableFailures, model.most_failures);
  for (int failures = 0; failures <= last; ++failures) {
    if (!(Denominator(model, failures) > 0)) continue;
    FaultRow row;
    row.failures = failures;
    row.overvoltage = Overvoltage(model, failures);
    row.signal = Signal(model, failures);
    row.picks_up = ReachesSetting(row.signal, model.setting);
    rows.push_back(row);
    exceeded = exceeded || row.overvoltage > model.Kv;
    if (exceeded && failures >= model.K + 2 && failures >= model.alarm_K.value_or(0)) break;
  }
  MarkRows(rows, model);
  return rows;
}

const FormulaText kFuselessOvervoltageText = {
    "V = 3MN / (3MN(1 - β) + D·β)：β 击穿的那台电容器完好部分的过电压倍数",
    "V = 3MN / (3MN(1 - β) + D·β)：β 击穿的那台电容器完好部分的过电压倍数"};

std::string TableNumber(double value) { return rt::FormatSignificantDigits(value, kTableDigits); }

double FuselessOvervoltage(double three_mn, double step, double β) {
  return three_mn / (three_mn * (1 - β) + step * β);
}

}  // namespace calc
