// Rebalancing: a local optimum (every exchange of two units tried on random banks of each
// arrangement), the same answer every time, and exchanges that lead to it.
#include "calc/model/rebalancing.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using calc::CalculationPage;

calc::MeasuredBank RandomBank(CalculationPage page, int M, int N, unsigned seed) {
  const calc::BankShape shape = calc::ShapeOf(page, M, N).value();
  std::mt19937 random(seed);
  // A maker's tolerance of a few per cent, measured to the third decimal.
  std::uniform_int_distribution<int> spread(3250, 3380);
  calc::MeasuredBank bank{shape, {}};
  for (size_t unit = 0; unit < shape.UnitCount(); ++unit)
    bank.capacitances.push_back(spread(random) / 1000.0);
  return bank;
}

TEST(RebalancingTest, NoExchangeOfTwoUnitsLowersTheSignalAfterwards) {
  unsigned seed = 1;
  for (CalculationPage page : {CalculationPage::kOpenDeltaPage, CalculationPage::kDifferentialPage,
                               CalculationPage::kNeutralLinePage, CalculationPage::kBridgePage})
    for (auto [M, N] : {std::pair{2, 2}, std::pair{4, 2}, std::pair{6, 4}, std::pair{4, 6}}) {
      const calc::MeasuredBank measured = RandomBank(page, M, N, seed++);
      const calc::Rebalancing rebalanced = calc::Rebalance(measured);
      const calc::BankNetwork network(rebalanced.bank.shape, rebalanced.bank.capacitances);
      EXPECT_NEAR(network.Signals().scheme, rebalanced.after, 1e-15);
      EXPECT_LE(rebalanced.after, rebalanced.before);
      const size_t units = measured.capacitances.size();
      for (size_t first = 0; first < units; ++first)
        for (size_t second = first + 1; second < units; ++second)
          ASSERT_GE(network.SchemeSignalAfterExchange(first, second), rebalanced.after - 1e-12)
              << int(page) << " M=" << M << " N=" << N << " " << first << "↔" << second;
    }
}

TEST(RebalancingTest, TheExchangesTakeTheMeasuredBankToTheNewOne) {
  const calc::MeasuredBank measured = RandomBank(CalculationPage::kBridgePage, 6, 4, 99);
  const calc::Rebalancing rebalanced = calc::Rebalance(measured);
  std::vector<double> units = measured.capacitances;
  for (auto [first, second] : rebalanced.exchanges) std::swap(units[first], units[second]);
  EXPECT_EQ(units, rebalanced.bank.capacitances);
  for (size_t position = 0; position < units.size(); ++position)
    EXPECT_EQ(measured.capacitances[rebalanced.was[position]], units[position]);
  EXPECT_LT(rebalanced.exchanges.size(), units.size());
  EXPECT_LT(rebalanced.after, rebalanced.before / 100);
}

TEST(RebalancingTest, TheSameBankRebalancesAlikeEveryTime) {
  const calc::MeasuredBank measured = RandomBank(CalculationPage::kNeutralLinePage, 8, 4, 5);
  const calc::Rebalancing first = calc::Rebalance(measured), second = calc::Rebalance(measured);
  EXPECT_EQ(first.exchanges, second.exchanges);
  EXPECT_EQ(first.bank.capacitances, second.bank.capacitances);
}

TEST(RebalancingTest, ABalancedBankNeedsNoExchange) {
  calc::MeasuredBank measured = RandomBank(CalculationPage::kOpenDeltaPage, 2, 1, 3);
  measured.capacitances.assign(measured.capacitances.size(), 3.3);
  EXPECT_TRUE(calc::Rebalance(measured).exchanges.empty());
  const calc::BankShape shape = measured.shape;
  EXPECT_EQ(calc::ExchangeText(shape, {2, 5}), "B相1串1号 ↔ C相1串2号");
}

}  // namespace
