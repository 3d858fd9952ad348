// The measured bank against the page's last calculation: S0 in the page's unit, and the
// warnings when it trips the bank, may hide the fault, or cannot stand in the calculation.
#include "calc/model/measured_check.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "calc/model/fault_table.h"

namespace {

using calc::CalculationPage;

calc::ProtectionOutcome ExternalFuses(CalculationPage page, const char* M, const char* N) {
  calc::ProtectionTexts texts;
  texts.Uψ = "6.35", texts.U1 = "6.35", texts.U2 = "0.1";
  texts.Iψ = "288.7", texts.CT = "40";
  texts.M = M, texts.N = N, texts.Kv = "1.1", texts.Klm = "1.3";
  return calc::CalculateProtection(page, calc::Variant::kExternalFuses, texts);
}

// The outcome's bank, every unit 3.3 µF but `removed` of the first group of phase A's
// last branch, which are gone, and `halved`, which keep half of theirs.
calc::MeasuredBank Bank(const calc::ProtectionOutcome& outcome, int removed, int halved = 0) {
  const calc::BankShape shape =
      calc::ShapeOf(outcome.page, outcome.values.M, outcome.values.N).value();
  calc::MeasuredBank bank{shape, std::vector<double>(shape.UnitCount(), 3.3)};
  for (int unit = 0; unit < removed + halved; ++unit)
    bank.capacitances[calc::IndexOf(shape, {0, shape.branches - 1, 0, unit})] =
        unit < removed ? 0 : 1.65;
  return bank;
}

bool Has(const calc::MeasuredAnalysis& analysis, const std::string& code) {
  return std::any_of(analysis.warnings.begin(), analysis.warnings.end(),
                     [&](const calc::SheetWarning& warning) { return warning.code == code; });
}

TEST(MeasuredCheckTest, KRemovedUnitsGiveTheFaultSignalInThePagesUnit) {
  for (CalculationPage page : {CalculationPage::kOpenDeltaPage, CalculationPage::kDifferentialPage,
                               CalculationPage::kNeutralLinePage, CalculationPage::kBridgePage}) {
    const calc::ProtectionOutcome outcome = ExternalFuses(page, "12", "4");
    const calc::ProtectionValues& v = outcome.values;
    calc::FaultModel model;
    model.whole = calc::WholeCount(v, outcome.variant);
    model.step = calc::UnitStep(calc::ConstantsOf(page), v.N);
    model.signal_factor = calc::SignalFactor(outcome);
    const double fault = calc::Signal(model, v.K);
    const calc::MeasuredAnalysis analysis =
        calc::CheckMeasuredBank(outcome, Bank(outcome, int(v.K)));
    ASSERT_TRUE(analysis.check) << int(page);
    EXPECT_NEAR(analysis.check->initial_signal, fault, fault * 1e-9) << int(page);
    // The page's own Uch or Ich was held in single precision.
    EXPECT_NEAR(analysis.check->initial_signal, calc::StoredSignal(outcome), fault * 1e-7);
    EXPECT_NEAR(analysis.check->share_of_setting, v.Klm, 1e-6);
    EXPECT_TRUE(Has(analysis, "initial_unbalance_trips")) << int(page);
    EXPECT_TRUE(Has(analysis, "initial_unbalance_masks_fault")) << int(page);
    EXPECT_EQ(analysis.check->phase_signals.has_value(),
              page == CalculationPage::kDifferentialPage || page == CalculationPage::kBridgePage);
  }
}

TEST(MeasuredCheckTest, ABalancedBankWarnsOfNothing) {
  const calc::ProtectionOutcome outcome = ExternalFuses(CalculationPage::kBridgePage, "8", "2");
  const calc::MeasuredAnalysis analysis = calc::CheckMeasuredBank(outcome, Bank(outcome, 0));
  ASSERT_TRUE(analysis.check);
  EXPECT_NEAR(analysis.check->initial_signal, 0, 1e-12);
  EXPECT_NEAR(analysis.check->highest_unit_voltage, 1, 1e-12);
  EXPECT_TRUE(analysis.warnings.empty());
  EXPECT_FALSE(analysis.check->rebalanced_signal);
}

TEST(MeasuredCheckTest, AnUnbalanceBelowTheSettingMayStillHideTheFault) {
  // One failed unit trips (K = 1); one unit at half its capacitance gives a little less
  // than half that signal: below Udz = Uch / 1.3, above Uch − Udz.
  const calc::ProtectionOutcome outcome = ExternalFuses(CalculationPage::kOpenDeltaPage, "2", "2");
  ASSERT_EQ(outcome.values.K, 1);
  const calc::MeasuredAnalysis analysis = calc::CheckMeasuredBank(outcome, Bank(outcome, 0, 1));
  ASSERT_TRUE(analysis.check);
  EXPECT_LT(analysis.check->share_of_setting, 1);
  EXPECT_FALSE(Has(analysis, "initial_unbalance_trips"));
  EXPECT_TRUE(Has(analysis, "initial_unbalance_masks_fault"));
  EXPECT_GT(analysis.check->highest_unit_voltage, 1);
}

TEST(MeasuredCheckTest, ABankThatCannotStandInTheCalculationIsNotChecked) {
  const calc::ProtectionOutcome measured_for =
      ExternalFuses(CalculationPage::kDifferentialPage, "2", "2");
  const calc::MeasuredBank bank = Bank(measured_for, 0);
  for (const calc::ProtectionOutcome& outcome :
       {ExternalFuses(CalculationPage::kDifferentialPage, "2", "3"),
        ExternalFuses(CalculationPage::kDifferentialPage, "4", "2")}) {
    const calc::MeasuredAnalysis analysis = calc::CheckMeasuredBank(outcome, bank);
    EXPECT_FALSE(analysis.check);
    ASSERT_EQ(analysis.warnings.size(), 1u);
    EXPECT_EQ(analysis.warnings[0].code, "arrangement_impossible");
  }
  EXPECT_NE(
      calc::CheckMeasuredBank(ExternalFuses(CalculationPage::kDifferentialPage, "2", "3"), bank)
          .warnings[0]
          .message.find("N 应为偶数"),
      std::string::npos);
}

}  // namespace
