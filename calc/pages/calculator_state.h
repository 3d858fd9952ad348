// The calculator's own state: the outcome of the last click of each "计算" button, and
// behind each result box the click that last wrote it, kept for the calculation sheets.
// The program makes it at its start and the runtime keeps it to the end of the program,
// so nothing of it outlives the runtime: a new runtime offers no earlier sheet.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <variant>

#include "calc/model/capacitor.h"
#include "calc/model/measured_bank.h"
#include "calc/model/protection.h"
#include "runtime/core/frame.h"

namespace calc {

// A click of a "计算" button, as its page's result boxes show it.
struct Calculation {
  uint32_t button = 0;
  std::time_t time = 0;
  std::variant<CapacitorOutcome, ProtectionOutcome> outcome;
};

// A protection page's bank as measured, and as rebalanced once it has been.
struct MeasuredBanks {
  MeasuredBank measured;
  std::optional<MeasuredBank> rebalanced;
};

class CalculatorState : public rt::ProgramState {
 public:
  // The click becomes its button's last, and the one behind each box it wrote, whatever
  // is typed afterwards.
  void Keep(Calculation calculation, std::span<const uint32_t> boxes_written);
  // Null before the button's first click.
  const Calculation* OfButton(uint32_t button) const;
  // Null when no click has written the box.
  const Calculation* Behind(uint32_t box) const;

  // Told of each click once it is kept: the window program's open sheets follow their
  // page. Unset in the headless driver.
  std::function<void(uint32_t button)> after_keep;

  // The bank becomes its page's measured bank; a rebalancing of the one before goes.
  void KeepMeasuredBank(MeasuredBank bank);
  // The page's measured bank rearranged; only where the page has a measured bank.
  void KeepRebalancedBank(MeasuredBank bank);
  // The page goes back to no measured bank.
  void ForgetMeasuredBank(CalculationPage page);
  // Null before a bank was measured for the page.
  const MeasuredBanks* MeasuredBanksOf(CalculationPage page) const;

  // What the window program adds to the calculator (its sheet windows), made by it on
  // first use; it goes with the calculator.
  std::unique_ptr<rt::ProgramState> window_part;

 private:
  std::map<uint32_t, std::shared_ptr<const Calculation>> by_button_;
  std::map<uint32_t, std::shared_ptr<const Calculation>> by_box_;
  std::map<CalculationPage, MeasuredBanks> measured_;
};

// Makes the state for the runtime to keep.
void MakeCalculatorState();
// The running calculator's state; null before the program's start and after its end.
CalculatorState* Calculator();

}  // namespace calc
