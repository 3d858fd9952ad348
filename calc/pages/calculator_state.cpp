#include "calc/pages/calculator_state.h"

namespace calc {
namespace {

const Calculation* Find(const std::map<uint32_t, std::shared_ptr<const Calculation>>& calculations,
                        uint32_t key) {
  auto found = calculations.find(key);
  return found == calculations.end() ? nullptr : found->second.get();
}

}  // namespace

void CalculatorState::Keep(Calculation calculation, std::span<const uint32_t> boxes_written) {
  auto kept = std::make_shared<const Calculation>(std::move(calculation));
  by_button_[kept->button] = kept;
  for (uint32_t box : boxes_written) by_box_[box] = kept;
  if (after_keep) after_keep(kept->button);
}

const Calculation* CalculatorState::OfButton(uint32_t button) const {
  return Find(by_button_, button);
}

const Calculation* CalculatorState::Behind(uint32_t box) const { return Find(by_box_, box); }

void CalculatorState::KeepMeasuredBank(MeasuredBank bank) {
  const CalculationPage page = bank.shape.page;
  measured_[page] = {std::move(bank), std::nullopt};
}

void CalculatorState::KeepRebalancedBank(MeasuredBank bank) {
  auto found = measured_.find(bank.shape.page);
  if (found != measured_.end()) found->second.rebalanced = std::move(bank);
}

void CalculatorState::ForgetMeasuredBank(CalculationPage page) { measured_.erase(page); }

const MeasuredBanks* CalculatorState::MeasuredBanksOf(CalculationPage page) const {
  auto found = measured_.find(page);
  return found == measured_.end() ? nullptr : &found->second;
}

void MakeCalculatorState() { rt::SetProgramState(std::make_unique<CalculatorState>()); }

CalculatorState* Calculator() { return dynamic_cast<CalculatorState*>(rt::CurrentProgramState()); }

}  // namespace calc
