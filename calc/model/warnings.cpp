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

// "一相并联数M（-10）", "电流互感器变比（空）": the box by its caption, with what was typed.
std::string Typed(const NamedValue& input) {
  return input.caption + "（" + (input.text.empty() ? std::string("空") : input.text) + "）";
}

// The connection the formulas used: the item picked. With none picked (only a script
// can do that) the rated current and the output take the delta formulas, the in-delta
// current none.
std::string UsedConnection(const std::vector<std::string>& items, int32_t picked) {
  if (picked < 0 || static_cast<size_t>(picked) >= items.size())
    return "未选中任何一项，额定电流与输出容量按角形接线的公式计算，角内电流为空。";
  return "计算按“" + items[static_cast<size_t>(picked)] + "”的公式进行。";
}

std::string Quoted(const std::vector<std::string>& items) {
  std::vector<std::string> quoted;
  for (const std::string& item : items) quoted.push_back("“" + item + "”");
  return Listed(quoted);
}

std::string Count(double value) { return rt::FormatDouble(value); }

// Why the row F = K does not pick up: a Klm below 1 sets above the signal; with Klm ≥ 1
// only inputs that make no bank (counts zero or negative) do.
std::string MissedPickupCause(const NamedValue& Klm) {
  if (Klm.value < 1) return "：" + Typed(Klm) + "小于 1。";
  return "，请检查各项输入。";
}

}  // namespace

void AddWarning(std::vector<SheetWarning>& warnings, std::optional<SheetWarning> warning) {
  if (warning) warnings.push_back(std::move(*warning));
}

std::vector<SheetWarning> FusedWarnings(const FaultModel& model, const std::vector<FaultRow>& rows,
                                        const NamedValue& Klm) {
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
    warnings.push_back(Warning("does_not_pick_up_at_k",
                               "F = K = " + Count(model.K) + " 时信号 " + TableNumber(at_k) +
                                   " 低于整定值 " + TableNumber(model.setting) + "，保护不动作" +
                                   MissedPickupCause(Klm)));
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

std::optional<SheetWarning> CountNotPositiveWarning(const std::vector<NamedValue>& counts) {
  std::vector<std::string> named;
  for (const NamedValue& count : counts)
    if (!(count.value > 0)) named.push_back(Typed(count));
  if (named.empty()) return std::nullopt;
  return Warning("count_not_positive",
                 Listed(named) + "为空、为零或为负：台数、元件数和变比应为正整数。");
}

std::optional<SheetWarning> BetaOutOfRangeWarning(const NamedValue& β) {
  if (β.value > 0 && β.value <= 1) return std::nullopt;
  return Warning("beta_out_of_range", Typed(β) + "不在 0 与 1 之间：β 按小数输入，50% 输入 0.5。");
}

std::optional<SheetWarning> CoilVoltageSuspectWarning(const NamedValue& U1, const NamedValue& U2) {
  std::vector<std::string> above;
  if (U2.value > 1) above.push_back("1 kV");
  // A blank U1 is no yardstick: the not_finite warning names it.
  if (U1.value > 0 && U2.value > U1.value) above.push_back(Typed(U1));
  if (above.empty()) return std::nullopt;
  return Warning("coil_voltage_suspect",
                 Typed(U2) + "高于 " + Listed(above) +
                     "：二次电压似按伏输入，应按 kV 输入（100 V 输入 0.1）。");
}

std::optional<SheetWarning> SettingNotPositiveWarning(const std::vector<NamedValue>& settings) {
  std::vector<std::string> named;
  for (const NamedValue& setting : settings)
    if (std::isfinite(setting.value) && setting.value <= 0)
      named.push_back(setting.caption + " = " + setting.text);
  if (named.empty()) return std::nullopt;
  return Warning("setting_not_positive",
                 "整定值不大于零：" + Listed(named) + "，保护无法按此整定，请检查输入。");
}

std::optional<SheetWarning> ConnectionTextIgnoredWarning(const NamedValue& connection,
                                                         const std::vector<std::string>& items,
                                                         int32_t picked) {
  // Without the box's items there is nothing to hold the text against.
  if (items.empty()) return std::nullopt;
  for (const std::string& item : items)
    if (connection.text == item) return std::nullopt;
  const std::string shown =
      connection.text.empty()
          ? "框中没有文字（其选项为" + Quoted(items) + "）；"
          : "框中的文字“" + connection.text + "”不是其选项（" + Quoted(items) + "）之一；";
  return Warning("connection_text_ignored",
                 connection.caption + shown + UsedConnection(items, picked));
}

}  // namespace calc
