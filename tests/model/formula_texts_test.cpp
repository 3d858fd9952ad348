// Every formula the calculation sheet prints, evaluated from the worked examples' values:
// each must give the figure the model computed, so that a formula changed in the code
// cannot leave its text behind.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "calc/model/capacitor.h"
#include "calc/model/protection_analysis.h"
#include "runtime/platform/gbk.h"
#include "tests/model/formula_evaluator.h"
#include "tests/model/worked_banks.h"

namespace {

using namespace calc;
using testing_support::DefinitionsOf;
using testing_support::ValueOf;
using testing_support::Values;
using testing_support::WorkedBank;

void ExpectClose(std::optional<double> evaluated, double figure, const std::string& formula) {
  ASSERT_TRUE(evaluated) << rt::GbkToUtf8(formula);
  EXPECT_NEAR(*evaluated, figure, std::fabs(figure) * 1e-6 + 1e-12) << rt::GbkToUtf8(formula);
}

void AddInputs(Values& values, const std::vector<InputReading>& inputs) {
  for (const InputReading& input : inputs)
    if (*input.symbol) values[input.symbol] = input.value;
}

// What the model computed for each symbol the protection formulas define.
Values Figures(const ProtectionOutcome& outcome, const SheetAnalysis& analysis) {
  Values figures = {{"Us", outcome.values.Us},
                    {"Uch", outcome.values.Uch},
                    {"Ich", outcome.values.Ich},
                    {"K", outcome.values.K},
                    {SettingSymbol(outcome.page), outcome.setting}};
  for (const WorkingValue& working : analysis.working_values)
    if (working.symbol == "D" || working.symbol == "R" || working.symbol == "G" ||
        working.symbol == "T")
      figures[working.symbol] = std::stod(working.text);
  if (analysis.fuseless) figures["V"] = analysis.fuseless->overvoltage;
  return figures;
}

// V(F) and S(F) against every row of the fault table.
void CheckTableFormula(const testing_support::Definition& definition, Values values,
                       const SheetAnalysis& analysis, const std::string& formula) {
  ASSERT_FALSE(analysis.faults.empty()) << rt::GbkToUtf8(formula);
  for (const FaultRow& row : analysis.faults) {
    values["F"] = row.failures;
    ExpectClose(ValueOf(definition, values),
                definition.symbol == "V" ? row.overvoltage : row.signal, formula);
  }
}

std::string VariantName(
    const ::testing::TestParamInfo<std::tuple<CalculationPage, Variant>>& info) {
  static const char* const kPages[] = {"", "OpenDelta", "Differential", "NeutralLine", "Bridge"};
  static const char* const kVariants[] = {"", "Fuseless", "ExternalFuses", "InternalFuses"};
  return std::string(kPages[int(std::get<0>(info.param))]) +
         kVariants[int(std::get<1>(info.param))];
}

class ProtectionFormulaTest
    : public ::testing::TestWithParam<std::tuple<CalculationPage, Variant>> {};

TEST_P(ProtectionFormulaTest, EveryFormulaGivesTheFigure) {
  const auto [page, variant] = GetParam();
  const ProtectionOutcome outcome = CalculateProtection(page, variant, WorkedBank(page, variant));
  const SheetAnalysis analysis = AnalyseProtection(outcome, {});
  const Values figures = Figures(outcome, analysis);
  Values values;
  AddInputs(values, outcome.inputs);
  for (const std::string& formula : analysis.formulas) {
    for (const testing_support::Definition& definition : DefinitionsOf(formula)) {
      ASSERT_FALSE(definition.symbol.empty()) << rt::GbkToUtf8(formula);
      if (formula.find("(F)") != std::string::npos) {
        CheckTableFormula(definition, values, analysis, formula);
        continue;
      }
      ASSERT_TRUE(figures.count(definition.symbol)) << rt::GbkToUtf8(formula);
      ExpectClose(ValueOf(definition, values), figures.at(definition.symbol), formula);
      values[definition.symbol] = figures.at(definition.symbol);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Variants, ProtectionFormulaTest,
    ::testing::Combine(
        ::testing::Values(CalculationPage::kOpenDeltaPage, CalculationPage::kDifferentialPage,
                          CalculationPage::kNeutralLinePage, CalculationPage::kBridgePage),
        ::testing::Values(Variant::kFuseless, Variant::kExternalFuses, Variant::kInternalFuses)),
    VariantName);

// tanφ = √(1 − cosφ·cosφ) / cosφ stands for both power factors.
void AddTangents(Values& values, const std::string& formula) {
  for (const testing_support::Definition& definition : DefinitionsOf(formula)) {
    if (definition.symbol != "tanφ") continue;
    for (const char* index : {"1", "2"}) {
      Values with = values;
      with["cosφ"] = values.at(std::string("cosφ") + index);
      values[std::string("tanφ") + index] = *ValueOf(definition, with);
    }
  }
}

TEST(CapacitorFormulaTest, EveryFormulaGivesTheFigure) {
  for (int32_t connection : {0, 1}) {
    const CapacitorOutcome outcome = CalculateCapacitorParameters(
        {"6.35", "3000", "5", "10", "50", "300", "0.8", "0.95", "5000", connection, "", {}});
    Values values;
    AddInputs(values, outcome.inputs);
    for (const ResultValue& result : outcome.results) {
      if (std::isnan(result.value)) continue;  // the star bank's in-delta current: no number
      AddTangents(values, result.formula);
      const testing_support::Definition definition = DefinitionsOf(result.formula).front();
      ExpectClose(ValueOf(definition, values), result.value, result.formula);
      if (*result.symbol) values[result.symbol] = result.value;
    }
    const SheetAnalysis analysis = AnalyseCapacitorParameters(outcome, {});
    ExpectClose(ValueOf(DefinitionsOf(analysis.formulas[0]).front(), values),
                *analysis.operating_voltage, analysis.formulas[0]);
  }
}

}  // namespace
