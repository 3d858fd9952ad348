#include "calc/model/measured_check.h"

#include "calc/model/fault_table.h"
#include "runtime/core/number_format.h"

namespace calc {
namespace {

SheetWarning Warning(const char* code, std::string message) { return {code, std::move(message)}; }

std::string WithUnit(const ProtectionOutcome& outcome, double value) {
  return TableNumber(value) + (MeasuresVoltage(outcome.page) ? " V" : " A");
}

// The bank was measured for other counts, or the counts allow no such bank.
std::optional<SheetWarning> ImpossibleWarning(const ProtectionOutcome& outcome,
                                              const MeasuredBank& bank) {
  const ProtectionValues& v = outcome.values;
  if (!ShapeOf(outcome.page, v.M, v.N))
    return Warning(
        "arrangement_impossible",
        "实测电容无法按本页接线排列：" + ImpossibleArrangement(outcome.page, v.M, v.N) + "。");
  if (bank.shape.page != outcome.page || bank.shape.M != v.M || bank.shape.N != v.N)
    return Warning("arrangement_impossible",
                   "实测电容按 M = " + rt::FormatInteger(bank.shape.M) +
                       "，N = " + rt::FormatInteger(bank.shape.N) +
                       " 录入，与本次计算的 M = " + rt::FormatInteger(v.M) +
                       "，N = " + rt::FormatInteger(v.N) + " 不符，未作校核。");
  return std::nullopt;
}

void AddSettingWarnings(const ProtectionOutcome& outcome, const MeasuredCheck& check,
                        std::vector<SheetWarning>& warnings) {
  const std::string setting =
      SettingSymbol(outcome.page) + " = " + WithUnit(outcome, outcome.setting);
  if (ReachesSetting(check.initial_signal, outcome.setting))
    warnings.push_back(
        Warning("initial_unbalance_trips",
                "实测初始不平衡信号 S0 = " + WithUnit(outcome, check.initial_signal) +
                    " 达到整定值 " + setting + "，完好的电容器组即会动作。"));
  const double fault = StoredSignal(outcome);
  if (FallsShortOfSetting(fault - check.initial_signal, outcome.setting))
    warnings.push_back(
        Warning("initial_unbalance_masks_fault",
                std::string(MeasuresVoltage(outcome.page) ? "Uch" : "Ich") + " = " +
                    WithUnit(outcome, fault) +
                    " 减去初始不平衡 S0 = " + WithUnit(outcome, check.initial_signal) + " 后为 " +
                    WithUnit(outcome, fault - check.initial_signal) + "，低于整定值 " + setting +
                    "：初始不平衡与故障信号反向时，保护可能拒动。"));
}

}  // namespace

double PageSignal(const ProtectionOutcome& outcome, double relative) {
  return relative * (SignalFactor(outcome) / ConstantsOf(outcome.page).f);
}

MeasuredAnalysis CheckMeasuredBank(const ProtectionOutcome& outcome, const MeasuredBank& bank,
                                   const MeasuredBank* rebalanced) {
  MeasuredAnalysis analysis;
  if (std::optional<SheetWarning> impossible = ImpossibleWarning(outcome, bank)) {
    analysis.warnings.push_back(std::move(*impossible));
    return analysis;
  }
  const BankNetwork network(bank.shape, bank.capacitances);
  const RelativeSignals signals = network.Signals();
  MeasuredCheck check;
  check.initial_signal = PageSignal(outcome, signals.scheme);
  if (signals.phases) {
    std::array<double, 3> phases{};
    for (size_t phase = 0; phase < 3; ++phase)
      phases[phase] = PageSignal(outcome, (*signals.phases)[phase]);
    check.phase_signals = phases;
  }
  check.share_of_setting = check.initial_signal / outcome.setting;
  check.highest_unit_voltage = network.HighestUnitVoltage();
  if (rebalanced)
    check.rebalanced_signal = PageSignal(
        outcome, BankNetwork(rebalanced->shape, rebalanced->capacitances).Signals().scheme);
  AddSettingWarnings(outcome, check, analysis.warnings);
  analysis.check = check;
  return analysis;
}

}  // namespace calc
