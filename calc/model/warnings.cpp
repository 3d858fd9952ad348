#include "calc/model/warnings.h"

#include <cmath>

#include "runtime/core/number_format.h"

namespace calc {
namespace {

// "A、B、C".
std::string Listed(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : "、") + item;
  return text;
}

// Captions of the inputs that count as 0 (an empty box reads as 0); a choice is no number.
std::string EmptyOrZeroInputs(const std::vector<NamedValue>& inputs) {
  std::vector<std::string> captions;
  for (const NamedValue& input : inputs)
    if (input.value == 0 && !input.choice) captions.push_back(input.caption);
  return captions.empty() ? "" : "为空或为零的输入：" + Listed(captions) + "。";
}

// The results that are no finite number, "调谐频率（1.#INF）"; a text written as such
// (the in-delta current of a star bank) has no number to be finite.
std::vector<std::string> NotFiniteResults(const std::vector<NamedValue>& results) {
  std::vector<std::string> named;
  for (const NamedValue& result : results)
    if (!std::isfinite(result.value) && !result.text.empty())
      named.push_back(result.caption + "（" + result.text + "）");
  return named;
}

SheetWarning Warning(const char* code, std::string message) { return {code, std::move(message)}; }

std::string Count(double value) { return rt::FormatDouble(value); }

}  // namespace

std::vector<SheetWarning> FusedWarnings(const FaultModel& model,
                                        const std::vector<FaultRow>& rows) {
  std::vector<SheetWarning> warnings;
  const double single = Overvoltage(model, 1);
  if (single > model.Kv)
    warnings.push_back(Warning("single_failure_exceeds_kv",
                               "一个故障即超过允许的过电压倍数：V(1) = " + TableNumber(single) +
                                   " > Kv = " + TableNumber(model.Kv) +
                                   "，取整规则使 K = " + Count(model.K) + "。"));
  for (const FaultRow& row : rows)
    if (row.first_pickup && row.failures < model.K)
      warnings.push_back(Warning(
          "picks_up_before_k",
          "保护在 F = " + Count(row.failures) + " 时即已动作，早于 K = " + Count(model.K) + "。"));
  const double at_k = Signal(model, model.K);
  if (FallsShortOfSetting(at_k, model.setting))
    warnings.push_back(Warning("does_not_pick_up_at_k", "F = K = " + Count(model.K) + " 时信号 " +
                                                            TableNumber(at_k) + " 低于整定值 " +
                                                            TableNumber(model.setting) +
                                                            "，保护不动作（Klm 小于 1 时如此）。"));
  return warnings;
}

std::optional<SheetWarning> NotFiniteWarning(const std::vector<NamedValue>& results,
                                             const std::vector<NamedValue>& inputs) {
  std::vector<std::string> named = NotFiniteResults(results);
  if (named.empty()) return std::nullopt;
  return Warning("not_finite",
                 "结果不是有限数：" + Listed(named) + "。" + EmptyOrZeroInputs(inputs));
}

std::optional<SheetWarning> BridgeLayoutWarning(int32_t M, int32_t N) {
  if (N >= 2 && N % 2 == 0 && M % 2 == 0) return std::nullopt;
  return Warning(
      "bridge_layout",
      "桥式接线每相为两条支路、每条支路分上下两半：N 应为不小于 2 的偶数，M 应为偶数（M = " +
          rt::FormatInteger(M) + "，N = " + rt::FormatInteger(N) + "）。");
}

std::optional<SheetWarning> CapacitorOvervoltageWarning(double operating_voltage,
                                                        double rated_voltage) {
  if (!(operating_voltage > rated_voltage)) return std::nullopt;
  return Warning("capacitor_overvoltage",
                 "电容器运行电压 Uc = " + TableNumber(operating_voltage) +
                     " kV 高于其额定电压 UN = " + TableNumber(rated_voltage) + " kV。");
}

}  // namespace calc
