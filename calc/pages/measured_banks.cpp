#include "calc/pages/measured_banks.h"

#include <variant>

#include "calc/model/measured_check.h"
#include "calc/model/rebalancing.h"
#include "calc/pages/calculator_state.h"
#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"

namespace calc {
namespace {

// A CSV of every unit of the largest bank is a few MB; anything far beyond is no such file.
constexpr size_t kMostCsvBytes = size_t{64} << 20;

const ProtectionOutcome* ProtectionBehind(uint32_t box) {
  const CalculatorState* calculator = Calculator();
  const Calculation* calculation = calculator ? calculator->Behind(box) : nullptr;
  return calculation ? std::get_if<ProtectionOutcome>(&calculation->outcome) : nullptr;
}

const char kNoCalculation[] = "该结果框尚无保护整定计算，请先计算";

RebalanceReport Failed(std::string error) {
  RebalanceReport report;
  report.error = std::move(error);
  return report;
}

}  // namespace

MeasuredBankLoad LoadMeasuredBank(uint32_t result_box, std::string_view utf8_path) {
  const ProtectionOutcome* outcome = ProtectionBehind(result_box);
  if (!outcome) return {kNoCalculation};
  const std::optional<BankShape> shape =
      ShapeOf(outcome->page, outcome->values.M, outcome->values.N);
  if (!shape)
    return {"无法按本页接线排列：" +
            ImpossibleArrangement(outcome->page, outcome->values.M, outcome->values.N)};
  std::string bytes, reason;
  if (!rt::platform::ReadFileUpTo(rt::Utf8ToGbk(utf8_path), kMostCsvBytes, &bytes, &reason))
    return {"无法读取文件：" + reason};
  MeasuredBankReading reading = ReadMeasuredBank(bytes, *shape);
  if (!reading.bank) return {reading.error, reading.error_line};
  Calculator()->KeepMeasuredBank(std::move(*reading.bank));
  return {};
}

RebalanceReport RebalanceMeasuredBank(uint32_t result_box, std::string_view utf8_path) {
  const ProtectionOutcome* outcome = ProtectionBehind(result_box);
  if (!outcome) return Failed(kNoCalculation);
  const MeasuredBanks* banks = Calculator()->MeasuredBanksOf(outcome->page);
  if (!banks) return Failed("本页尚未载入实测电容");
  const MeasuredAnalysis check = CheckMeasuredBank(*outcome, banks->measured);
  if (!check.check) return Failed(check.warnings.front().message);
  Rebalancing rebalancing = Rebalance(banks->measured);
  const std::string csv = MeasuredBankCsv(rebalancing.bank, rebalancing.was);
  std::string reason;
  const auto* bytes = reinterpret_cast<const uint8_t*>(csv.data());
  if (!rt::platform::ReplaceFileAtomically(rt::Utf8ToGbk(utf8_path), {bytes, csv.size()}, &reason))
    return Failed("无法写入文件：" + reason);
  RebalanceReport report;
  for (const auto& exchange : rebalancing.exchanges)
    report.exchanges.push_back(ExchangeText(rebalancing.bank.shape, exchange));
  report.before = PageSignal(*outcome, rebalancing.before);
  report.after = PageSignal(*outcome, rebalancing.after);
  Calculator()->KeepRebalancedBank(std::move(rebalancing.bank));
  return report;
}

void AddMeasuredPart(Sheet& sheet, const ProtectionOutcome& outcome) {
  const CalculatorState* calculator = Calculator();
  const MeasuredBanks* banks = calculator ? calculator->MeasuredBanksOf(outcome.page) : nullptr;
  if (!banks) return;
  MeasuredAnalysis analysis = CheckMeasuredBank(outcome, banks->measured,
                                                banks->rebalanced ? &*banks->rebalanced : nullptr);
  sheet.measured = analysis.check;
  for (SheetWarning& warning : analysis.warnings) sheet.warnings.push_back(std::move(warning));
}

}  // namespace calc
